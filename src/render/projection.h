#pragma once
// Screen-space services that ask the GL pipeline itself: where a world point lands on
// the virtual 640 x 480 screen, the depth it would get, the depth already drawn at a
// screen point, a sprite cut from a texture sheet, and the occlusion test that renders
// the room from one point towards another.

#include <cstdint>

#include "core/vector.h"
#include "surfaces/occlusion.h"

class TEditGL;

class TProjection {
public:
  explicit TProjection(TEditGL& gl) : gl_(gl) {}

  // Through the camera's view transform and the current projection. A clipped point
  // gives (320, 240) and false.
  bool ProjectToScreen(const TVector& point, float& x, float& y);
  // Window depth 0..1 of the point, or -1 when it is clipped.
  float ProjectedDepth(const TVector& point);
  // The depth buffer at a virtual screen point; 1 (far) outside the panel.
  float ReadDepthAt(float x, float y);
  // The same at a pixel of the panel (0, 0 bottom left).
  float ReadDepthAtPixel(int px, int py);
  // Inside BeginOverlay2D/EndOverlay2D: one cell (row from the top) of a texture sheet
  // centred on (x, y).
  void DrawSprite(std::int16_t slot, bool flipS, bool flipT, float size, float x, float y, int row, int column,
                  float cellHeight, float cellWidth);

private:
  TEditGL& gl_;
};

// The rendered shadow test: the entities and surfaces that cast light-pass shadows are
// drawn from `from` looking at `to`, and the depth on the view axis decides, by Rule.
class GLOcclusion : public Occlusion {
public:
  explicit GLOcclusion(TEditGL& gl) : gl_(gl) {}
  bool IsOccluded(std::int16_t skipEntity, std::int16_t skipSurface, const TVector& from,
                  const TVector& to) override;

private:
  TEditGL& gl_;
};
