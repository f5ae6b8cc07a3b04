#pragma once
// Whether a straight line between two points is blocked by the room's geometry. Light
// maps and the texture bake see only this, so the GL depth test and a CPU ray caster
// can stand in for each other.

#include <cstdint>

#include "core/vector.h"

class Occlusion {
public:
  virtual ~Occlusion() = default;
  // skipEntity / skipSurface: slots left out of the test (-1 = none), so a surface
  // never shadows its own light map.
  virtual bool IsOccluded(std::int16_t skipEntity, std::int16_t skipSurface, const TVector& from,
                          const TVector& to) = 0;
};
