// The Fields page's overlay: every existing field as a translucent square coloured by
// the active tool, with slopes, ramps, walls and the ceiling.
#include <algorithm>

#include "render/edit_gl.h"
#include "render/gl_room.h"
#include "room/edit_room.h"

namespace {

constexpr int ToolTypus = 1001;
constexpr int ToolMaterial = 1002;
constexpr int ToolHeight = 1003;

constexpr std::array<TVector, 12> MaterialColors = {{{0.0f, 1.0f, 1.0f},
                                                     {0.5f, 0.5f, 0.5f},
                                                     {0.7f, 0.6f, 0.6f},
                                                     {0.9f, 0.9f, 0.3f},
                                                     {0.0f, 0.8f, 0.0f},
                                                     {0.2f, 0.4f, 0.3f},
                                                     {0.67f, 0.61f, 0.54f},
                                                     {0.5f, 0.7f, 1.0f},
                                                     {0.5f, 0.3f, 0.0f},
                                                     {0.33f, 0.29f, 0.24f},
                                                     {0.7f, 0.7f, 0.7f},
                                                     {1.0f, 1.0f, 0.6f}}};
constexpr int MaterialColorCount = static_cast<int>(MaterialColors.size());

void Average(const TVector& c) { TEditGL::SetBlendMode(2, c.x, c.y, c.z, 0.5); }

void Grey(float v) { Average({v, v, v}); }

void TypusColor(std::int16_t typus) {
  switch (typus) {
    case 1: return Average({0.5f, 1.0f, 0.0f});
    case 2:
    case 3: return Average({1.0f, 0.0f, 0.0f});
    case 4: return Average({0.0f, 0.5f, 0.0f});
    case 5: return Average({0.0f, 0.25f, 0.0f});
    case 6:
    case 7: return Average({0.2f, 0.0f, 1.0f});
    default: return Grey(0.5f);
  }
}

void MaterialColor(std::int16_t material) {
  if (material >= 0 && material < MaterialColorCount) return Average(MaterialColors[static_cast<std::size_t>(material)]);
  Grey(0.5f);
}

std::array<TVector, 4> Square(float x, float z, float h00, float h10, float h11, float h01) {
  return {{{x, h00, z}, {x + 1, h10, z}, {x + 1, h11, z + 1}, {x, h01, z + 1}}};
}

}  // namespace

void TRoomRenderer::DrawFieldOverlay() {
  gl_.SetViewTransform();
  gl_.SetGLStates(false, true, false, false, false, false, false);
  for (int i = 0; i < TRoom::GridSize; ++i) {
    for (int j = 0; j < TRoom::GridSize; ++j) {
      if (gl_.Room().FieldOf(i, j).Exists()) DrawField(i, j);
    }
  }
}

void TRoomRenderer::DrawField(int i, int j) {
  const TRoom& room = gl_.Room();
  const int tool = room.Cursor.Mode;
  const TField& field = room.FieldOf(i, j);
  const auto floorOf = [&](int x, int z) { return room.FieldOf(x, z).Height; };
  const float x = static_cast<float>(i - 30);
  const float z = static_cast<float>(j - 30);
  const float f = field.Height;
  const float c = field.Ceiling;

  Grey(0.5f);
  if (tool == ToolTypus) TypusColor(field.Typus);
  if (tool == ToolMaterial) MaterialColor(field.Material);
  if (tool == ToolHeight) Grey(0.1f * f + 0.1f);

  if (field.Typus >= 1 && field.Typus <= 3) DrawQuadWithOutline(Square(x, z, f, f, f, f));
  // The last row and column have no neighbour to slope towards.
  if ((field.Typus == 4 || field.Typus == 5) && i < TRoom::GridSize - 1 && j < TRoom::GridSize - 1) {
    DrawQuadWithOutline(Square(x, z, f, floorOf(i + 1, j), floorOf(i + 1, j + 1), floorOf(i, j + 1)));
  }
  if (field.Typus == 6) {
    const float low = TRoom::ValidCell(i, j - 1) ? std::max(f, floorOf(i, j - 1)) : f;
    const float high = TRoom::ValidCell(i, j + 1) ? std::max(f, floorOf(i, j + 1)) : f;
    DrawQuadWithOutline(Square(x, z, low, low, high, high));
  }
  if (field.Typus == 7) {
    const float low = TRoom::ValidCell(i - 1, j) ? std::max(f, floorOf(i - 1, j)) : f;
    const float high = TRoom::ValidCell(i + 1, j) ? std::max(f, floorOf(i + 1, j)) : f;
    DrawQuadWithOutline(Square(x, z, low, high, high, low));
  }
  if (field.Typus == 3) {
    const auto open = [&](int ni, int nj) { return !TRoom::ValidCell(ni, nj) || room.FieldOf(ni, nj).Typus != 3; };
    const auto wall = [&](double alpha, const std::array<TVector, 4>& corners) {
      TEditGL::SetBlendMode(1, 1.0, 0.0, 0.0, alpha);
      DrawQuadWithOutline(corners);
    };
    if (open(i, j - 1)) wall(0.06, {{{x, f, z}, {x + 1, f, z}, {x + 1, c, z}, {x, c, z}}});
    if (open(i, j + 1)) wall(0.03, {{{x, f, z + 1}, {x + 1, f, z + 1}, {x + 1, c, z + 1}, {x, c, z + 1}}});
    if (open(i - 1, j)) wall(0.045, {{{x, f, z}, {x, f, z + 1}, {x, c, z + 1}, {x, c, z}}});
    if (open(i + 1, j)) wall(0.045, {{{x + 1, f, z}, {x + 1, f, z + 1}, {x + 1, c, z + 1}, {x + 1, c, z}}});
  }
  if (tool == ToolHeight) Grey(0.1f * c + 0.1f);
  if (gl_.MenuChecked(view_menu::ShowFieldCeiling)) DrawQuadWithOutline(Square(x, z, c, c, c, c));
}
