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

std::string Definition(const TModelSpec& spec) {
  std::ostringstream out;
  out << "[MODEL_BASEDATA]\n" << spec.DisplayName << "\n" << spec.Scale << "\n\n";
  out << "[MODEL_CULLFACE]\n" << (spec.CullFace ? "TRUE" : "FALSE") << "\n\n";
  out << "[MODEL_DEPTHTEST]\nTRUE\n\n";
  if (spec.DetailMap) out << "[MODEL_DETAILMAP]\nTRUE\n" << spec.DetailScale << "\n\n";
  if (!spec.Animations.empty()) {
    out << "[MODEL_ANIMATION]\n";
    for (const auto& [name, file] : spec.Animations) out << name << "\n";
  }
  return out.str();
}

}  // namespace

void WriteModel(WorldWriter& world, const TModelSpec& spec) {
  const std::string base = FilePath(spec.Name);
  world.Binary(base + ".ms3d", WriteMS3D(spec.Mesh));
  world.Text(base + ".ini", Definition(spec));
  for (const auto& [name, file] : spec.Animations) world.Binary(base + "_" + name + ".ms3d", WriteMS3D(file));
  for (std::size_t i = 0; i < spec.Skins.size(); ++i)
    world.Binary(base + (i == 0 ? "" : std::to_string(i)) + ".bmp", EncodeBmp24(spec.Skins[i]));
  if (spec.DetailMap) world.Binary(base + "_d.bmp", EncodeBmp24(*spec.DetailMap));
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
    for (const TModelSpec& spec : SceneryModels()) list.push_back({spec.Name.substr(prefix.size()), spec.DisplayName});
    return list;
  }();
  return tiles;
}

void WriteModels(WorldWriter& world) {
  std::string list = "Models loaded at start-up; a line starting with '-' is switched off.\n\n[MODEL_FILENAME]\n";
  auto listed = MarkerModels();
  for (auto& unit : UnitModels()) listed.push_back(std::move(unit));
  listed.push_back(GrassBladeModel());
  for (const TModelSpec& spec : listed) {
    WriteModel(world, spec);
    list += spec.Name + "\n";
  }
  world.Text("data/model/loadmodel.ini", list);
  // Scenery is not listed: rooms name it in their tile lists.
  for (const TModelSpec& spec : SceneryModels()) WriteModel(world, spec);
}
