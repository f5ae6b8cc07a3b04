#pragma once
// Bitmap files as texture rows. QImage reads every BMP variant (8, 24 and 32 bits,
// top-down or bottom-up), so palette textures load as well as true-colour ones.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

struct TBitmapRows {
  int width = 0;
  int height = 0;
  // Tightly packed RGB, bottom row first as GL expects.
  std::vector<std::uint8_t> rgb;
};

// Nothing when the file is missing or not a readable image.
std::optional<TBitmapRows> LoadBitmapRows(std::string_view gamePath);
