// The markers that stand in for invisible entity kinds: a thin post with a coloured
// head whose shape and colour tell the kinds apart in the top view and in 3D.

#include <cmath>
#include <string>

#include "sample_world/mesh_builder.h"
#include "sample_world/model_spec.h"

namespace {

enum class Head { Cube, Pyramid, Disc, Diamond, Ring };

struct TMarker {
  const char* file;
  const char* display;
  Head head;
  TRgba colour;
};

constexpr TMarker Markers[] = {
    {"camera", "EDITOR_CAMERA", Head::Cube, {0.3f, 0.6f, 1.0f, 1.0f}},
    {"trigger", "EDITOR_TRIGGER", Head::Pyramid, {1.0f, 0.3f, 0.2f, 1.0f}},
    {"touchfield", "EDITOR_TOUCHFIELD", Head::Disc, {1.0f, 0.6f, 0.1f, 1.0f}},
    {"sound", "EDITOR_SOUND", Head::Ring, {0.2f, 0.9f, 0.9f, 1.0f}},
    {"message", "EDITOR_MESSAGE", Head::Cube, {1.0f, 1.0f, 0.6f, 1.0f}},
    {"control", "EDITOR_CONTROL", Head::Diamond, {0.8f, 0.3f, 0.9f, 1.0f}},
    {"marker", "EDITOR_MARKER", Head::Pyramid, {0.3f, 1.0f, 0.3f, 1.0f}},
    {"spawner", "EDITOR_SPAWNER", Head::Diamond, {1.0f, 0.2f, 0.6f, 1.0f}},
    {"variable", "EDITOR_VARIABLE", Head::Cube, {0.6f, 0.6f, 1.0f, 1.0f}},
    {"music", "EDITOR_MUSIC", Head::Ring, {0.9f, 0.8f, 0.2f, 1.0f}},
    {"startup", "EDITOR_STARTUP", Head::Diamond, {1.0f, 1.0f, 1.0f, 1.0f}},
    {"animation", "EDITOR_ANIMATION", Head::Disc, {0.4f, 0.8f, 0.5f, 1.0f}},
    {"item", "EDITOR_ITEM", Head::Diamond, {1.0f, 0.85f, 0.2f, 1.0f}},
    {"savepoint", "EDITOR_SAVEPOINT", Head::Pyramid, {0.2f, 0.5f, 1.0f, 1.0f}},
    {"tilemover", "EDITOR_TILEMOVER", Head::Cube, {0.7f, 0.5f, 0.3f, 1.0f}},
    {"portal", "EDITOR_PORTAL", Head::Ring, {0.6f, 0.2f, 1.0f, 1.0f}},
    {"particle", "EDITOR_PARTICLE", Head::Disc, {1.0f, 0.5f, 0.5f, 1.0f}},
};

void AddHead(MeshBuilder& mesh, Head head) {
  constexpr float Y = 0.7f;
  switch (head) {
    case Head::Cube: mesh.AddBox({-0.15f, Y, -0.15f}, {0.15f, Y + 0.3f, 0.15f}); break;
    case Head::Pyramid: mesh.AddCylinder({0.0f, Y, 0.0f}, 0.2f, 0.0f, 0.35f, 4); break;
    case Head::Disc: mesh.AddCylinder({0.0f, Y, 0.0f}, 0.25f, 0.25f, 0.06f, 12); break;
    case Head::Diamond:
      mesh.AddCylinder({0.0f, Y, 0.0f}, 0.02f, 0.18f, 0.18f, 6);
      mesh.AddCylinder({0.0f, Y + 0.18f, 0.0f}, 0.18f, 0.0f, 0.18f, 6);
      break;
    case Head::Ring:
      for (int i = 0; i < 8; ++i) {
        const float a = static_cast<float>(i) * 0.785398f;
        mesh.AddBox({0.2f * std::cos(a) - 0.04f, Y, 0.2f * std::sin(a) - 0.04f},
                    {0.2f * std::cos(a) + 0.04f, Y + 0.08f, 0.2f * std::sin(a) + 0.04f});
      }
      break;
  }
}

}  // namespace

std::vector<TModelSpec> MarkerModels() {
  std::vector<TModelSpec> models;
  for (const TMarker& marker : Markers) {
    MeshBuilder mesh;
    mesh.BeginGroup("post", {0.5f, 0.5f, 0.5f, 1.0f});
    mesh.AddCylinder({0.0f, 0.0f, 0.0f}, 0.04f, 0.04f, 0.7f, 6);
    mesh.BeginGroup("head", marker.colour);
    AddHead(mesh, marker.head);
    TModelSpec recipe;
    recipe.Name = std::string("editor\\") + marker.file;
    recipe.DisplayName = marker.display;
    recipe.Mesh = mesh.Take();
    models.push_back(std::move(recipe));
  }
  return models;
}
