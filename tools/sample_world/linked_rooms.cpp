// Two small rooms that link the sample world together:
// - Cullen Abbey: a cobbled cloister walled in brick, columns round a fountain and an old
//   tree. Its door leads down into the cellar; its portal back out to the demo green.
// - Abbey Cellar: a low vault of earth and stone with stairs, a fire and a torch. Its
//   door leads up to the abbey gate; its portal to the lantern-lit green (the bake room).
// Every door and portal names a marker of the room it leads to.

#include "sample_world/linked_rooms.h"

#include <filesystem>
#include <stdexcept>

#include "core/file_system.h"
#include "engine/edit_engine.h"
#include "entities/entity_marker.h"
#include "entities/entity_portal.h"
#include "entities/entity_tile.h"
#include "entities/entity_typus.h"
#include "entities/tile_door.h"
#include "particles/particle_fire.h"
#include "particles/particle_fountain.h"
#include "room/edit_room.h"
#include "sample_world/demo_parts.h"
#include "sample_world/material_textures.h"
#include "sample_world/models.h"
#include "sample_world/textures.h"

namespace {

// Field kinds and materials by their position in the editor.ini lists.
constexpr std::int16_t Floor = 1;
constexpr std::int16_t QuietFloor = 2;
constexpr std::int16_t Earth = 0;
constexpr std::int16_t Grass = 1;
constexpr std::int16_t Stone = 2;

// Room file names as the game's doors spell them.
constexpr const char* ToDemo = "data\\world\\room\\demo.rer";
constexpr const char* ToBake = "data\\world\\room\\bake.rer";
constexpr const char* ToAbbey = "data\\world\\room\\abbey.rer";
constexpr const char* ToCellar = "data\\world\\room\\cellar.rer";
// Where the demo and bake rooms take arrivals.
constexpr const char* DemoArrival = "TERRACE_ARRIVAL";
constexpr const char* AbbeyGate = "ABBEY_GATE";
constexpr const char* CellarFoot = "CELLAR_FOOT";

int Column(float x) { return static_cast<int>(x) + TRoom::GridSize / 2; }

// Every field whose low corner lies in [x0, x1) x [z0, z1).
void SetFields(TRoom& room, float x0, float x1, float z0, float z1, std::int16_t typus, std::int16_t material,
               float ceiling) {
  for (int x = Column(x0); x < Column(x1); ++x)
    for (int z = Column(z0); z < Column(z1); ++z) {
      TField& field = room.FieldOf(x, z);
      field.Typus = typus;
      field.Material = material;
      field.Height = 0.0f;
      field.Ceiling = ceiling;
    }
}

void Name(TSurface* surface, const char* name) {
  if (!surface) throw std::logic_error("surface table full or a degenerate quad");
  surface->name = name;
  surface->texPerMetreS = 1.0f;
  surface->texPerMetreT = 1.0f;
  surface->lightMapTexelsPerMetre = 8.0f;
  surface->Recompute();
}

// Flat floor tiles of two metres over [x0, x1) x [z0, z1).
void AddFloor(TRoom& room, float x0, float x1, float z0, float z1, const char* texture, const char* name) {
  for (float x = x0; x < x1; x += 2.0f)
    for (float z = z0; z < z1; z += 2.0f)
      Name(room.AddSurface({x, 0.0f, z}, {x + 2.0f, 0.0f, z}, {x + 2.0f, 0.0f, z + 2.0f}, {x, 0.0f, z + 2.0f}, texture),
           name);
}

// The four walls round [x0, x1) x [z0, z1), facing in.
void AddWalls(TRoom& room, float x0, float x1, float z0, float z1, float height, const char* name) {
  const char* bricks = material::Bricks;
  Name(room.AddSurface({x0, 0.0f, z0}, {x0, 0.0f, z1}, {x0, height, z1}, {x0, height, z0}, bricks), name);
  Name(room.AddSurface({x1, 0.0f, z1}, {x1, 0.0f, z0}, {x1, height, z0}, {x1, height, z1}, bricks), name);
  Name(room.AddSurface({x1, 0.0f, z0}, {x0, 0.0f, z0}, {x0, height, z0}, {x1, height, z0}, bricks), name);
  Name(room.AddSurface({x0, 0.0f, z1}, {x1, 0.0f, z1}, {x1, height, z1}, {x0, height, z1}, bricks), name);
}

void AddLight(TRoom& room, const char* name, const TVector& at, float radius, const TVector& colour,
              std::int16_t effect = 0) {
  TLight* light = room.AddLight(at, colour, radius);
  if (!light) throw std::logic_error("light table full");
  light->Name = name;
  light->Active = 1;
  light->Effect = effect;
  light->Color2 = TQZEngine::Scale(colour, 0.6f);
}

template <typename Kind>
Kind& Add(TRoom& room, std::int16_t typus, float x, float z, float heading = 0.0f) {
  auto* kind = dynamic_cast<Kind*>(room.AddEntity(typus, demo::OnFloor(room, x, z), {0.0f, heading, 0.0f}, 1.0f));
  if (!kind) throw std::logic_error("entity table full or typus without its class");
  return *kind;
}

TETile& Tile(TRoom& room, const char* model, float x, float z, float heading = 0.0f) {
  TETile& tile = Add<TETile>(room, typus::Tile, x, z, heading);
  tile.ModelName = model;
  return tile;
}

TETDoor& Door(TRoom& room, const char* name, float x, float z, float heading, const char* toRoom,
              const char* toMarker) {
  TETDoor& door = Add<TETDoor>(room, typus::Door, x, z, heading);
  door.Name = name;
  door.ModelName = "WOODEN_DOOR";
  door.DoorAnimation = "open";
  door.ToRoom = toRoom;
  door.ToMarker = toMarker;
  return door;
}

void Portal(TRoom& room, const char* name, float x, float z, const char* toRoom, const char* toMarker) {
  TEPortal& portal = Add<TEPortal>(room, typus::Portal, x, z);
  portal.Name = name;
  portal.ToRoom = toRoom;
  portal.ToMarker = toMarker;
}

void Marker(TRoom& room, const char* name, float x, float z) { Add<TEMarker>(room, typus::Marker, x, z).Name = name; }

void Begin(TRoom& room, const char* name, const TVector& ambience) {
  room.ClearRoom();
  room.Name = name;
  room.RegionName = "Mire of Cullen";
  room.Ambience = ambience;
  room.Diffuse = {0.4f, 0.35f, 0.35f};
  room.LightPos = TQZEngine::Normalize({-0.4f, 0.35f, -0.85f});
  const auto& tiles = SceneryTiles();
  for (std::size_t i = 0; i < tiles.size() && i < room.TileList.size(); ++i) room.TileList[i] = tiles[i].ListName;
  room.ReloadResources();  // loads the tile models the entities name
}

bool Finish(TRoom& room, const char* file) {
  room.CountEntities();
  room.BindEntities();
  demo::LightSurfaces(room);
  const auto path = std::filesystem::path(fs_layer::ToHostPath(room.Engine.BaseDir.view())) / file;
  return room.SaveToFile(path.string());
}

bool BuildAbbey(TRoom& room) {
  Begin(room, "Cullen Abbey", {0.22f, 0.21f, 0.26f});
  room.SkyBoxTexture = SkyBoxName;
  SetFields(room, -10, 10, -10, 10, QuietFloor, Stone, 10.0f);
  SetFields(room, -2, 2, -2, 2, Floor, Grass, 10.0f);
  AddFloor(room, -10, 10, -10, 10, material::Cobbles, "CLOISTER");
  AddWalls(room, -10, 10, -10, 10, 4.0f, "CLOISTER_WALL");
  AddLight(room, "CLOISTER_LANTERN", {-4.5f, 3.0f, 4.5f}, 10.0f, {1.0f, 0.78f, 0.5f});
  AddLight(room, "CLOISTER_LANTERN_2", {4.5f, 3.0f, -4.5f}, 10.0f, {1.0f, 0.78f, 0.5f});
  AddLight(room, "MOON_FILL", {0.0f, 15.0f, 3.0f}, 35.0f, {0.35f, 0.38f, 0.52f});
  AddLight(room, "GATE_TORCH", {-9.5f, 2.6f, 1.0f}, 5.0f, {1.0f, 0.55f, 0.2f}, 4);  // flicker
  for (float x : {-4.0f, 4.0f})
    for (float z : {-4.0f, 4.0f}) Tile(room, "STONE_COLUMN", x, z);
  Tile(room, "OLD_TREE", 6.5f, 6.5f, 40.0f);
  TEPFountain& fountain = Add<TEPFountain>(room, typus::Fountain, 0.0f, 0.0f);
  fountain.FountainSize = 1.2f;
  // The gate on the west wall leads down into the cellar; arrivals from there stand inside it.
  Door(room, "CELLAR_DOOR", -9.7f, 0.0f, 90.0f, ToCellar, CellarFoot);
  Marker(room, AbbeyGate, -8.0f, 0.0f);
  // A portal by the north wall leads out onto the demo green's terrace.
  Portal(room, "GREEN_PORTAL", 0.0f, -9.0f, ToDemo, DemoArrival);
  return Finish(room, AbbeyRoomFile);
}

bool BuildCellar(TRoom& room) {
  Begin(room, "Abbey Cellar", {0.12f, 0.11f, 0.13f});
  SetFields(room, -6, 6, -8, 8, Floor, Earth, 3.0f);
  AddFloor(room, -6, 6, -8, 8, material::Stone, "VAULT_FLOOR");
  AddWalls(room, -6, 6, -8, 8, 3.0f, "VAULT_WALL");
  AddLight(room, "CELLAR_LAMP", {0.0f, 2.5f, 0.0f}, 9.0f, {0.9f, 0.7f, 0.45f});
  AddLight(room, "CELLAR_TORCH", {-5.5f, 2.2f, 4.0f}, 5.0f, {1.0f, 0.5f, 0.15f}, 4);  // flicker
  Tile(room, "STONE_STAIRS", 0.0f, -6.0f, 180.0f);
  Add<TEPFire>(room, typus::Fire, -3.0f, 4.0f).FireSize = 0.8f;
  // The door at the stairs' head leads up to the abbey gate.
  Door(room, "ABBEY_DOOR", 0.0f, -7.7f, 0.0f, ToAbbey, AbbeyGate);
  Marker(room, CellarFoot, 0.0f, -4.0f);
  // A portal in the far corner opens onto the green by lantern light.
  Portal(room, "LANTERN_PORTAL", 4.0f, 6.0f, ToBake, DemoArrival);
  return Finish(room, CellarRoomFile);
}

}  // namespace

bool BuildLinkedRooms(TQZEngine& engine) { return BuildAbbey(*engine.Room) && BuildCellar(*engine.Room); }
