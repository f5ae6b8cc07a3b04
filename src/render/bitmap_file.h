#pragma once
// Bitmap files as texture rows, read by the document layer's one bitmap reader
// (core/bmp_file.h), so the view draws exactly what the bake and the thumbnails read.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct TBmpImage;

struct TBitmapRows {
  int width = 0;
  int height = 0;
  // Tightly packed RGB, bottom row first as GL expects.
  std::vector<std::uint8_t> rgb;
};

// The decoded image with its rows turned for GL.
TBitmapRows ToBitmapRows(const TBmpImage& image);

// Nothing when the file is missing or not a readable bitmap; `error` then says why.
std::optional<TBitmapRows> LoadBitmapRows(std::string_view gamePath, std::string* error = nullptr);
