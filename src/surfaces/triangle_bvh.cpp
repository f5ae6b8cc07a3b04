#include "surfaces/triangle_bvh.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numeric>

namespace {

constexpr std::uint32_t LeafSize = 4;
constexpr int Bins = 12;
constexpr int MaxDepth = 48;  // the traversal stack is sized from it

struct Box {
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
  void Grow(const Box& b) {
    for (int i = 0; i < 3; ++i) {
      lo[i] = std::min(lo[i], b.lo[i]);
      hi[i] = std::max(hi[i], b.hi[i]);
    }
  }
  bool Empty() const { return lo[0] > hi[0]; }
  float Area() const {
    if (Empty()) return 0.0f;
    const float x = hi[0] - lo[0], y = hi[1] - lo[1], z = hi[2] - lo[2];
    return x * y + y * z + z * x;
  }
};

Box BoxOf(const OccluderTriangle& t) {
  Box box;
  box.Grow(t.a);
  box.Grow(t.b);
  box.Grow(t.c);
  return box;
}

float Centroid(const OccluderTriangle& t, int axis) {
  const auto at = [axis](const TVector& v) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; };
  return (at(t.a) + at(t.b) + at(t.c)) / 3.0f;
}

}  // namespace

TriangleBvh::TriangleBvh(std::vector<OccluderTriangle> triangles) : triangles_(std::move(triangles)) {
  if (triangles_.empty()) return;
  nodes_.reserve(2 * triangles_.size());
  Build(0, static_cast<std::uint32_t>(triangles_.size()), 0);
  prepared_.reserve(triangles_.size());
  for (const OccluderTriangle& t : triangles_) {
    prepared_.push_back({{t.a.x, t.a.y, t.a.z},
                         {t.b.x - t.a.x, t.b.y - t.a.y, t.b.z - t.a.z},
                         {t.c.x - t.a.x, t.c.y - t.a.y, t.c.z - t.a.z},
                         t.entity,
                         t.surface,
                         t.frontOnly});
  }
}

// Binned surface-area split on the triangle centroids; a range that no split improves
// (or that is small or deep enough) becomes a leaf. Returns the node's index.
std::uint32_t TriangleBvh::Build(std::uint32_t first, std::uint32_t count, int depth) {
  const auto index = static_cast<std::uint32_t>(nodes_.size());
  nodes_.push_back({});
  Box bounds;
  Box centroids;
  for (std::uint32_t i = first; i < first + count; ++i) {
    bounds.Grow(BoxOf(triangles_[i]));
    centroids.Grow(TVector{Centroid(triangles_[i], 0), Centroid(triangles_[i], 1), Centroid(triangles_[i], 2)});
  }
  const auto makeLeaf = [&] {
    Node& node = nodes_[index];
    std::copy(bounds.lo.begin(), bounds.lo.end(), node.lo);
    std::copy(bounds.hi.begin(), bounds.hi.end(), node.hi);
    node.first = first;
    node.count = count;
    return index;
  };
  if (count <= LeafSize || depth >= MaxDepth) return makeLeaf();

  int bestAxis = -1;
  int bestBin = 0;
  float bestCost = bounds.Area() * static_cast<float>(count);  // the cost of staying a leaf
  for (int axis = 0; axis < 3; ++axis) {
    const float lo = centroids.lo[axis];
    const float extent = centroids.hi[axis] - lo;
    if (!(extent > 0.0f)) continue;
    std::array<Box, Bins> binBoxes;
    std::array<std::uint32_t, Bins> binCounts{};
    for (std::uint32_t i = first; i < first + count; ++i) {
      const int bin = std::min(Bins - 1, static_cast<int>((Centroid(triangles_[i], axis) - lo) / extent * Bins));
      binBoxes[bin].Grow(BoxOf(triangles_[i]));
      ++binCounts[bin];
    }
    // Costs of every split between bin b and b + 1, from both ends.
    std::array<float, Bins> leftCost{};
    Box running;
    std::uint32_t runningCount = 0;
    for (int b = 0; b < Bins - 1; ++b) {
      running.Grow(binBoxes[b]);
      runningCount += binCounts[b];
      leftCost[b] = running.Area() * static_cast<float>(runningCount);
    }
    running = Box{};
    runningCount = 0;
    for (int b = Bins - 1; b > 0; --b) {
      running.Grow(binBoxes[b]);
      runningCount += binCounts[b];
      const float cost = leftCost[b - 1] + running.Area() * static_cast<float>(runningCount);
      if (cost < bestCost) {
        bestCost = cost;
        bestAxis = axis;
        bestBin = b;
      }
    }
  }
  if (bestAxis < 0) return makeLeaf();

  const float lo = centroids.lo[bestAxis];
  const float extent = centroids.hi[bestAxis] - lo;
  const auto middle = std::partition(triangles_.begin() + first, triangles_.begin() + first + count,
                                     [&](const OccluderTriangle& t) {
                                       const int bin = std::min(
                                           Bins - 1, static_cast<int>((Centroid(t, bestAxis) - lo) / extent * Bins));
                                       return bin < bestBin;
                                     });
  const auto leftCount = static_cast<std::uint32_t>(middle - (triangles_.begin() + first));
  if (leftCount == 0 || leftCount == count) return makeLeaf();

  Build(first, leftCount, depth + 1);  // lands at index + 1
  const std::uint32_t right = Build(first + leftCount, count - leftCount, depth + 1);
  Node& node = nodes_[index];
  std::copy(bounds.lo.begin(), bounds.lo.end(), node.lo);
  std::copy(bounds.hi.begin(), bounds.hi.end(), node.hi);
  node.first = right;
  node.count = 0;
  return index;
}

