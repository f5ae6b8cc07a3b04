#pragma once
// Ground, wall and wood textures: the surfaces of the demo room read them from the
// model world directory, the texture list offers them from the art directory.

#include <functional>
#include <string>
#include <vector>

#include "sample_world/bmp_writer.h"

struct TMaterialTexture {
  std::string Name;  // below the world directory, game spelling ("textures\\grass")
  std::function<TImage()> Paint;
};

const std::vector<TMaterialTexture>& MaterialTextures();

// Names the demo room's surfaces use.
namespace material {
inline constexpr const char* Default = "textures\\default";
inline constexpr const char* Grass = "textures\\grass";
inline constexpr const char* Cobbles = "textures\\cobbles";
inline constexpr const char* Mud = "textures\\mud";
inline constexpr const char* Bricks = "textures\\bricks";
inline constexpr const char* Stone = "textures\\stone";
inline constexpr const char* Planks = "textures\\planks";
}  // namespace material
