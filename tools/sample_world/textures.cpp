#include "sample_world/textures.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <utility>

#include "sample_world/bmp_writer.h"
#include "sample_world/material_textures.h"
#include "sample_world/paint.h"
#include "sample_world/world_writer.h"

namespace {

using Painter = std::function<TImage()>;

constexpr TColourF Black{0.0f, 0.0f, 0.0f};
constexpr TColourF WarmWhite{1.0f, 0.92f, 0.75f};

TImage FrameWood(int width, int height) {
  TImage image(width, height);
  const TileNoise noise(std::max(width, height), 41);
  PaintEach(image, [&](int x, int y) {
    const float edge = std::min({x, y, width - 1 - x, height - 1 - y}) < 2 ? 0.6f : 1.0f;
    return Scaled(Mix({0.35f, 0.2f, 0.1f}, {0.6f, 0.4f, 0.2f}, noise.At(static_cast<float>(x), static_cast<float>(y), 8)), edge);
  });
  return image;
}

TImage Glow(int size, TColourF colour, float sharpness) {
  TImage image(size, size);
  PaintGlow(image, 0, 0, size, colour, sharpness);
  return image;
}

TImage FlareCenter() {
  TImage image = Glow(128, WarmWhite, 4.0f);
  TImage ring(128, 128);
  PaintRing(ring, 0, 0, 128, {0.5f, 0.45f, 0.35f}, 0.8f, 0.08f);
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x) {
      const TRgb8 a = image.At(x, y), b = ring.At(x, y);
      image.Set(x, y, {static_cast<std::uint8_t>(std::min(255, a.r + b.r)), static_cast<std::uint8_t>(std::min(255, a.g + b.g)),
                       static_cast<std::uint8_t>(std::min(255, a.b + b.b))});
    }
  return image;
}

// The cells the three flare designs cut out of this sheet (rows counted from the top):
// 32-texel cells at rows 0 and 3 of column 0, a 64-texel cell at row 2 of column 0 and
// 128-texel cells at rows 0 and 1 of column 1.
TImage FlareRings() {
  TImage image(256, 256);
  PaintEach(image, [](int, int) { return Black; });
  PaintRing(image, 0, 0, 32, {0.6f, 0.8f, 1.0f}, 0.7f, 0.2f);
  PaintGlow(image, 0, 96, 32, {0.9f, 0.7f, 0.4f}, 1.5f);
  PaintRing(image, 0, 128, 64, {0.8f, 0.5f, 1.0f}, 0.75f, 0.12f);
  PaintRing(image, 128, 0, 128, {0.5f, 1.0f, 0.6f}, 0.85f, 0.06f);
  PaintGlow(image, 128, 128, 128, {0.5f, 0.6f, 1.0f}, 3.0f);
  return image;
}

TImage Water(TColourF deep, TColourF light, std::uint32_t seed) { return NoiseTexture(128, deep, light, seed, 32); }

// Eight columns of 64-texel frames, two rows: a flame that flares up and dies down.
TImage FireSheet() {
  TImage image(512, 128);
  const TileNoise noise(512, 7);
  PaintEach(image, [&](int x, int y) {
    const int frame = (y / 64) * 8 + x / 64;
    const float life = 1.0f - std::abs(static_cast<float>(frame) - 4.0f) / 12.0f;
    const float u = (static_cast<float>(x % 64) - 31.5f) / 32.0f;
    const float v = static_cast<float>(y % 64) / 63.0f;  // 0 top, 1 bottom
    const float flicker = 0.25f * (noise.At(static_cast<float>(x), static_cast<float>(y) + static_cast<float>(frame) * 9.0f, 16) - 0.5f);
    const float width = (0.15f + 0.55f * v) * life + flicker;
    const float heat = std::clamp(1.0f - std::abs(u) / std::max(0.05f, width), 0.0f, 1.0f) * std::clamp(v * 1.6f, 0.0f, 1.0f);
    return Scaled(Mix({0.9f, 0.25f, 0.02f}, {1.0f, 0.9f, 0.5f}, heat), heat);
  });
  return image;
}

// One drop: the rain cuts 8-texel cells, so the whole picture is the drop.
TImage Rain() {
  TImage image(8, 8);
  PaintEach(image, [](int x, int y) {
    const float across = 1.0f - std::abs(static_cast<float>(x) - 3.5f) / 1.5f;
    const float along = 0.4f + 0.6f * static_cast<float>(y) / 7.0f;  // brighter at the falling end
    return Scaled(TColourF{0.6f, 0.7f, 0.85f}, std::max(0.0f, across) * along);
  });
  return image;
}

