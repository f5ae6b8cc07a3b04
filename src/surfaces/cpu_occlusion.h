#pragma once
// The shadow test on the processor. It reaches the same decision as the rendered test
// (camera at the light looking at the target, 45-degree perspective with near 0.2 and
// far 150, one depth read on the view axis) with one any-hit segment ray: the target is
// hidden exactly when an occluder lies between the near plane and the target's distance
// plus 1 cm (the exact rule), or plus whatever distance a window depth of 0.01 spans
// there (the literal rule).

#include <cstdint>

#include "surfaces/occlusion.h"
#include "surfaces/triangle_bvh.h"

class TRoom;

namespace shadow_depth {
inline constexpr float Near = 0.2f;
inline constexpr float Far = 150.0f;
// Window depth 0..1 of a point at this distance along the view axis.
float WindowDepth(float distance);
// The distance along the view axis whose window depth is `depth` (below 1).
float DistanceAtDepth(float depth);
}  // namespace shadow_depth

class CpuOcclusion : public Occlusion {
public:
  // Takes the room's occluders as they are now; later changes to the room are not seen.
  explicit CpuOcclusion(TRoom& room, ShadowView view = {});
  explicit CpuOcclusion(TriangleBvh scene, ShadowView view = {});

  // Safe to call from many threads at once (as long as Rule stays put).
  bool IsOccluded(std::int16_t skipEntity, std::int16_t skipSurface, const TVector& from,
                  const TVector& to) override;
  // Casts the rays four at a time; each answer is IsOccluded's.
  void AreOccluded(std::int16_t skipEntity, std::int16_t skipSurface, const TVector& from,
                   std::span<const TVector> to, std::span<bool> occluded) override;

  const TriangleBvh& Scene() const { return scene_; }
  // How far the cast ray strays from the line to the target, per metre along it.
  float RaySlope() const;

private:
  // One target's shadow ray, or the answer when the test decides without casting.
  struct Ray {
    bool decided;
    bool occluded;
    TVector direction;
    float reach;
  };
  Ray RayTo(const TVector& from, const TVector& to) const;

  TriangleBvh scene_;
  float slopeRight_;  // offset of the read pixel's ray per metre along the axis
  float slopeUp_;
};
