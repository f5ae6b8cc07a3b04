#include "render/gl_lensflare.h"

#include <cmath>
#include <numbers>
#include <optional>
#include <span>
#include <utility>
#include <vector>

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

struct Flare {
  TVector point;
  std::int16_t kind;
  TVector color;
  float size;
  float brightness;
};

struct FlareSpot {
  float x;
  float y;
};

// Where the point shows on the virtual screen, or nothing when it is off screen or
// hidden behind what is already drawn.
std::optional<FlareSpot> VisibleAt(TEditGL& gl, const TVector& point) {
  TProjection& projection = gl.Projection();
  FlareSpot at{};
  if (!projection.ProjectToScreen(point, at.x, at.y)) return std::nullopt;
  if (!(projection.ReadDepthAt(std::round(at.x), std::round(at.y)) > projection.ProjectedDepth(point))) {
    return std::nullopt;
  }
  return at;
}

void DrawFlareAt(TEditGL& gl, const Flare& flare, FlareSpot at) {
  const float dx = at.x - CentreX;
  const float dy = at.y - CentreY;
  const float g = std::sqrt(dx * dx + dy * dy);
  // Fades out towards the edge; at 320 or more from the centre nothing is left.
  if (g >= CentreX) return;
  const float b = std::sqrt(1.0f - g / CentreX) * flare.brightness;
  if (b <= 0.0f) return;
  // The flare line runs from the centre through the light, so an element at position 1
  // sits on the light itself.
  const float angle = g > 0.0f ? std::atan2(dy, dx) * 180.0f / std::numbers::pi_v<float> : 0.0f;

  BeginOverlay2D();
  gl.SetGLStates(false, true, false, false, false, false, true);
  glTranslatef(CentreX, CentreY, 0.0f);
  glRotatef(angle, 0.0f, 0.0f, 1.0f);
  const TVector& color = flare.color;
  for (const FlareElement& e : Design(flare.kind)) {
    TEditGL::SetBlendMode(1, color.x, color.y, color.z, e.alpha * b);
    gl.Projection().DrawSprite(SheetSlot(gl.FixedTextures(), e.texture), false, false, e.size * flare.size,
                               g * e.position, 0.0f, e.row, e.column, e.cell, e.cell);
    gl.AddPolygons(2);
  }
  EndOverlay2D();
}

std::optional<Flare> SunFlare(const TRoom& room) {
  if (room.Camera.Mode != TCamera::Mode3D || room.SunFlare == 0) return std::nullopt;
  const TVector sun = TQZMath::Add(room.Camera.Position, TQZMath::Scale(TQZMath::Normalize(room.LightPos), SunDistance));
  return Flare{sun, room.SunFlare, room.Diffuse, room.SunFlareSize, room.SunFlareIntensity};
}

}  // namespace

void DrawLightFlares(TEditGL& gl) {
  const TRoom& room = gl.Room();
  std::vector<Flare> flares;
  for (const TLight& light : room.Lights) {
    if (!light.InUse() || !light.Active || light.Flare <= 0) continue;
    const TVector point{light.Position.x, light.Position.y + light.FlareAbove, light.Position.z};
    flares.push_back({point, light.Flare, light.CurrentColor, light.FlareSize, light.FlareIntensity});
  }
  if (const auto sun = SunFlare(room)) flares.push_back(*sun);
  // Every depth is read before any flare is drawn: flares leave the depth buffer as it
  // is, and a read after drawing would make the rasteriser finish the frame so far
  // once per flare.
  std::vector<std::pair<const Flare*, FlareSpot>> shown;
  for (const Flare& flare : flares)
    if (const auto at = VisibleAt(gl, flare.point)) shown.emplace_back(&flare, *at);
  for (const auto& [flare, at] : shown) DrawFlareAt(gl, *flare, at);
}

bool DrawFlareIfVisible(TEditGL& gl, const TVector& point, std::int16_t kind, const TVector& color, float size,
                        float brightness) {
  const auto at = VisibleAt(gl, point);
  if (at) DrawFlareAt(gl, {point, kind, color, size, brightness}, *at);
  return at.has_value();
}
