#include "surfaces/triangle_bvh.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

#include <xmmintrin.h>

#include "core/bounding_box.h"

namespace {

constexpr std::uint32_t LeafSize = 4;
constexpr int Bins = 12;
constexpr int MaxDepth = 48;  // the traversal stack is sized from it

BoundingBox BoxOf(const OccluderTriangle& t) {
  BoundingBox box;
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
  BoundingBox bounds;
  BoundingBox centroids;
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
    std::array<BoundingBox, Bins> binBoxes;
    std::array<std::uint32_t, Bins> binCounts{};
    for (std::uint32_t i = first; i < first + count; ++i) {
      const int bin = std::min(Bins - 1, static_cast<int>((Centroid(triangles_[i], axis) - lo) / extent * Bins));
      binBoxes[bin].Grow(BoxOf(triangles_[i]));
      ++binCounts[bin];
    }
    // Costs of every split between bin b and b + 1, from both ends.
    std::array<float, Bins> leftCost{};
    BoundingBox running;
    std::uint32_t runningCount = 0;
    for (int b = 0; b < Bins - 1; ++b) {
      running.Grow(binBoxes[b]);
      runningCount += binCounts[b];
      leftCost[b] = running.Area() * static_cast<float>(runningCount);
    }
    running = BoundingBox{};
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

namespace {

// Whether the ray meets the triangle for some t in [tMin, tMax), unless its owner is skipped.
inline bool Hits(const TriangleBvh::Prepared& t, const float* o, const float* d, float tMin, float tMax,
                 std::int16_t skipEntity, std::int16_t skipSurface) {
  if (t.surface == skipSurface && skipSurface >= 0) return false;
  if (t.entity == skipEntity && skipEntity >= 0) return false;
  float p[3];
  Cross(d, t.e2, p);
  const float det = Dot(t.e1, p);
  // det > 0: the ray meets the counter-clockwise side, the front face.
  if (det == 0.0f || (t.frontOnly && det < 0.0f)) return false;
  const float invDet = 1.0f / det;
  const float s[3] = {o[0] - t.v0[0], o[1] - t.v0[1], o[2] - t.v0[2]};
  const float u = Dot(s, p) * invDet;
  if (u < 0.0f || u > 1.0f) return false;
  float q[3];
  Cross(s, t.e1, q);
  const float v = Dot(d, q) * invDet;
  if (v < 0.0f || u + v > 1.0f) return false;
  const float hit = Dot(t.e2, q) * invDet;
  return hit >= tMin && hit < tMax;
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
      // min and max rather than a swap: no branch to mispredict.
      const float t0 = (node.lo[i] - o[i]) * inv[i];
      const float t1 = (node.hi[i] - o[i]) * inv[i];
      enter = std::max(enter, std::min(t0, t1));
      leave = std::min(leave, std::max(t0, t1));
    }
    if (enter > leave) continue;
    if (node.count == 0) {
      const auto self = static_cast<std::uint32_t>(&node - nodes_.data());
      stack[top++] = node.first;
      stack[top++] = self + 1;
      continue;
    }
    for (std::uint32_t i = node.first; i < node.first + node.count; ++i)
      if (Hits(prepared_[i], o, d, tMin, tMax, skipEntity, skipSurface)) return true;
  }
  return false;
}

// Each ray walks the tree as AnyHit would walk it alone: a node is tested for the rays
// that passed its parent, and a triangle only for the rays that passed its leaf, so each
// answer is AnyHit's. The rays share the node loads and the box tests' instructions.
unsigned TriangleBvh::AnyHit4(const TVector& origin, const TVector (&directions)[4], float tMin,
                              const float (&tMax)[4], unsigned rays, std::int16_t skipEntity,
                              std::int16_t skipSurface) const {
  for (int r = 0; r < 4; ++r)
    if (!(tMin < tMax[r])) rays &= ~(1u << r);
  if (nodes_.empty() || rays == 0) return 0;
  const float o[3] = {origin.x, origin.y, origin.z};
  float d[4][3];
  alignas(16) float inv[3][4];
  for (int r = 0; r < 4; ++r) {
    d[r][0] = directions[r].x;
    d[r][1] = directions[r].y;
    d[r][2] = directions[r].z;
    for (int i = 0; i < 3; ++i) inv[i][r] = SafeReciprocal(d[r][i]);
  }
  const __m128 inv4[3] = {_mm_load_ps(inv[0]), _mm_load_ps(inv[1]), _mm_load_ps(inv[2])};
  const __m128 tMin4 = _mm_set1_ps(tMin);
  const __m128 tMax4 = _mm_loadu_ps(tMax);

  unsigned hits = 0;
  std::uint32_t stack[MaxDepth + 2];
  unsigned masks[MaxDepth + 2];
  int top = 0;
  stack[top] = 0;
  masks[top++] = rays;
  while (top > 0) {
    --top;
    const unsigned mask = masks[top] & ~hits;
    if (mask == 0) continue;
    const Node& node = nodes_[stack[top]];
    __m128 enter = tMin4;
    __m128 leave = tMax4;
    for (int i = 0; i < 3; ++i) {
      const __m128 t0 = _mm_mul_ps(_mm_set1_ps(node.lo[i] - o[i]), inv4[i]);
      const __m128 t1 = _mm_mul_ps(_mm_set1_ps(node.hi[i] - o[i]), inv4[i]);
      enter = _mm_max_ps(enter, _mm_min_ps(t0, t1));
      leave = _mm_min_ps(leave, _mm_max_ps(t0, t1));
    }
    const unsigned pass = mask & ~static_cast<unsigned>(_mm_movemask_ps(_mm_cmpgt_ps(enter, leave)));
    if (pass == 0) continue;
    if (node.count == 0) {
      const auto self = static_cast<std::uint32_t>(&node - nodes_.data());
      stack[top] = node.first;
      masks[top++] = pass;
      stack[top] = self + 1;
      masks[top++] = pass;
      continue;
    }
    for (int r = 0; r < 4; ++r) {
      if (!(pass & (1u << r))) continue;
      for (std::uint32_t i = node.first; i < node.first + node.count; ++i) {
        if (Hits(prepared_[i], o, d[r], tMin, tMax[r], skipEntity, skipSurface)) {
          hits |= 1u << r;
          break;
        }
      }
    }
    if (hits == rays) break;
  }
  return hits;
}
