#include "surfaces/cpu_occlusion.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "room/edit_room.h"
#include "surfaces/occluder_scene.h"

namespace shadow_depth {

// The perspective depth mapping with the depth range 0..1.
float WindowDepth(float distance) { return Far * (distance - Near) / (distance * (Far - Near)); }

float DistanceAtDepth(float depth) { return Far * Near / (Far - depth * (Far - Near)); }

}  // namespace shadow_depth

namespace {

constexpr double ViewAspect = 4.0 / 3.0;  // the projection's, whatever the view's size
const double HalfFieldTangent = std::tan(22.5 * std::numbers::pi / 180.0);

// How far the centre of the pixel read lies from the view's centre, as a slope: the
// pixel is the one holding the centre, whose own centre is half a pixel further on a
// view of even size.
float PixelSlope(int pixels, double frustumHalfWidth) {
  const double centre = pixels / 2.0;
  const double offset = (pixels / 2) + 0.5 - centre;
  return static_cast<float>(offset * 2.0 / pixels * frustumHalfWidth);
}

}  // namespace

CpuOcclusion::CpuOcclusion(TRoom& room, ShadowView view) : CpuOcclusion(TriangleBvh(CollectOccluders(room)), view) {}

CpuOcclusion::CpuOcclusion(TriangleBvh scene, ShadowView view)
    : scene_(std::move(scene)),
      slopeRight_(PixelSlope(std::max(view.width, 1), HalfFieldTangent * ViewAspect)),
      slopeUp_(PixelSlope(std::max(view.height, 1), HalfFieldTangent)) {}

CpuOcclusion::Ray CpuOcclusion::RayTo(const TVector& from, const TVector& to) const {
  using namespace shadow_depth;
  const TVector axis{to.x - from.x, to.y - from.y, to.z - from.z};
  const float distance = std::sqrt(axis.x * axis.x + axis.y * axis.y + axis.z * axis.z);
  // A target outside the near and far planes is clipped, which counts as hidden.
  if (!(distance >= Near && distance <= Far)) return {true, true, {}, 0.0f};
  float reach = distance + ExactDistanceMargin;
  if (Rule == OcclusionRule::Literal) {
    // Nothing drawn leaves the cleared depth 1; a target that needs more is never lit.
    const float needed = WindowDepth(distance) + LiteralDepthMargin;
    if (!(1.0f >= needed)) return {true, true, {}, 0.0f};
    reach = DistanceAtDepth(needed);
  }
  const TVector forward{axis.x / distance, axis.y / distance, axis.z / distance};
  // The camera's right and up for a view turned by pitch and yaw only (a view straight
  // up or down has yaw 0).
  const float flat = std::sqrt(forward.x * forward.x + forward.z * forward.z);
  const TVector right = flat > 1e-6f ? TVector{-forward.z / flat, 0.0f, forward.x / flat} : TVector{1, 0, 0};
  const TVector up{right.y * forward.z - right.z * forward.y, right.z * forward.x - right.x * forward.z,
                   right.x * forward.y - right.y * forward.x};
  // Along this ray the parameter is the depth along the view axis, which the planes and
  // the depth rule are stated in.
  const TVector ray{forward.x + slopeRight_ * right.x + slopeUp_ * up.x,
                    forward.y + slopeRight_ * right.y + slopeUp_ * up.y,
                    forward.z + slopeRight_ * right.z + slopeUp_ * up.z};
  return {false, false, ray, reach};
}

bool CpuOcclusion::IsOccluded(std::int16_t skipEntity, std::int16_t skipSurface, const TVector& from,
                              const TVector& to) {
  const Ray ray = RayTo(from, to);
  if (ray.decided) return ray.occluded;
  return scene_.AnyHit(from, ray.direction, shadow_depth::Near, ray.reach, skipEntity, skipSurface);
}

void CpuOcclusion::AreOccluded(std::int16_t skipEntity, std::int16_t skipSurface, const TVector& from,
                               std::span<const TVector> to, std::span<bool> occluded) {
  // The rays are cast four at a time.
  TVector directions[4];
  float reaches[4];
  std::size_t targets[4];
  int count = 0;
  const auto cast = [&] {
    if (count == 0) return;
    for (int r = count; r < 4; ++r) directions[r] = directions[0], reaches[r] = reaches[0];
    const unsigned hits = scene_.AnyHit4(from, directions, shadow_depth::Near, reaches, (1u << count) - 1,
                                         skipEntity, skipSurface);
    for (int r = 0; r < count; ++r) occluded[targets[r]] = (hits >> r) & 1u;
    count = 0;
  };
  for (std::size_t i = 0; i < to.size() && i < occluded.size(); ++i) {
    const Ray ray = RayTo(from, to[i]);
    if (ray.decided) {
      occluded[i] = ray.occluded;
      continue;
    }
    if (count == 4) cast();
    directions[count] = ray.direction;
    reaches[count] = ray.reach;
    targets[count++] = i;
  }
  cast();
}

float CpuOcclusion::RaySlope() const { return std::hypot(slopeRight_, slopeUp_); }
