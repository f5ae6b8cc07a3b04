#include "render/bitmap_file.h"

#include <cstring>

#include "core/bmp_file.h"

TBitmapRows ToBitmapRows(const TBmpImage& image) {
  TBitmapRows rows{image.width, image.height, {}};
  const auto rowBytes = static_cast<std::size_t>(rows.width) * 3;
  rows.rgb.resize(rowBytes * static_cast<std::size_t>(rows.height));
  for (int y = 0; y < rows.height; ++y) {
    std::memcpy(rows.rgb.data() + static_cast<std::size_t>(rows.height - 1 - y) * rowBytes,
                image.rgb.data() + static_cast<std::size_t>(y) * rowBytes, rowBytes);
  }
  return rows;
}

std::optional<TBitmapRows> LoadBitmapRows(std::string_view gamePath, std::string* error) {
  const auto image = LoadBmp(gamePath, error);
  if (!image) return std::nullopt;
  return ToBitmapRows(*image);
}
