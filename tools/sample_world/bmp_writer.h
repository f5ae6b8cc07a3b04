#pragma once
// Uncompressed 24-bit BMP files, the only texture format the game reads.

#include <cstdint>
#include <vector>

struct TRgb8 {
  std::uint8_t r = 0, g = 0, b = 0;
};

// An RGB picture, top row first (as it is painted); the file stores it bottom-up.
class TImage {
public:
  TImage(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  TRgb8 At(int x, int y) const { return pixels_[Index(x, y)]; }
  void Set(int x, int y, TRgb8 colour) { pixels_[Index(x, y)] = colour; }

private:
  std::size_t Index(int x, int y) const;

  int width_;
  int height_;
  std::vector<TRgb8> pixels_;
};

std::vector<std::uint8_t> EncodeBmp24(const TImage& image);
