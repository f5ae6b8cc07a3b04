#pragma once
// Sprites handed to GL in as few draws as the same pixels allow. Every sprite is
// placed on the processor by a TGLMatrix, exactly as GL would place it, and drawn with
// identity matrices. Sprites drawn in one pass go to GL one quad per draw, as they
// always did. Sprites drawn in two passes (darken, then add) whose squares share no
// pixel are gathered and drawn as one list of quads per pass: each pixel still sees
// its one sprite's two passes in order, and the rasteriser changes its blend state
// twice per group instead of twice per sprite, which is what a sprite costs it.
// A quad that GL has to clip, or may fill as an upright rectangle, is drawn alone:
// those take other paths through the rasteriser, which round a list differently. A
// quad wholly outside the view is not handed to GL at all.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "render/edit_gl.h"
#include "render/gl_api.h"
#include "render/gl_matrix.h"

struct TSpriteCorner {
  float s, t;
  TClipVertex at;
};
using TSpriteQuad = std::array<TSpriteCorner, 4>;

struct TTexRect {
  float s0, t0, s1, t1;
};

// One pass of a sprite: its blend function and colour, or nothing to draw it with the
// blend function and colour GL holds from before.
using TSpritePass = std::optional<TEditGL::TBlend>;

class TSpriteBatch {
public:
  // Starts gathering with GL's current view: until End, GL's matrices are identities
  // and depth writes are off.
  void Begin();
  bool Open() const { return open_; }
  // GL's model-view matrix when Begin was called.
  const TGLMatrix& View() const { return view_; }
  // The square of half-width size in the plane x = 0 of place (a model-view matrix).
  TSpriteQuad Place(const TGLMatrix& place, float size, const TTexRect& texels) const;
  // A sprite drawn with the texture in one pass, or in two passes in order.
  void Add(GLuint texture, const TSpritePass& pass, const TSpriteQuad& quad);
  void Add(GLuint texture, const TSpritePass& first, const TSpritePass& second, const TSpriteQuad& quad);
  // Draws what is gathered and gives GL its matrices back.
  void End();

private:
  struct Group {
    GLuint texture = 0;
    std::array<TSpritePass, 2> passes;
    int passCount = 0;
    friend bool operator==(const Group&, const Group&) = default;
  };
  struct PixelBox {
    int x0, y0, x1, y1;
  };

  // Draws the quad in a draw of its own, as each sprite was once drawn.
  void DrawAlone(const Group& group, const TSpriteQuad& quad);
  // The pixels the quad may touch, or nothing when a corner lies behind the eye.
  std::optional<PixelBox> Box(const TSpriteQuad& quad) const;
  bool IsUpright(const TSpriteQuad& quad) const;
  // Whether every corner lies beyond one side of the view volume, so GL would draw no
  // pixel of the quad and it need not be handed over at all.
  static bool OutsideView(const TSpriteQuad& quad);
  // Whether every corner lies inside the view volume, so GL need not clip the quad.
  static bool InsideView(const TSpriteQuad& quad);
  // Whether a box shares a cell with the group's boxes; marks its cells when not.
  bool Overlaps(const PixelBox& box);
  void Flush();

  bool open_ = false;
  TGLMatrix view_;
  TGLMatrix projection_;
  std::array<GLint, 4> viewport_{};
  Group group_;
  std::vector<TSpriteQuad> quads_;
  // Cells of the view the two-pass group covers.
  int cellColumns_ = 0;
  std::vector<std::uint8_t> covered_;
};
