#include "sample_world/material_textures.h"

#include "sample_world/paint.h"

const std::vector<TMaterialTexture>& MaterialTextures() {
  static const std::vector<TMaterialTexture> textures = {
      {material::Default, [] { return NoiseTexture(64, {0.45f, 0.45f, 0.45f}, {0.65f, 0.65f, 0.65f}, 1, 16); }},
      {material::Grass, [] { return NoiseTexture(128, {0.18f, 0.3f, 0.1f}, {0.38f, 0.55f, 0.2f}, 2, 32); }},
      {material::Cobbles, [] { return BrickTexture(128, 8, 8, {0.5f, 0.48f, 0.44f}, {0.2f, 0.19f, 0.17f}, 3); }},
      {material::Mud, [] { return NoiseTexture(128, {0.22f, 0.16f, 0.1f}, {0.4f, 0.3f, 0.2f}, 4, 32); }},
      {material::Bricks, [] { return BrickTexture(128, 8, 4, {0.55f, 0.27f, 0.18f}, {0.6f, 0.57f, 0.5f}, 5); }},
      {material::Stone, [] { return NoiseTexture(128, {0.35f, 0.35f, 0.38f}, {0.6f, 0.6f, 0.62f}, 6, 64); }},
      {material::Planks, [] { return PlankTexture(128, 6, {0.55f, 0.38f, 0.2f}, 7); }},
  };
  return textures;
}
