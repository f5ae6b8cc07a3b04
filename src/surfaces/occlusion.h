#pragma once
// Whether a straight line between two points is blocked by the room's geometry. Light
// maps and the texture bake see only this, so the GL depth test and a CPU ray caster
// can stand in for each other.

#include <cstdint>
#include <span>

#include "core/vector.h"

// When a point counts as hidden from a light.
enum class OcclusionRule {
  // Something the light pass draws lies on the line from the light to the point, or
  // within 1 cm beyond it (so a point lying on another drawn surface is hidden).
  Exact,
  // The drawn window depth must be at least the point's own plus 0.01. Window depth
  // is not linear, so this margin is metres deep a few metres out and swallows the
  // whole depth range beyond about 17.7 m; kept to reproduce old bakes.
  Literal,
};

// The margins of the two rules.
inline constexpr float LiteralDepthMargin = 0.01f;  // window depth
inline constexpr float ExactDistanceMargin = 0.01f;  // metres beyond the point

// The view the rendered test draws into. It reads the depth of the pixel on the view's
// centre: on a view of even width that pixel's corner is the centre, so its ray runs
// half a pixel right of the axis (above it for an even height); the ray caster casts
// that same ray.
struct ShadowView {
  int width = 640;
  int height = 480;
};

class Occlusion {
public:
  virtual ~Occlusion() = default;
  OcclusionRule Rule = OcclusionRule::Exact;  // what every later test decides by

  // skipEntity / skipSurface: slots left out of the test (-1 = none), so a surface
  // never shadows its own light map.
  virtual bool IsOccluded(std::int16_t skipEntity, std::int16_t skipSurface, const TVector& from,
                          const TVector& to) = 0;
  // IsOccluded for several targets seen from one point; a test may answer them together.
  virtual void AreOccluded(std::int16_t skipEntity, std::int16_t skipSurface, const TVector& from,
                           std::span<const TVector> to, std::span<bool> occluded) {
    for (std::size_t i = 0; i < to.size() && i < occluded.size(); ++i)
      occluded[i] = IsOccluded(skipEntity, skipSurface, from, to[i]);
  }
};
