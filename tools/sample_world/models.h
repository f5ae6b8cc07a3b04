#pragma once
// The model directory: marker models for the invisible entity kinds, the two enemy
// units with skeletons and walk/idle animations, the grass blade, and scenery tiles
// under world/object/ (with a door that opens), each with its definition file and
// skins, and data/model/loadmodel.ini.

#include <string>
#include <vector>

class WorldWriter;

// One scenery tile of the room's tile list: its name below ModelWorldDir and the
// display name entities use.
struct TSceneryTile {
  std::string ListName;
  std::string DisplayName;
};
const std::vector<TSceneryTile>& SceneryTiles();

// Display name of the grass blade model the grass emitter plants.
inline constexpr const char* GrassModelName = "GRASS_BLADE";

void WriteModels(WorldWriter& world);
