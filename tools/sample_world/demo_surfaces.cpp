// Surfaces over the fields: the editor draws the grid only as an overlay, so what the
// 3D view shows as ground are these quads, two metres square, with their corners on
// the floor heights and a texture chosen by the field material under them.

#include "room/edit_room.h"
#include "sample_world/demo_parts.h"
#include "sample_world/material_textures.h"

namespace demo {
namespace {

constexpr float Tile = 2.0f;
// Corners are sampled just inside the tile, so a tile takes the heights of its own
// fields and not those of the neighbour across the border.
constexpr float Inset = 0.01f;

const char* TextureOf(std::int16_t fieldMaterial) {
  switch (fieldMaterial) {
    case 1: return material::Grass;
    case 2: return material::Cobbles;
    case 4:
    case 8: return material::Mud;
    case 6: return material::Stone;
    default: return material::Mud;
  }
}

TSurface* AddFloor(TRoom& room, float x0, float z0) {
  const float x1 = x0 + Tile, z1 = z0 + Tile;
  const auto at = [&](float x, float z, float dx, float dz) {
    TVector p = OnFloor(room, x + dx, z + dz);
    p.x = x;
    p.z = z;
    return p;
  };
  // Corner 0 -> 1 runs along +x and corner 0 -> 3 along +z, so the normal points up.
  const TVector p0 = at(x0, z0, Inset, Inset), p1 = at(x1, z0, -Inset, Inset);
  const TVector p2 = at(x1, z1, -Inset, -Inset), p3 = at(x0, z1, Inset, -Inset);
  const TField* centre = room.FieldAt({x0 + Tile / 2.0f, 0.0f, z0 + Tile / 2.0f});
  return room.AddSurface(p0, p1, p2, p3, TextureOf(centre ? centre->Material : 0));
}

// An upright wall seen from +x (the west edge) between z0 and z1 from the floor up.
// Surfaces are drawn from their last corner to their first, so this order faces +x on
// screen even though the stored normal, whose middle component is mirrored, says -x.
TSurface* AddWall(TRoom& room, float x, float z0, float z1, float bottom, float top, const char* texture) {
  return room.AddSurface({x, bottom, z0}, {x, bottom, z1}, {x, top, z1}, {x, top, z0}, texture);
}

}  // namespace

int AddSurfaces(TRoom& room) {
  int refused = 0;
  const auto count = [&refused](TSurface* s, const char* name) {
    if (!s) {
      ++refused;
      return;
    }
    s->name = name;
  };
  for (float x = AreaMin; x < AreaMax; x += Tile)
    for (float z = AreaMin; z < AreaMax; z += Tile) count(AddFloor(room, x, z), "GROUND");
  // The house front on the west edge, in four bays, and a jetty over the pond.
  for (float z = AreaMin; z < AreaMax; z += 7.0f)
    count(AddWall(room, AreaMin, z, z + 7.0f, z < -7.0f ? TerraceHeight : 0.0f, 4.5f, material::Bricks), "HOUSE");
  count(room.AddSurface({-8.0f, 0.1f, 2.0f}, {-6.0f, 0.1f, 2.0f}, {-6.0f, 0.1f, 6.0f}, {-8.0f, 0.1f, 6.0f},
                        material::Planks),
        "JETTY");
  // Texture repeats: one picture per metre on floors and walls.
  for (int i = 0; i <= room.LastSurface; ++i) {
    TSurface& s = *room.Surfaces[i];
    if (!s.InUse()) continue;
    s.texPerMetreS = 1.0f;
    s.texPerMetreT = 1.0f;
    s.lightMapTexelsPerMetre = 8.0f;
    s.Recompute();
  }
  return refused;
}

}  // namespace demo
