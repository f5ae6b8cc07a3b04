#pragma once
// One model of the sample world as the catalogue will read it: base mesh, definition
// values, animation files and skins. WriteModel turns it into the files below the
// model directory.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "models/ms3d_model.h"
#include "sample_world/bmp_writer.h"

class WorldWriter;

struct TModelSpec {
  std::string Name;  // below the model directory, game spelling ("unit\\mutant")
  std::string DisplayName;
  float Scale = 1.0f;
  bool CullFace = true;
  TMS3DContents Mesh;
  // Each animation is its own MS3D file with the same joints and keys.
  std::vector<std::pair<std::string, TMS3DContents>> Animations;
  std::vector<TImage> Skins;  // skin 0, 1, ... (file suffix "", "1", ...)
  std::optional<TImage> DetailMap;
  float DetailScale = 4.0f;
};

void WriteModel(WorldWriter& world, const TModelSpec& recipe);

// Groups of models, each built in its own file.
std::vector<TModelSpec> MarkerModels();
std::vector<TModelSpec> UnitModels();
std::vector<TModelSpec> SceneryModels();  // under world\object, loaded as room tiles
TModelSpec GrassBladeModel();

// A copy of the mesh with rotation keys for an animation: for every joint that moves,
// its keys as (frame, angles in radians).
using TJointKeys = std::vector<std::pair<std::string, std::vector<TMS3DKey>>>;
TMS3DContents AnimationFile(const TMS3DContents& mesh, const TJointKeys& keys, float fps = 20.0f);
