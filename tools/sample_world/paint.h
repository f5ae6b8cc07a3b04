#pragma once
// Procedural painting for the sample textures: smooth noise, colour mixing and a few
// patterns (bricks, planks, soft glows, rings) that make small pictures look like
// materials rather than test cards.

#include <cstdint>
#include <functional>

#include "sample_world/bmp_writer.h"

struct TColourF {
  float r = 0.0f, g = 0.0f, b = 0.0f;
};

TColourF Mix(TColourF a, TColourF b, float t);
TColourF Scaled(TColourF c, float s);
TRgb8 ToRgb8(TColourF c);

// Tileable value noise in 0..1 with the given cell period (in pixels) over an image
// of the given size; several octaves summed and normalised.
class TileNoise {
public:
  TileNoise(int imageSize, std::uint32_t seed);
  float At(float x, float y, int period, int octaves = 4) const;

private:
  float Lattice(int x, int y, int period) const;
  int size_;
  std::uint32_t seed_;
};

// Calls paint(x, y) for every pixel and stores the result.
void PaintEach(TImage& image, const std::function<TColourF(int x, int y)>& paint);

// Ground-like texture: two colours blended by noise.
TImage NoiseTexture(int size, TColourF dark, TColourF light, std::uint32_t seed, int period);
// Rows of bricks with mortar lines; every other row is offset by half a brick.
TImage BrickTexture(int size, int rows, int columns, TColourF brick, TColourF mortar, std::uint32_t seed);
// Vertical planks with grain and dark gaps between them.
TImage PlankTexture(int size, int planks, TColourF wood, std::uint32_t seed);
// Vertical gradient from the top colour to the bottom colour.
TImage GradientTexture(int width, int height, TColourF top, TColourF bottom);
// Soft round light on black: brightness falls off from the centre (for additive blending).
void PaintGlow(TImage& image, int x0, int y0, int size, TColourF colour, float sharpness);
// A bright ring on black inside one square cell.
void PaintRing(TImage& image, int x0, int y0, int size, TColourF colour, float radius, float width);
