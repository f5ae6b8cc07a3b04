#include "sample_world/demo_room.h"

#include <filesystem>

#include "core/file_system.h"
#include "engine/edit_engine.h"
#include "room/edit_room.h"
#include "sample_world/demo_parts.h"
#include "sample_world/models.h"
#include "sample_world/textures.h"

namespace {

// A village green at dusk: warm lanterns against a violet sky, light fog and drizzle.
void SetAttributes(TRoom& room) {
  room.Name = "Cullen Green";
  room.RegionName = "Mire of Cullen";
  room.Region = 0;
  room.Environment = 5;  // open plain
  room.Ambience = {0.2f, 0.19f, 0.24f};
  room.Diffuse = {0.45f, 0.35f, 0.35f};
  room.LightPos = TQZEngine::Normalize({-0.4f, 0.35f, -0.85f});
  room.FogTypus = 1;  // linear
  room.FogStartDist = 18.0f;
  room.FogEndDist = 48.0f;
  room.FogColor = {0.32f, 0.27f, 0.34f};
  room.SkyBoxTexture = SkyBoxName;
  room.WeatherEffect = 2;  // drizzle
  room.SunFlare = 1;
  room.SunFlareIntensity = 0.6f;
  room.WaterMaterial = 1;  // bog water
  room.WaterHeight = demo::WaterLevel;
  room.WaterColor = {0.12f, 0.3f, 0.33f};
  room.WaterDensity = 0.6f;
  // The pond's cells (x -12..-6, z 0..8).
  room.WaterFromX = 18;
  room.WaterFromZ = 30;
  room.WaterToX = 24;
  room.WaterToZ = 38;
  const auto& tiles = SceneryTiles();
  for (std::size_t i = 0; i < tiles.size() && i < room.TileList.size(); ++i) room.TileList[i] = tiles[i].ListName;
}

std::string InWorld(const TQZEngine& engine, const char* file) {
  return (std::filesystem::path(fs_layer::ToHostPath(engine.BaseDir.view())) / file).string();
}

}  // namespace

bool BuildDemoRoom(TQZEngine& engine) {
  TRoom& room = *engine.Room;
  room.ClearRoom();
  SetAttributes(room);
  room.ReloadResources();  // loads the tile models the entities name
  demo::ShapeFields(room);
  if (const int refused = demo::AddSurfaces(room); refused > 0)
    engine.ShowError("QZ_ROOM", std::to_string(refused) + " demo surfaces were refused");
  demo::AddLights(room);
  demo::AddEntities(room);
  demo::LightSurfaces(room);
  return room.SaveToFile(InWorld(engine, DemoRoomFile));
}

bool BuildBakeRoom(TQZEngine& engine) {
  TRoom& room = *engine.Room;
  room.Name = "Cullen Green by Lantern Light";
  demo::AddLanterns(room, BakeRoomStaticLights);
  demo::LightSurfaces(room);
  return room.SaveToFile(InWorld(engine, BakeRoomFile));
}