// Six faces of a dusk sky: sides fade from the evening horizon to the deep zenith.
TImage SkySide(std::uint32_t seed) {
  TImage image(128, 128);
  const TileNoise clouds(128, seed);
  PaintEach(image, [&](int x, int y) {
    const float height = 1.0f - static_cast<float>(y) / 127.0f;  // 1 at the top edge
    if (height < 0.5f) return Mix({0.16f, 0.14f, 0.16f}, {0.75f, 0.45f, 0.3f}, height * 2.0f);
    TColourF sky = Mix({0.85f, 0.5f, 0.3f}, {0.15f, 0.2f, 0.45f}, (height - 0.5f) * 2.0f);
    const float cloud = std::clamp((clouds.At(static_cast<float>(x), static_cast<float>(y) * 2.0f, 64) - 0.55f) * 3.0f, 0.0f, 0.6f);
    return Mix(sky, {0.55f, 0.4f, 0.45f}, cloud * (1.0f - height));
  });
  return image;
}

const std::vector<std::pair<std::string, Painter>>& ArtTextures() {
  static const std::vector<std::pair<std::string, Painter>> textures = {
      {"menu\\frame\\horizontal", [] { return FrameWood(64, 16); }},
      {"menu\\frame\\vertical", [] { return FrameWood(16, 64); }},
      {"menu\\frame\\topleft", [] { return FrameWood(16, 16); }},
      {"menu\\frame\\topright", [] { return FrameWood(16, 16); }},
      {"menu\\frame\\bottomleft", [] { return FrameWood(16, 16); }},
      {"menu\\frame\\bottomright", [] { return FrameWood(16, 16); }},
      {"menu\\frame\\pattern", [] { return NoiseTexture(64, {0.2f, 0.15f, 0.1f}, {0.35f, 0.27f, 0.18f}, 5, 16); }},
      {"effect\\flare\\flare", [] { return Glow(128, WarmWhite, 2.5f); }},
      {"effect\\flare\\center", FlareCenter},
      {"effect\\flare\\rings", FlareRings},
      {"effect\\shadow", [] { return Glow(64, {0.8f, 0.8f, 0.8f}, 0.7f); }},
      {"world\\water\\water", [] { return Water({0.05f, 0.2f, 0.3f}, {0.15f, 0.4f, 0.5f}, 11); }},
      {"world\\water\\water2", [] { return Water({0.1f, 0.3f, 0.35f}, {0.6f, 0.8f, 0.85f}, 12); }},
      {"effect\\fire\\fire", FireSheet},
      {"effect\\water\\splat", [] { return Glow(64, {0.7f, 0.85f, 1.0f}, 1.5f); }},
      {"effect\\water\\rain", Rain},
      {SkyBoxName, [] { return SkySide(21); }},
      {"world\\sky\\dusk_right", [] { return SkySide(22); }},
      {"world\\sky\\dusk_back", [] { return SkySide(23); }},
      {"world\\sky\\dusk_left", [] { return SkySide(24); }},
      {"world\\sky\\dusk_top", [] { return GradientTexture(128, 128, {0.12f, 0.16f, 0.38f}, {0.12f, 0.16f, 0.38f}); }},
      {"world\\sky\\dusk_bottom", [] { return GradientTexture(128, 128, {0.15f, 0.13f, 0.12f}, {0.15f, 0.13f, 0.12f}); }},
  };
  return textures;
}

std::string GamePathToFile(std::string name) {
  for (char& c : name)
    if (c == '\\') c = '/';
  return name + ".bmp";
}

}  // namespace

void WriteTextures(WorldWriter& world) {
  std::string list = "Textures of the art directory, in slot order.\n\n[TEXTURE_FILENAME]\n";
  for (const auto& [name, painter] : ArtTextures()) {
    world.Binary("art/" + GamePathToFile(name), EncodeBmp24(painter()));
    list += name + "\n";
  }
  // The materials again as art, so the room dialog's texture list offers them too.
  for (const auto& material : MaterialTextures()) {
    const auto bytes = EncodeBmp24(material.Paint());
    world.Binary("art/world/" + GamePathToFile(material.Name), bytes);
    world.Binary("data/model/world/" + GamePathToFile(material.Name), bytes);
    list += "world\\" + material.Name + "\n";
  }
  world.Text("art/loadtexture.ini", list);
}
