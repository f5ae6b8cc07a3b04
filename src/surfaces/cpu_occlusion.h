#pragma once
// The shadow test on the processor. It reaches the same decision as the rendered test
// (camera at the light looking at the target, 45-degree perspective with near 0.2 and
// far 150, visible when the depth drawn there is at least the target's own depth plus
// 0.01) with one any-hit segment ray: the target is hidden exactly when an occluder
// lies between the near plane and the distance whose depth is the target's plus 0.01.

#include <cstdint>

#include "surfaces/occlusion.h"
#include "surfaces/triangle_bvh.h"

class TRoom;

namespace shadow_depth {
inline constexpr float Near = 0.2f;
inline constexpr float Far = 150.0f;
inline constexpr float Margin = 0.01f;
// Window depth 0..1 of a point at this distance along the view axis.
float WindowDepth(float distance);
// The distance along the view axis whose window depth is `depth` (below 1).
float DistanceAtDepth(float depth);
}  // namespace shadow_depth

// The view the rendered test draws into. It reads the depth of the pixel whose corner
// is the view's centre, so its ray runs half a pixel right of and above the axis; the
// ray caster casts that same ray.
struct ShadowView {
  int width = 640;
  int height = 480;
};

class CpuOcclusion : public Occlusion {
public:
  // Takes the room's occluders as they are now; later changes to the room are not seen.
  explicit CpuOcclusion(TRoom& room, ShadowView view = {});
  explicit CpuOcclusion(TriangleBvh scene, ShadowView view = {});

  // Safe to call from many threads at once.
  bool IsOccluded(std::int16_t skipEntity, std::int16_t skipSurface, const TVector& from,
                  const TVector& to) override;

  const TriangleBvh& Scene() const { return scene_; }

private:
  TriangleBvh scene_;
  float slopeRight_;  // offset of the read pixel's ray per metre along the axis
  float slopeUp_;
};
