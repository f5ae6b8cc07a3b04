#include "render/gl_sprite_batch.h"

#include <algorithm>
#include <cmath>

namespace {

// Side of the cells the overlap test marks, pixels.
constexpr int CellSize = 8;
// How far apart, in pixels, two corners may lie and still be taken for the same column
// or row of an upright rectangle.
constexpr double UprightTolerance = 0.01;

TGLMatrix CurrentMatrix(GLenum which) {
  TGLMatrix::Elements m{};
  glGetFloatv(which, m.data());
  return TGLMatrix(m);
}

void PushIdentity(GLenum mode) {
  glMatrixMode(mode);
  glPushMatrix();
  glLoadIdentity();
}

void Pop(GLenum mode) {
  glMatrixMode(mode);
  glPopMatrix();
}

void SetPass(const TSpritePass& pass) {
  if (!pass) return;
  glBlendFunc(pass->source, pass->dest);
  // Set outside the quads: a colour per vertex would be interpolated and round differently.
  glColor4dv(pass->colour.data());
}

void DrawQuads(const std::vector<TSpriteQuad>& quads) {
  glBegin(GL_QUADS);
  for (const TSpriteQuad& quad : quads) {
    for (const TSpriteCorner& c : quad) {
      glTexCoord2f(c.s, c.t);
      glVertex4f(c.at.x, c.at.y, c.at.z, c.at.w);
    }
  }
  glEnd();
}

}  // namespace

void TSpriteBatch::Begin() {
  view_ = CurrentMatrix(GL_MODELVIEW_MATRIX);
  projection_ = CurrentMatrix(GL_PROJECTION_MATRIX);
  glGetIntegerv(GL_VIEWPORT, viewport_.data());
  cellColumns_ = std::max(viewport_[2], 1) / CellSize + 1;
  covered_.assign(static_cast<std::size_t>(cellColumns_ * (std::max(viewport_[3], 1) / CellSize + 1)), 0);
  PushIdentity(GL_PROJECTION);
  PushIdentity(GL_MODELVIEW);
  glDepthMask(GL_FALSE);
  open_ = true;
}

TSpriteQuad TSpriteBatch::Place(const TGLMatrix& place, float size, const TTexRect& texels) const {
  const TGLMatrix m = TGLMatrix::Combined(projection_, place);
  const float r = size;
  return {{{texels.s0, texels.t0, m.Apply(0.0f, r, -r)},
           {texels.s1, texels.t0, m.Apply(0.0f, r, r)},
           {texels.s1, texels.t1, m.Apply(0.0f, -r, r)},
           {texels.s0, texels.t1, m.Apply(0.0f, -r, -r)}}};
}

void TSpriteBatch::Add(GLuint texture, const TSpritePass& pass, const TSpriteQuad& quad) {
  if (OutsideView(quad)) return;
  DrawAlone(Group{texture, {pass, std::nullopt}, 1}, quad);
}

void TSpriteBatch::Add(GLuint texture, const TSpritePass& first, const TSpritePass& second, const TSpriteQuad& quad) {
  if (OutsideView(quad)) return;
  const Group group{texture, {first, second}, 2};
  const auto box = Box(quad);
  // A pass that keeps GL's blending must follow whatever was drawn last; a quad GL
  // clips or may fill as a rectangle takes another path through the rasteriser.
  if (!first || !second || !box || !InsideView(quad) || IsUpright(quad)) return DrawAlone(group, quad);
  if (!(group == group_)) Flush();
  group_ = group;
  if (Overlaps(*box)) {
    Flush();
    Overlaps(*box);
  }
  quads_.push_back(quad);
}

void TSpriteBatch::DrawAlone(const Group& group, const TSpriteQuad& quad) {
  Flush();
  // Changing a matrix, even to what it is, keeps GL from joining the quad with the
  // quads drawn just before or after it into one draw.
  glLoadIdentity();
  group_ = group;
  quads_.push_back(quad);
  Flush();
  glLoadIdentity();
}

