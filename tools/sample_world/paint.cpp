#include "sample_world/paint.h"

#include <algorithm>
#include <cmath>

TColourF Mix(TColourF a, TColourF b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

TColourF Scaled(TColourF c, float s) { return {c.r * s, c.g * s, c.b * s}; }

TRgb8 ToRgb8(TColourF c) {
  const auto channel = [](float v) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
  };
  return {channel(c.r), channel(c.g), channel(c.b)};
}

TileNoise::TileNoise(int imageSize, std::uint32_t seed) : size_(imageSize), seed_(seed) {}

float TileNoise::Lattice(int x, int y, int period) const {
  // Wrapping the lattice at the period makes the texture tile without seams.
  const int cells = std::max(1, size_ / std::max(1, period));
  x = ((x % cells) + cells) % cells;
  y = ((y % cells) + cells) % cells;
  std::uint32_t h = seed_ ^ (static_cast<std::uint32_t>(x) * 73856093u) ^ (static_cast<std::uint32_t>(y) * 19349663u) ^
                    (static_cast<std::uint32_t>(period) * 83492791u);
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  h ^= h >> 15;
  return static_cast<float>(h & 0xFFFFu) / 65535.0f;
}

float TileNoise::At(float x, float y, int period, int octaves) const {
  float sum = 0.0f;
  float weight = 1.0f;
  float total = 0.0f;
  for (int o = 0; o < octaves && period >= 1; ++o, period /= 2, weight *= 0.5f) {
    const float fx = x / static_cast<float>(period);
    const float fy = y / static_cast<float>(period);
    const int ix = static_cast<int>(std::floor(fx));
    const int iy = static_cast<int>(std::floor(fy));
    // Smoothstep between the four lattice values.
    const auto smooth = [](float t) { return t * t * (3.0f - 2.0f * t); };
    const float tx = smooth(fx - static_cast<float>(ix));
    const float ty = smooth(fy - static_cast<float>(iy));
    const float a = Lattice(ix, iy, period) + (Lattice(ix + 1, iy, period) - Lattice(ix, iy, period)) * tx;
    const float b = Lattice(ix, iy + 1, period) + (Lattice(ix + 1, iy + 1, period) - Lattice(ix, iy + 1, period)) * tx;
    sum += (a + (b - a) * ty) * weight;
    total += weight;
  }
  return total > 0.0f ? sum / total : 0.0f;
}

void PaintEach(TImage& image, const std::function<TColourF(int x, int y)>& paint) {
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) image.Set(x, y, ToRgb8(paint(x, y)));
}

TImage NoiseTexture(int size, TColourF dark, TColourF light, std::uint32_t seed, int period) {
  TImage image(size, size);
  const TileNoise noise(size, seed);
  PaintEach(image, [&](int x, int y) {
    const float n = noise.At(static_cast<float>(x), static_cast<float>(y), period);
    return Mix(dark, light, std::clamp((n - 0.25f) * 2.0f, 0.0f, 1.0f));
  });
  return image;
}

TImage BrickTexture(int size, int rows, int columns, TColourF brick, TColourF mortar, std::uint32_t seed) {
  TImage image(size, size);
  const TileNoise noise(size, seed);
  const int rowHeight = size / rows;
  const int brickWidth = size / columns;
  PaintEach(image, [&](int x, int y) {
    const int row = y / rowHeight;
    const int shifted = x + (row % 2) * brickWidth / 2;
    const int column = (shifted / brickWidth) % columns;
    const bool joint = y % rowHeight < 2 || shifted % brickWidth < 2;
    const float grain = noise.At(static_cast<float>(x), static_cast<float>(y), 16);
    if (joint) return Scaled(mortar, 0.8f + 0.4f * grain);
    // Each brick gets its own shade so the wall does not look printed.
    const float shade = 0.8f + 0.35f * noise.At(static_cast<float>(column * brickWidth), static_cast<float>(row * rowHeight), 8, 1);
    return Scaled(brick, shade * (0.85f + 0.3f * grain));
  });
  return image;
}

TImage PlankTexture(int size, int planks, TColourF wood, std::uint32_t seed) {
  TImage image(size, size);
  const TileNoise noise(size, seed);
  const int plankWidth = size / planks;
  PaintEach(image, [&](int x, int y) {
    if (x % plankWidth < 2) return Scaled(wood, 0.35f);
    const int plank = x / plankWidth;
    const float grain = std::sin(static_cast<float>(x) * 0.9f + 6.0f * noise.At(static_cast<float>(x), static_cast<float>(y), 32));
    const float shade = 0.8f + 0.25f * noise.At(static_cast<float>(plank * plankWidth), 0.0f, 8, 1);
    return Scaled(wood, shade * (0.85f + 0.12f * grain));
  });
  return image;
}

TImage GradientTexture(int width, int height, TColourF top, TColourF bottom) {
  TImage image(width, height);
  PaintEach(image, [&](int, int y) { return Mix(top, bottom, static_cast<float>(y) / static_cast<float>(height - 1)); });
  return image;
}

void PaintGlow(TImage& image, int x0, int y0, int size, TColourF colour, float sharpness) {
  const float half = static_cast<float>(size) / 2.0f;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const float dx = (static_cast<float>(x) + 0.5f - half) / half;
      const float dy = (static_cast<float>(y) + 0.5f - half) / half;
      const float d = std::min(1.0f, std::sqrt(dx * dx + dy * dy));
      image.Set(x0 + x, y0 + y, ToRgb8(Scaled(colour, std::pow(1.0f - d, sharpness))));
    }
}

void PaintRing(TImage& image, int x0, int y0, int size, TColourF colour, float radius, float width) {
  const float half = static_cast<float>(size) / 2.0f;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const float dx = (static_cast<float>(x) + 0.5f - half) / half;
      const float dy = (static_cast<float>(y) + 0.5f - half) / half;
      const float off = std::abs(std::sqrt(dx * dx + dy * dy) - radius) / width;
      image.Set(x0 + x, y0 + y, ToRgb8(Scaled(colour, std::max(0.0f, 1.0f - off * off))));
    }
}
