#pragma once
// Scenes where the two shadow rules part ways, with the answer each rule must give.
// The ray caster's tests and the rendered test's tests run the same cases, so both
// methods are held to the same rule.

#include <cstdint>
#include <string>
#include <vector>

#include "room/edit_room.h"
#include "surfaces/occlusion.h"

struct ShadowCase {
  std::string name;
  TVector light;
  TVector point;
  std::int16_t skipSurface;
  bool hiddenExact;
  bool hiddenLiteral;

  bool Hidden(OcclusionRule rule) const { return rule == OcclusionRule::Exact ? hiddenExact : hiddenLiteral; }
};

// Adds the scenes' surfaces to an empty room and returns the cases.
inline std::vector<ShadowCase> BuildShadowCases(TRoom& room) {
  const auto slot = [](const TSurface* s) { return s ? s->slotIndex : std::int16_t{-2}; };
  const auto floor = [&](float x0, float z0, float x1, float z1, float y) {
    return room.AddSurface({x0, y, z0}, {x1, y, z0}, {x1, y, z1}, {x0, y, z1}, "textures\\floor");
  };
  // A wall of two upright surfaces 0.3 m apart across x = 5, lit from inside.
  const TSurface* inner = room.AddSurface({5, 0, -1}, {5, 0, 1}, {5, 2, 1}, {5, 2, -1}, "textures\\wall");
  room.AddSurface({5.3f, 0, -1}, {5.3f, 0, 1}, {5.3f, 2, 1}, {5.3f, 2, -1}, "textures\\wall");
  // A slab 1 m above a floor, lit from 5 m above the slab.
  const TSurface* slab = floor(-6, -6, -5, -5, 1);
  const TSurface* ground = floor(-8, -8, -3, -3, 0);
  // A patch of floor 25 m from a light of radius 30, nothing in between.
  const TSurface* far = floor(12, 11, 14, 13, 0);
  return {
      {"inner face of a thick wall", {2, 1, 0}, {5, 1.2f, 0.3f}, slot(inner), false, true},
      {"top of a slab over a floor", {-5.5f, 6, -5.5f}, {-5.4f, 1, -5.6f}, slot(slab), false, true},
      {"25 m from the light", {-12, 1, 12}, {13, 0, 12}, slot(far), false, true},
      {"on another drawn surface", {-5.5f, 6, -5.5f}, {-7, 0, -7}, -1, true, true},
      {"on the skipped surface", {-5.5f, 6, -5.5f}, {-7, 0, -7}, slot(ground), false, false},
      {"behind the wall", {2, 1, 0}, {7, 1, 0.2f}, -1, true, true},
  };
}
