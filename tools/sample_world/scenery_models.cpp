// Scenery tiles the demo room places: a brick wall block (with a detail map), a stone
// column, stairs, a tree and a door in a frame whose leaf swings open on a hinge.

#include "sample_world/material_textures.h"
#include "sample_world/mesh_builder.h"
#include "sample_world/models.h"
#include "sample_world/model_spec.h"
#include "sample_world/paint.h"

namespace {

constexpr TRgba White{1.0f, 1.0f, 1.0f, 1.0f};

TImage MaterialImage(const char* name) {
  for (const auto& m : MaterialTextures())
    if (m.Name == name) return m.Paint();
  return NoiseTexture(64, {0.4f, 0.4f, 0.4f}, {0.6f, 0.6f, 0.6f}, 1, 16);
}

TModelSpec Scenery(const char* file, const char* display, MeshBuilder& mesh) {
  TModelSpec recipe;
  recipe.Name = std::string("world\\object\\") + file;
  recipe.DisplayName = display;
  recipe.Mesh = mesh.Take();
  return recipe;
}

TModelSpec WallBlock() {
  MeshBuilder mesh;
  mesh.BeginGroup("wall", White, "wall_block.bmp");
  mesh.AddBox({-1.0f, 0.0f, -0.25f}, {1.0f, 3.0f, 0.25f});
  TModelSpec recipe = Scenery("wall_block", "WALL_BLOCK", mesh);
  recipe.Skins.push_back(MaterialImage(material::Bricks));
  recipe.DetailMap = NoiseTexture(64, {0.4f, 0.4f, 0.4f}, {0.6f, 0.6f, 0.6f}, 51, 8);
  return recipe;
}

TModelSpec Column() {
  MeshBuilder mesh;
  mesh.BeginGroup("stone", White, "column.bmp");
  mesh.AddBox({-0.4f, 0.0f, -0.4f}, {0.4f, 0.3f, 0.4f});
  mesh.AddCylinder({0.0f, 0.3f, 0.0f}, 0.28f, 0.24f, 3.0f, 12);
  mesh.AddBox({-0.4f, 3.3f, -0.4f}, {0.4f, 3.55f, 0.4f});
  TModelSpec recipe = Scenery("column", "STONE_COLUMN", mesh);
  recipe.Skins.push_back(MaterialImage(material::Stone));
  return recipe;
}

TModelSpec Stairs() {
  MeshBuilder mesh;
  mesh.BeginGroup("steps", White, "stairs.bmp");
  for (int i = 0; i < 4; ++i) {
    const float f = static_cast<float>(i);
    mesh.AddBox({-1.0f, 0.0f, -1.0f + 0.5f * f}, {1.0f, 0.25f * (4.0f - f), -0.5f + 0.5f * f});
  }
  TModelSpec recipe = Scenery("stairs", "STONE_STAIRS", mesh);
  recipe.Skins.push_back(MaterialImage(material::Stone));
  return recipe;
}

TModelSpec Tree() {
  MeshBuilder mesh;
  mesh.BeginGroup("trunk", White, "tree.bmp", 0);
  mesh.AddCylinder({0.0f, 0.0f, 0.0f}, 0.25f, 0.15f, 2.2f, 8);
  mesh.BeginGroup("crown", White, "tree1.bmp", 1);
  mesh.AddCylinder({0.0f, 1.6f, 0.0f}, 1.6f, 0.0f, 1.8f, 10);
  mesh.AddCylinder({0.0f, 2.7f, 0.0f}, 1.2f, 0.0f, 1.6f, 10);
  TModelSpec recipe = Scenery("tree", "OLD_TREE", mesh);
  recipe.Skins.push_back(PlankTexture(64, 8, {0.35f, 0.24f, 0.14f}, 61));
  recipe.Skins.push_back(NoiseTexture(64, {0.08f, 0.22f, 0.08f}, {0.25f, 0.45f, 0.15f}, 62, 8));
  return recipe;
}

TModelSpec Door() {
  MeshBuilder mesh;
  mesh.AddJoint("hinge", "", {-0.6f, 0.0f, 0.0f});
  mesh.BeginGroup("frame", White, "door.bmp", 0);
  mesh.AddBox({-0.9f, 0.0f, -0.2f}, {-0.6f, 2.6f, 0.2f});
  mesh.AddBox({0.6f, 0.0f, -0.2f}, {0.9f, 2.6f, 0.2f});
  mesh.AddBox({-0.9f, 2.3f, -0.2f}, {0.9f, 2.6f, 0.2f});
  mesh.BeginGroup("leaf", White, "door1.bmp", 1);
  mesh.SetBone(0);
  mesh.AddBox({-0.6f, 0.0f, -0.05f}, {0.6f, 2.3f, 0.05f});
  TModelSpec recipe = Scenery("door", "WOODEN_DOOR", mesh);
  TJointKeys open = {{"hinge", {{1.0f, {0.0f, 0.0f, 0.0f}}, {21.0f, {0.0f, -1.5f, 0.0f}}}}};
  recipe.Animations = {{"open", AnimationFile(recipe.Mesh, open)}};
  recipe.Skins.push_back(MaterialImage(material::Stone));
  recipe.Skins.push_back(MaterialImage(material::Planks));
  return recipe;
}

}  // namespace

std::vector<TModelSpec> SceneryModels() { return {WallBlock(), Column(), Stairs(), Tree(), Door()}; }

TModelSpec GrassBladeModel() {
  MeshBuilder mesh;
  mesh.BeginGroup("blades", {0.3f, 0.6f, 0.2f, 1.0f});
  mesh.AddBlade({0.0f, 0.0f, 0.0f}, 0.08f, 0.5f, 0.1f);
  mesh.AddBlade({0.06f, 0.0f, 0.04f}, 0.06f, 0.4f, -0.08f);
  mesh.AddBlade({-0.05f, 0.0f, -0.03f}, 0.07f, 0.45f, 0.05f);
  TModelSpec recipe;
  recipe.Name = "effect\\grass_blade";
  recipe.DisplayName = GrassModelName;
  recipe.CullFace = false;  // a blade is seen from both sides
  recipe.Mesh = mesh.Take();
  return recipe;
}
