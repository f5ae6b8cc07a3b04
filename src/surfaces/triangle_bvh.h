#pragma once
// A bounding-volume hierarchy over the occluding triangles of a room, answering one
// question fast: does anything block this stretch of a ray? Built once per bake and
// then read by many threads at once.

#include <cstdint>
#include <vector>

#include "core/vector.h"

struct OccluderTriangle {
  TVector a;
  TVector b;
  TVector c;
  std::int16_t entity = -1;   // owning entity slot, -1 for none
  std::int16_t surface = -1;  // owning surface slot, -1 for none
  // Culled models hide only with their front faces (counter-clockwise seen from the ray's origin).
  bool frontOnly = false;
};

class TriangleBvh {
public:
  TriangleBvh() = default;
  explicit TriangleBvh(std::vector<OccluderTriangle> triangles);

  // Whether a triangle not owned by the skipped slots crosses origin + t * direction
  // for some t in [tMin, tMax). direction need not be unit length.
  bool AnyHit(const TVector& origin, const TVector& direction, float tMin, float tMax, std::int16_t skipEntity,
              std::int16_t skipSurface) const;

  // AnyHit for up to four rays from one origin at once (those set in `rays`, a bit per
  // ray); the rays it finds blocked, as bits. Each answer is what AnyHit gives alone.
  unsigned AnyHit4(const TVector& origin, const TVector (&directions)[4], float tMin, const float (&tMax)[4],
                   unsigned rays, std::int16_t skipEntity, std::int16_t skipSurface) const;

  const std::vector<OccluderTriangle>& Triangles() const { return triangles_; }
  std::size_t TriangleCount() const { return triangles_.size(); }
  std::size_t NodeCount() const { return nodes_.size(); }

  struct Node {
    float lo[3];
    float hi[3];
    std::uint32_t first;  // first triangle of a leaf, right child of an inner node
    std::uint32_t count;  // 0 for an inner node (left child follows it)
  };
  // A triangle as the intersection test wants it: a vertex and two edges.
  struct Prepared {
    float v0[3];
    float e1[3];
    float e2[3];
    std::int16_t entity;
    std::int16_t surface;
    bool frontOnly;
  };

private:
  std::uint32_t Build(std::uint32_t first, std::uint32_t count, int depth);

  std::vector<OccluderTriangle> triangles_;
  std::vector<Prepared> prepared_;
  std::vector<Node> nodes_;
};
