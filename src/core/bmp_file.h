#pragma once
// Windows bitmap files without a toolkit: the document layer reads a texture image and
// writes it back as 24-bit RGB. Every header field and size is checked against the
// file before a pixel is read, so a damaged file is refused, never read past.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct TBmpImage {
  int width = 0;
  int height = 0;
  // Tightly packed RGB, top row first.
  std::vector<std::uint8_t> rgb;
};

// Uncompressed 8-bit (palette), 24-bit and 32-bit images, bottom-up or top-down. On
// failure `error` (when given) says what was wrong.
std::optional<TBmpImage> DecodeBmp(std::span<const std::uint8_t> file, std::string* error = nullptr);

// A bottom-up 24-bit file with rows padded to four bytes.
std::vector<std::uint8_t> EncodeBmp(const TBmpImage& image);

// Through the file-system layer (game paths, size cap).
std::optional<TBmpImage> LoadBmp(std::string_view gamePath, std::string* error = nullptr);
std::optional<std::string> SaveBmp(std::string_view gamePath, const TBmpImage& image);
