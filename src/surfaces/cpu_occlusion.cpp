#include "surfaces/cpu_occlusion.h"

#include <cmath>

#include "surfaces/occluder_scene.h"

namespace shadow_depth {

// The perspective depth mapping with the depth range 0..1.
float WindowDepth(float distance) { return Far * (distance - Near) / (distance * (Far - Near)); }

float DistanceAtDepth(float depth) { return Far * Near / (Far - depth * (Far - Near)); }

}  // namespace shadow_depth

CpuOcclusion::CpuOcclusion(TRoom& room) : scene_(CollectOccluders(room)) {}

bool CpuOcclusion::IsOccluded(std::int16_t skipEntity, std::int16_t skipSurface, const TVector& from,
                              const TVector& to) {
  using namespace shadow_depth;
  const TVector axis{to.x - from.x, to.y - from.y, to.z - from.z};
  const float distance = std::sqrt(axis.x * axis.x + axis.y * axis.y + axis.z * axis.z);
  // A target outside the near and far planes is clipped, which counts as hidden.
  if (!(distance >= Near && distance <= Far)) return true;
  // Nothing drawn leaves the cleared depth 1; a target that needs more is never lit.
  const float needed = WindowDepth(distance) + Margin;
  if (!(1.0f >= needed)) return true;
  const TVector unit{axis.x / distance, axis.y / distance, axis.z / distance};
  return scene_.AnyHit(from, unit, Near, DistanceAtDepth(needed), skipEntity, skipSurface);
}
