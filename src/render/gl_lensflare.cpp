#include "render/gl_lensflare.h"

#include <cmath>
#include <numbers>
#include <span>

#include "core/edit_math.h"
#include "render/edit_gl.h"
#include "render/gl_2D.h"
#include "render/projection.h"
#include "room/edit_room.h"

namespace {

enum class Sheet { Flare, Center, Rings };

struct FlareElement {
  Sheet texture;
  float size;
  float alpha;
  float position;  // 1 at the light, 0 at the screen centre
  int row;
  int column;
  float cell;  // square cells, texels
};

constexpr FlareElement Kind1[] = {
    {Sheet::Flare, 0.6f, 0.4f, 1, 0, 0, 128}, {Sheet::Flare, 0.3f, 0.8f, 1, 0, 0, 128},
    {Sheet::Center, 0.9f, 0.3f, 1, 0, 0, 128}};

constexpr FlareElement Kind2[] = {
    {Sheet::Flare, 0.6f, 0.3f, 1, 0, 0, 128},     {Sheet::Flare, 0.3f, 0.4f, 1, 0, 0, 128},
    {Sheet::Center, 0.9f, 0.2f, 1, 0, 0, 128},    {Sheet::Rings, 0.6f, 0.1f, 0.7f, 0, 0, 32},
    {Sheet::Rings, 0.5f, 0.1f, 0.5f, 0, 0, 32},   {Sheet::Rings, 0.8f, 0.1f, 0.4f, 1, 1, 128},
    {Sheet::Rings, 0.2f, 0.1f, 0.1f, 0, 0, 32},   {Sheet::Rings, 0.3f, 0.1f, -0.3f, 0, 0, 32},
    {Sheet::Rings, 0.6f, 0.1f, -0.5f, 0, 0, 32},  {Sheet::Rings, 0.4f, 0.1f, -0.9f, 0, 1, 128},
    {Sheet::Rings, 0.9f, 0.1f, -1, 0, 1, 128}};

constexpr FlareElement Kind3[] = {
    {Sheet::Flare, 0.3f, 0.4f, 1, 0, 0, 128},     {Sheet::Center, 1.1f, 0.3f, 1, 0, 0, 128},
    {Sheet::Center, 1.6f, 0.1f, 1, 0, 0, 128},    {Sheet::Rings, 2, 0.1f, 0.65f, 3, 0, 32},
    {Sheet::Rings, 0.9f, 0.2f, 0.6f, 3, 0, 32},   {Sheet::Rings, 0.7f, 0.2f, 0.4f, 3, 0, 32},
    {Sheet::Rings, 0.9f, 0.2f, 0.2f, 3, 0, 32},   {Sheet::Rings, 0.4f, 0.1f, -0.1f, 3, 0, 32},
    {Sheet::Rings, 0.4f, 0.1f, -0.2f, 3, 0, 32},  {Sheet::Rings, 0.5f, 0.2f, -0.45f, 3, 0, 32},
    {Sheet::Rings, 1.6f, 0.1f, -0.65f, 3, 0, 32}, {Sheet::Rings, 2, 0.1f, -0.7f, 3, 0, 32},
    {Sheet::Rings, 2.5f, 0.2f, -1, 2, 0, 64}};

std::span<const FlareElement> Design(std::int16_t kind) {
  switch (kind) {
    case 1: return Kind1;
    case 2: return Kind2;
    case 3: return Kind3;
    default: return {};
  }
}

std::int16_t SheetSlot(const TFixedTextures& fixed, Sheet sheet) {
  switch (sheet) {
    case Sheet::Flare: return fixed.Flare;
    case Sheet::Center: return fixed.FlareCenter;
    case Sheet::Rings: return fixed.FlareRings;
  }
  return -1;
}

constexpr float CentreX = VirtualWidth / 2;
constexpr float CentreY = VirtualHeight / 2;
// The sun sits just inside the far clipping plane.
constexpr float SunDistance = 149.0f;

}  // namespace

void DrawLightFlares(TEditGL& gl) {
  for (const TLight& light : gl.Room().Lights) {
    if (!light.InUse() || !light.Active || light.Flare <= 0) continue;
    const TVector point{light.Position.x, light.Position.y + light.FlareAbove, light.Position.z};
    DrawFlareIfVisible(gl, point, light.Flare, light.CurrentColor, light.FlareSize, light.FlareIntensity);
  }
  DrawSunFlare(gl);
}

void DrawSunFlare(TEditGL& gl) {
  const TRoom& room = gl.Room();
  if (room.Camera.Mode != TCamera::Mode3D || room.SunFlare == 0) return;
  const TVector sun = TQZMath::Add(room.Camera.Position, TQZMath::Scale(TQZMath::Normalize(room.LightPos), SunDistance));
  DrawFlareIfVisible(gl, sun, room.SunFlare, room.Diffuse, room.SunFlareSize, room.SunFlareIntensity);
}

bool DrawFlareIfVisible(TEditGL& gl, const TVector& point, std::int16_t kind, const TVector& color, float size,
                        float brightness) {
  TProjection& projection = gl.Projection();
  float x = 0.0f;
  float y = 0.0f;
  if (!projection.ProjectToScreen(point, x, y)) return false;
  if (!(projection.ReadDepthAt(std::round(x), std::round(y)) > projection.ProjectedDepth(point))) return false;

  const float dx = x - CentreX;
  const float dy = y - CentreY;
  const float g = std::sqrt(dx * dx + dy * dy);
  // Fades out towards the edge; at 320 or more from the centre nothing is left.
  if (g >= CentreX) return true;
  const float b = std::sqrt(1.0f - g / CentreX) * brightness;
  if (b <= 0.0f) return true;
  // The flare line runs from the centre through the light, so an element at position 1
  // sits on the light itself.
  const float angle = g > 0.0f ? std::atan2(dy, dx) * 180.0f / std::numbers::pi_v<float> : 0.0f;

  BeginOverlay2D();
  gl.SetGLStates(false, true, false, false, false, false, true);
  glTranslatef(CentreX, CentreY, 0.0f);
  glRotatef(angle, 0.0f, 0.0f, 1.0f);
  for (const FlareElement& e : Design(kind)) {
    TEditGL::SetBlendMode(1, color.x, color.y, color.z, e.alpha * b);
    projection.DrawSprite(SheetSlot(gl.FixedTextures(), e.texture), false, false, e.size * size, g * e.position, 0.0f,
                          e.row, e.column, e.cell, e.cell);
    gl.AddPolygons(2);
  }
  EndOverlay2D();
  return true;
}
