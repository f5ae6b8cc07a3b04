// The ground of the demo place: a grass square around a cobbled plaza, a terrace to
// the north behind a block edge with a ramp up, a hill of smooth slopes to the east
// reached by a ramp along X, and a sunken pond to the west. Together they use every
// floor shape the grid knows.

#include "room/edit_room.h"
#include "sample_world/demo_parts.h"

namespace demo {
namespace {

// Field kinds by their position in the [FIELD_TYPUS] list.
enum FieldShape : std::int16_t { Floor = 1, QuietFloor = 2, Block = 3, Slope = 4, SteepSlope = 5, RampZ = 6, RampX = 7 };
// [FIELD_MATERIAL] entries.
enum FieldMaterial : std::int16_t { Earth = 0, Grass = 1, Stone = 2, Wood = 3, Mud = 4, Gravel = 6, ShallowWater = 8 };

int Column(float x) { return static_cast<int>(x) + 30; }

// Every field whose low corner lies in [x0, x1) x [z0, z1).
template <typename Fn>
void ForFields(TRoom& room, float x0, float x1, float z0, float z1, Fn fn) {
  for (int x = Column(x0); x < Column(x1); ++x)
    for (int z = Column(z0); z < Column(z1); ++z) fn(room.FieldOf(x, z), x - 30, z - 30);
}

void Set(TField& f, std::int16_t typus, std::int16_t material, float height, float ceiling = 10.0f) {
  f.Typus = typus;
  f.Material = material;
  f.Height = height;
  f.Ceiling = ceiling;
}

}  // namespace

void ShapeFields(TRoom& room) {
  room.ClearFields();
  ForFields(room, AreaMin, AreaMax, AreaMin, AreaMax, [](TField& f, int, int) { Set(f, Floor, Grass, 0.0f); });
  // Plaza: cobbles that make no step sound of their own.
  ForFields(room, -5, 5, -4, 6, [](TField& f, int, int) { Set(f, QuietFloor, Stone, 0.0f); });
  // Terrace, its block edge and the ramp up to it.
  ForFields(room, AreaMin, AreaMax, AreaMin, -8, [](TField& f, int, int) { Set(f, Floor, Earth, TerraceHeight); });
  ForFields(room, AreaMin, AreaMax, -8, -7, [](TField& f, int, int) { Set(f, Block, Stone, 0.0f, TerraceHeight); });
  ForFields(room, -3, 3, -8, -7, [](TField& f, int, int) { Set(f, RampZ, Gravel, 0.0f); });
  // Hill: rising eastward, steeper near the edge; the ramp along X climbs onto it.
  ForFields(room, 8, AreaMax, -7, 8, [](TField& f, int x, int z) {
    const float h = 0.6f + 0.35f * static_cast<float>(x - 8) + 0.1f * static_cast<float>((z * 7) % 3);
    Set(f, x >= 12 ? SteepSlope : Slope, x >= 12 ? Earth : Grass, h);
  });
  ForFields(room, 7, 8, -7, 8, [](TField& f, int, int) { Set(f, RampX, Mud, 0.0f); });
  // Pond: sunken floor under the water surface.
  ForFields(room, -12, -6, 0, 8, [](TField& f, int, int) { Set(f, Floor, ShallowWater, PondDepth); });
}

TVector OnFloor(const TRoom& room, float x, float z) { return {x, room.HeightAt({x, 0.0f, z}), z}; }

}  // namespace demo