namespace {

inline float Dot(const float* a, const float* b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

inline void Cross(const float* a, const float* b, float* out) {
  out[0] = a[1] * b[2] - a[2] * b[1];
  out[1] = a[2] * b[0] - a[0] * b[2];
  out[2] = a[0] * b[1] - a[1] * b[0];
}

// A zero component would make the slab test compute 0 * infinity; a tiny one keeps the
// reciprocal finite and the answer the same.
inline float SafeReciprocal(float v) {
  constexpr float Tiny = 1e-30f;
  if (std::fabs(v) < Tiny) v = v < 0.0f ? -Tiny : Tiny;
  return 1.0f / v;
}

}  // namespace

bool TriangleBvh::AnyHit(const TVector& origin, const TVector& direction, float tMin, float tMax,
                         std::int16_t skipEntity, std::int16_t skipSurface) const {
  if (nodes_.empty() || !(tMin < tMax)) return false;
  const float o[3] = {origin.x, origin.y, origin.z};
  const float d[3] = {direction.x, direction.y, direction.z};
  const float inv[3] = {SafeReciprocal(d[0]), SafeReciprocal(d[1]), SafeReciprocal(d[2])};

  std::uint32_t stack[MaxDepth + 2];
  int top = 0;
  stack[top++] = 0;
  while (top > 0) {
    const Node& node = nodes_[stack[--top]];
    float enter = tMin;
    float leave = tMax;
    for (int i = 0; i < 3; ++i) {
      float t0 = (node.lo[i] - o[i]) * inv[i];
      float t1 = (node.hi[i] - o[i]) * inv[i];
      if (t0 > t1) std::swap(t0, t1);
      enter = std::max(enter, t0);
      leave = std::min(leave, t1);
    }
    if (enter > leave) continue;
    if (node.count == 0) {
      const auto self = static_cast<std::uint32_t>(&node - nodes_.data());
      stack[top++] = node.first;
      stack[top++] = self + 1;
      continue;
    }
    for (std::uint32_t i = node.first; i < node.first + node.count; ++i) {
      const Prepared& t = prepared_[i];
      if (t.surface == skipSurface && skipSurface >= 0) continue;
      if (t.entity == skipEntity && skipEntity >= 0) continue;
      float p[3];
      Cross(d, t.e2, p);
      const float det = Dot(t.e1, p);
      // det > 0: the ray meets the counter-clockwise side, the front face.
      if (det == 0.0f || (t.frontOnly && det < 0.0f)) continue;
      const float invDet = 1.0f / det;
      const float s[3] = {o[0] - t.v0[0], o[1] - t.v0[1], o[2] - t.v0[2]};
      const float u = Dot(s, p) * invDet;
      if (u < 0.0f || u > 1.0f) continue;
      float q[3];
      Cross(s, t.e1, q);
      const float v = Dot(d, q) * invDet;
      if (v < 0.0f || u + v > 1.0f) continue;
      const float hit = Dot(t.e2, q) * invDet;
      if (hit >= tMin && hit < tMax) return true;
    }
  }
  return false;
}
