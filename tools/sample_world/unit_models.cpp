// The two enemy units: skinned box figures on small skeletons, each with a walk and an
// idle animation in their own files.

#include <cmath>

#include "sample_world/mesh_builder.h"
#include "sample_world/model_spec.h"
#include "sample_world/paint.h"

namespace {

// Rotation keys for one joint swinging about one axis: a full cycle over `frames`
// frames (rest, +amplitude, rest, -amplitude, rest), phase-shifted by half a cycle
// when `opposite` is set.
std::vector<TMS3DKey> Swing(int axis, float amplitude, float frames, bool opposite = false) {
  std::vector<TMS3DKey> keys;
  const float sign = opposite ? -1.0f : 1.0f;
  constexpr float Phases[] = {0.0f, 1.0f, 0.0f, -1.0f, 0.0f};
  for (int i = 0; i < 5; ++i) {
    TVector angles;
    const float a = sign * amplitude * Phases[i];
    (axis == 0 ? angles.x : axis == 1 ? angles.y : angles.z) = a;
    keys.push_back({1.0f + frames * static_cast<float>(i) / 4.0f, angles});
  }
  return keys;
}

TModelSpec Mutant() {
  MeshBuilder mesh;
  // Joint positions are relative to the parent; the hip stands at hip height.
  mesh.AddJoint("hip", "", {0.0f, 0.95f, 0.0f});
  mesh.AddJoint("spine", "hip", {0.0f, 0.05f, 0.0f});
  mesh.AddJoint("head", "spine", {0.0f, 0.65f, 0.0f});
  mesh.AddJoint("leg_l", "hip", {0.17f, 0.0f, 0.0f});
  mesh.AddJoint("leg_r", "hip", {-0.17f, 0.0f, 0.0f});
  mesh.AddJoint("arm_l", "spine", {0.38f, 0.6f, 0.0f});
  mesh.AddJoint("arm_r", "spine", {-0.38f, 0.6f, 0.0f});
  mesh.BeginGroup("body", {0.8f, 0.9f, 0.8f, 1.0f}, "mutant.bmp");
  mesh.SetBone(1);
  mesh.AddBox({-0.3f, 0.95f, -0.18f}, {0.3f, 1.65f, 0.18f});
  mesh.SetBone(2);
  mesh.AddBox({-0.16f, 1.65f, -0.15f}, {0.16f, 1.98f, 0.17f});
  mesh.SetBone(3);
  mesh.AddBox({0.08f, 0.0f, -0.1f}, {0.27f, 0.95f, 0.1f});
  mesh.SetBone(4);
  mesh.AddBox({-0.27f, 0.0f, -0.1f}, {-0.08f, 0.95f, 0.1f});
  mesh.SetBone(5);
  mesh.AddBox({0.3f, 0.85f, -0.08f}, {0.45f, 1.62f, 0.08f});
  mesh.SetBone(6);
  mesh.AddBox({-0.45f, 0.85f, -0.08f}, {-0.3f, 1.62f, 0.08f});

  TModelSpec recipe;
  recipe.Name = "unit\\mutant";
  recipe.DisplayName = "UNIT_ENEMY_MUTANT";
  recipe.Mesh = mesh.Take();
  recipe.Animations = {
      {"walk", AnimationFile(recipe.Mesh, {{"leg_l", Swing(0, 0.6f, 20.0f)},
                                         {"leg_r", Swing(0, 0.6f, 20.0f, true)},
                                         {"arm_l", Swing(0, 0.5f, 20.0f, true)},
                                         {"arm_r", Swing(0, 0.5f, 20.0f)}})},
      {"idle", AnimationFile(recipe.Mesh, {{"spine", Swing(2, 0.08f, 40.0f)}, {"head", Swing(1, 0.4f, 40.0f)}})},
  };
  recipe.Skins.push_back(NoiseTexture(64, {0.25f, 0.32f, 0.2f}, {0.5f, 0.55f, 0.35f}, 31, 16));
  return recipe;
}

TModelSpec ClawShrimp() {
  MeshBuilder mesh;
  mesh.AddJoint("body", "", {0.0f, 0.35f, 0.0f});
  mesh.AddJoint("tail", "body", {0.0f, 0.0f, -0.45f});
  mesh.AddJoint("claw_l", "body", {0.25f, 0.05f, 0.45f});
  mesh.AddJoint("claw_r", "body", {-0.25f, 0.05f, 0.45f});
  mesh.BeginGroup("shell", {1.0f, 0.85f, 0.8f, 1.0f}, "clawshrimp.bmp");
  mesh.SetBone(0);
  mesh.AddBox({-0.25f, 0.15f, -0.45f}, {0.25f, 0.55f, 0.45f});
  for (int i = 0; i < 3; ++i) {
    const float z = -0.3f + 0.3f * static_cast<float>(i);
    mesh.AddBox({0.25f, 0.0f, z - 0.03f}, {0.45f, 0.2f, z + 0.03f});
    mesh.AddBox({-0.45f, 0.0f, z - 0.03f}, {-0.25f, 0.2f, z + 0.03f});
  }
  mesh.SetBone(1);
  mesh.AddBox({-0.18f, 0.2f, -1.0f}, {0.18f, 0.45f, -0.45f});
  mesh.AddBox({-0.3f, 0.25f, -1.15f}, {0.3f, 0.3f, -1.0f});
  mesh.SetBone(2);
  mesh.AddBox({0.15f, 0.3f, 0.45f}, {0.35f, 0.5f, 0.95f});
  mesh.SetBone(3);
  mesh.AddBox({-0.35f, 0.3f, 0.45f}, {-0.15f, 0.5f, 0.95f});

  TModelSpec recipe;
  recipe.Name = "unit\\clawshrimp";
  recipe.DisplayName = "UNIT_ENEMY_CLAWSHRIMP";
  recipe.Mesh = mesh.Take();
  recipe.Animations = {
      {"walk", AnimationFile(recipe.Mesh, {{"tail", Swing(1, 0.3f, 16.0f)},
                                         {"claw_l", Swing(1, 0.25f, 16.0f)},
                                         {"claw_r", Swing(1, 0.25f, 16.0f, true)}})},
      {"idle", AnimationFile(recipe.Mesh, {{"claw_l", Swing(0, 0.4f, 30.0f)}, {"claw_r", Swing(0, 0.4f, 30.0f, true)}})},
  };
  recipe.Skins.push_back(NoiseTexture(64, {0.55f, 0.2f, 0.1f}, {0.9f, 0.5f, 0.3f}, 32, 8));
  return recipe;
}

}  // namespace

std::vector<TModelSpec> UnitModels() { return {Mutant(), ClawShrimp()}; }
