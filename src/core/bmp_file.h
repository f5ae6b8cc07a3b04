#pragma once
// Windows bitmap files without a toolkit: the one reader of the editor. The textures the
// view draws, the model-texture bake and the texture browser's thumbnails all read
// through it, so what one part reads, all parts read. It writes back 24-bit RGB.
//
// Read: 1, 2, 4 and 8 bits with a palette, 16 bits (5-5-5 by default, 5-6-5 or any
// contiguous bit-field masks), 24 bits, 32 bits (8-8-8 by default or bit-field masks),
// RLE8 and RLE4, the OS/2 1.x and 2.x headers and the Windows 40-byte, V2, V3, V4 and V5
// headers, rows bottom-up or top-down. Every header field, count and run is checked
// against the file before a pixel is read, so a damaged file is refused with the reason,
// never read past.

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

// Limits of what is read: beyond any texture the game uses, and they keep a lying header
// from asking for gigabytes.
inline constexpr std::int64_t BmpMaxExtent = 16384;
inline constexpr std::int64_t BmpMaxPixels = std::int64_t{1} << 24;  // 4096 x 4096

// On failure `error` (when given) says what was wrong.
std::optional<TBmpImage> DecodeBmp(std::span<const std::uint8_t> file, std::string* error = nullptr);

// A bottom-up 24-bit file with rows padded to four bytes.
std::vector<std::uint8_t> EncodeBmp(const TBmpImage& image);

// Through the file-system layer (game paths, size cap).
std::optional<TBmpImage> LoadBmp(std::string_view gamePath, std::string* error = nullptr);
std::optional<std::string> SaveBmp(std::string_view gamePath, const TBmpImage& image);
