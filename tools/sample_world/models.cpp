#include "sample_world/models.h"

#include <algorithm>
#include <sstream>

#include "models/ms3d_writer.h"
#include "sample_world/model_spec.h"
#include "sample_world/world_writer.h"

namespace {

std::string FilePath(const std::string& gameName) {
  std::string path = "data/model/" + gameName;
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

std::string Definition(const TModelSpec& recipe) {
  std::ostringstream out;
  out << "[MODEL_BASEDATA]\n" << recipe.DisplayName << "\n" << recipe.Scale << "\n\n";
  out << "[MODEL_CULLFACE]\n" << (recipe.CullFace ? "TRUE" : "FALSE") << "\n\n";
  out << "[MODEL_DEPTHTEST]\nTRUE\n\n";
  if (recipe.DetailMap) out << "[MODEL_DETAILMAP]\nTRUE\n" << recipe.DetailScale << "\n\n";
  if (!recipe.Animations.empty()) {
    out << "[MODEL_ANIMATION]\n";
    for (const auto& [name, file] : recipe.Animations) out << name << "\n";
  }
  return out.str();
}

}  // namespace

void WriteModel(WorldWriter& world, const TModelSpec& recipe) {
  const std::string base = FilePath(recipe.Name);
  world.Binary(base + ".ms3d", WriteMS3D(recipe.Mesh));
  world.Text(base + ".ini", Definition(recipe));
  for (const auto& [name, file] : recipe.Animations) world.Binary(base + "_" + name + ".ms3d", WriteMS3D(file));
  for (std::size_t i = 0; i < recipe.Skins.size(); ++i)
    world.Binary(base + (i == 0 ? "" : std::to_string(i)) + ".bmp", EncodeBmp24(recipe.Skins[i]));
  if (recipe.DetailMap) world.Binary(base + "_d.bmp", EncodeBmp24(*recipe.DetailMap));
}

TMS3DContents AnimationFile(const TMS3DContents& mesh, const TJointKeys& keys, float fps) {
  TMS3DContents file = mesh;
  file.Fps = fps;
  file.CurrentTime = 1.0f;
  // Every joint gets a rest key of each kind, so joints that do not move still pose.
  for (auto& j : file.Joints) {
    j.RotationKeys = {{1.0f, {0.0f, 0.0f, 0.0f}}};
    j.PositionKeys = {{1.0f, {0.0f, 0.0f, 0.0f}}};
  }
  for (const auto& [joint, rotationKeys] : keys) {
    for (auto& j : file.Joints) {
      if (j.Name.view() != joint) continue;
      j.RotationKeys = rotationKeys;
      file.TotalFrames = std::max(file.TotalFrames, static_cast<std::int32_t>(rotationKeys.back().Time));
    }
  }
  return file;
}

const std::vector<TSceneryTile>& SceneryTiles() {
  static const std::vector<TSceneryTile> tiles = [] {
    std::vector<TSceneryTile> list;
    const std::string prefix = "world\\";
    for (const TModelSpec& recipe : SceneryModels()) list.push_back({recipe.Name.substr(prefix.size()), recipe.DisplayName});
    return list;
  }();
  return tiles;
}

void WriteModels(WorldWriter& world) {
  std::string list = "Models loaded at start-up; a line starting with '-' is switched off.\n\n[MODEL_FILENAME]\n";
  auto listed = MarkerModels();
  for (auto& unit : UnitModels()) listed.push_back(std::move(unit));
  listed.push_back(GrassBladeModel());
  for (const TModelSpec& recipe : listed) {
    WriteModel(world, recipe);
    list += recipe.Name + "\n";
  }
  world.Text("data/model/loadmodel.ini", list);
  // Scenery is not listed: rooms name it in their tile lists.
  for (const TModelSpec& recipe : SceneryModels()) WriteModel(world, recipe);
}
