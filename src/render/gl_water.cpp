#include "render/gl_water.h"

#include <cmath>
#include <numbers>

#include "render/edit_gl.h"
#include "room/edit_room.h"

namespace {

constexpr float ScrollSpeed = 0.005f;
constexpr float SecondLayerScroll = 0.67f;
constexpr float SecondLayerShade = 0.2f;
constexpr float CellSize = 2.0f;

struct Layer {
  std::int16_t texture;
  int blendMode;
  TVector color;
  float scrollS;
  float scrollT;
};

float WaveHeight(const TRoom& room, int c, int r) {
  // Rain whips the water into larger, longer waves.
  const bool storm = room.WeatherEffect == 1;
  const float k = storm ? 6.0f : 1.0f;
  const float q = storm ? 0.3f : 1.0f;
  const float degrees = 6.0f * room.Time + 300.0f * q * static_cast<float>(c) + 200.0f * q * static_cast<float>(r);
  return room.WaterHeight + 0.1f * k * std::sin(degrees * std::numbers::pi_v<float> / 180.0f);
}

void DrawLayer(TEditGL& gl, const TRoom& room, const Layer& layer) {
  TEditGL::SetBlendMode(layer.blendMode, layer.color.x, layer.color.y, layer.color.z, room.WaterDensity);
  gl.SelectTexture(layer.texture);
  const int fromC = room.WaterFromX / 2, toC = room.WaterToX / 2;
  const int fromR = room.WaterFromZ / 2, toR = room.WaterToZ / 2;
  const auto corner = [&](int c, int r) {
    const float height = WaveHeight(room, c, r);
    const float shade = height - room.WaterHeight + 1.0f;
    glColor4f(shade * layer.color.x, shade * layer.color.y, shade * layer.color.z, room.WaterDensity);
    glTexCoord2f(0.5f * static_cast<float>(c) + layer.scrollS, 0.5f * static_cast<float>(r) + layer.scrollT);
    glVertex3f(CellSize * static_cast<float>(c) - 30.0f, height, CellSize * static_cast<float>(r) - 30.0f);
  };
  glBegin(GL_QUADS);
  for (int c = fromC; c <= toC; ++c) {
    for (int r = fromR; r <= toR; ++r) {
      corner(c, r);
      corner(c + 1, r);
      corner(c + 1, r + 1);
      corner(c, r + 1);
      gl.AddPolygons(2);
    }
  }
  glEnd();
}

}  // namespace

void DrawWater(TEditGL& gl) {
  const TRoom& room = gl.Room();
  if (room.WaterMaterial <= 0) return;
  gl.SetViewTransform();
  gl.SetGLStates(true, true, true, false, false, false, true);
  glDepthMask(GL_FALSE);
  const float a = ScrollSpeed * room.Time;
  const float b = ScrollSpeed * room.Time * SecondLayerScroll;
  const TFixedTextures& fixed = gl.FixedTextures();
  DrawLayer(gl, room, {fixed.Water, 2, room.WaterColor, a, b});
  const TVector& c = room.WaterColor;
  DrawLayer(gl, room, {fixed.Water2, 1, {c.x * SecondLayerShade, c.y * SecondLayerShade, c.z * SecondLayerShade}, -a, -b});
  glDepthMask(GL_TRUE);
}
