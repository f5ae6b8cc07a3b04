#pragma once
// An axis-aligned box that starts empty and grows around what it is given.

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "core/vector.h"

struct BoundingBox {
  std::array<float, 3> lo{std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
                          std::numeric_limits<float>::max()};
  std::array<float, 3> hi{-std::numeric_limits<float>::max(), -std::numeric_limits<float>::max(),
                          -std::numeric_limits<float>::max()};

  void Grow(const TVector& p) {
    const float v[3] = {p.x, p.y, p.z};
    for (int i = 0; i < 3; ++i) {
      lo[i] = std::min(lo[i], v[i]);
      hi[i] = std::max(hi[i], v[i]);
    }
  }
  void Grow(const BoundingBox& b) {
    for (int i = 0; i < 3; ++i) {
      lo[i] = std::min(lo[i], b.lo[i]);
      hi[i] = std::max(hi[i], b.hi[i]);
    }
  }
  bool Empty() const { return lo[0] > hi[0]; }
  bool Finite() const {
    for (int i = 0; i < 3; ++i)
      if (!std::isfinite(lo[i]) || !std::isfinite(hi[i])) return false;
    return true;
  }
  // Half the surface area, which is all a split cost compares.
  float Area() const {
    if (Empty()) return 0.0f;
    const float x = hi[0] - lo[0], y = hi[1] - lo[1], z = hi[2] - lo[2];
    return x * y + y * z + z * x;
  }
  // Distance from p to the box (0 inside).
  float DistanceTo(const TVector& p) const {
    const float v[3] = {p.x, p.y, p.z};
    float sum = 0.0f;
    for (int i = 0; i < 3; ++i) {
      const float out = std::max({lo[i] - v[i], 0.0f, v[i] - hi[i]});
      sum += out * out;
    }
    return std::sqrt(sum);
  }
};
