#pragma once
// Where the flat views (top and side) draw a room point, and which room point lies under
// a pointer pixel. The views are drawn in perspective: the eye stands FlatEyeDistance
// in front of the room's middle plane, the viewing axis is squashed by FlatViewScale,
// and the field of view narrows with the zoom. The pointer follows the same mapping, so
// what is drawn under the pointer is what the cursor and every pick get.

#include <optional>

#include "core/vector.h"

class TCamera;

namespace view_geometry {
constexpr double FieldOfView = 45.0;  // degrees, at zoom 1 and in the 3D view
// The projection of the designed 641 x 481 panel, and of the shadow test at any size.
constexpr double ViewAspect = 1.3333333333333333;
constexpr int DesignedWidth = 641;
constexpr int DesignedHeight = 481;
// The projection's aspect on a panel of this many pixels: 4:3 up to the designed panel
// (the bake's and the tests' 640 x 480 views included); the pixels beyond it keep the
// designed pixel's shape, so a wider panel shows more of the room and a taller one the
// same height larger.
double Aspect(int width, int height);
constexpr double NearPlane = 0.2;
constexpr double FarPlane = 150.0;
// The flat views' eye stands this far from the plane x-z (top) or x-y (side) ...
constexpr float FlatEyeDistance = 15.0f;
// ... and the viewing axis is squashed so the whole room's depth fits between the planes.
constexpr float FlatViewScale = 0.02f;
}  // namespace view_geometry

struct TViewPoint {
  float x;  // pixels from the view's left edge
  float y;  // pixels from the view's top edge
};

// The centre of view pixel (x, y), where the pointer standing on it points.
inline TViewPoint PixelCentre(int x, int y) { return {static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f}; }

class TViewMapping {
public:
  // The camera's mode, position, zoom and view size; only the flat views map.
  explicit TViewMapping(const TCamera& camera);

  // Where a room point is drawn (continuous pixel coordinates: the pixel (i, j) covers
  // i..i + 1 and j..j + 1), also beyond the view's edges; nothing for a point at or
  // behind the eye.
  std::optional<TViewPoint> ToView(const TVector& point) const;
  // The room point drawn at a view point on the plane at `depth` along the viewing
  // axis: y = depth in the top view, z = depth in the side view.
  TVector ToRoom(TViewPoint at, float depth) const;
  // Of a room point, the coordinate along the viewing axis (y in the top view, z in the side view).
  float DepthOf(const TVector& point) const;

private:
  // Distance from the eye along the viewing axis of the plane at `depth`.
  float EyeDistance(float depth) const;

  bool top_;
  TVector camera_;
  float width_;
  float height_;
  // Normalised device units per eye unit at distance 1, horizontally and vertically.
  float scaleX_;
  float scaleY_;
};