std::optional<TSpriteBatch::PixelBox> TSpriteBatch::Box(const TSpriteQuad& quad) const {
  double x0 = viewport_[2], y0 = viewport_[3], x1 = 0.0, y1 = 0.0;
  for (const TSpriteCorner& c : quad) {
    if (!(c.at.w > 1e-6f)) return std::nullopt;
    const double x = (static_cast<double>(c.at.x) / c.at.w + 1.0) * 0.5 * viewport_[2];
    const double y = (static_cast<double>(c.at.y) / c.at.w + 1.0) * 0.5 * viewport_[3];
    x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
  }
  // A pixel's margin all round covers any rounding of the rasteriser.
  const auto clampTo = [](double v, int limit) { return std::clamp(static_cast<int>(std::floor(v)), 0, limit); };
  return PixelBox{clampTo(x0 - 1, viewport_[2]), clampTo(y0 - 1, viewport_[3]), clampTo(x1 + 1, viewport_[2]),
                  clampTo(y1 + 1, viewport_[3])};
}

bool TSpriteBatch::OutsideView(const TSpriteQuad& quad) {
  const auto allOf = [&](auto beyond) { return std::all_of(quad.begin(), quad.end(), beyond); };
  return allOf([](const TSpriteCorner& c) { return c.at.x > c.at.w; }) ||
         allOf([](const TSpriteCorner& c) { return c.at.x < -c.at.w; }) ||
         allOf([](const TSpriteCorner& c) { return c.at.y > c.at.w; }) ||
         allOf([](const TSpriteCorner& c) { return c.at.y < -c.at.w; }) ||
         allOf([](const TSpriteCorner& c) { return c.at.z > c.at.w; }) ||
         allOf([](const TSpriteCorner& c) { return c.at.z < -c.at.w; });
}

bool TSpriteBatch::InsideView(const TSpriteQuad& quad) {
  const auto inside = [](float v, float w) { return v > -w && v < w; };
  return std::all_of(quad.begin(), quad.end(), [&](const TSpriteCorner& c) {
    return inside(c.at.x, c.at.w) && inside(c.at.y, c.at.w) && inside(c.at.z, c.at.w);
  });
}

bool TSpriteBatch::IsUpright(const TSpriteQuad& quad) const {
  std::array<std::array<double, 2>, 4> at{};
  for (std::size_t i = 0; i < 4; ++i) {
    const TClipVertex& v = quad[i].at;
    if (!(v.w > 1e-6f)) return false;
    at[i] = {static_cast<double>(v.x) / v.w * 0.5 * viewport_[2], static_cast<double>(v.y) / v.w * 0.5 * viewport_[3]};
  }
  const auto same = [](double a, double b) { return std::fabs(a - b) < UprightTolerance; };
  // Edges 0-1 and 2-3 upright and 1-2 and 3-0 level, or the other way round.
  const auto along = [&](int a, int b) {
    return same(at[0][a], at[1][a]) && same(at[2][a], at[3][a]) && same(at[1][b], at[2][b]) && same(at[3][b], at[0][b]);
  };
  return along(0, 1) || along(1, 0);
}

bool TSpriteBatch::Overlaps(const PixelBox& box) {
  const int c0 = box.x0 / CellSize, c1 = box.x1 / CellSize, r0 = box.y0 / CellSize, r1 = box.y1 / CellSize;
  for (int r = r0; r <= r1; ++r)
    for (int c = c0; c <= c1; ++c)
      if (covered_[static_cast<std::size_t>(r * cellColumns_ + c)] != 0) return true;
  for (int r = r0; r <= r1; ++r)
    for (int c = c0; c <= c1; ++c) covered_[static_cast<std::size_t>(r * cellColumns_ + c)] = 1;
  return false;
}

void TSpriteBatch::Flush() {
  if (quads_.empty()) return;
  glBindTexture(GL_TEXTURE_2D, group_.texture);
  for (int pass = 0; pass < group_.passCount; ++pass) {
    SetPass(group_.passes[static_cast<std::size_t>(pass)]);
    DrawQuads(quads_);
  }
  quads_.clear();
  std::fill(covered_.begin(), covered_.end(), 0);
}

void TSpriteBatch::End() {
  Flush();
  Pop(GL_PROJECTION);
  Pop(GL_MODELVIEW);
  glDepthMask(GL_TRUE);
  open_ = false;
}
