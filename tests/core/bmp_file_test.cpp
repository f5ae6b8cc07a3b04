#include "core/bmp_file.h"

#include <gtest/gtest.h>

#include "core/binary_io.h"

namespace {

// A file header and 40-byte info header for hand-built files.
std::vector<std::uint8_t> Headers(std::int32_t width, std::int32_t height, std::uint16_t bits,
                                  std::uint32_t compression, std::uint32_t pixelOffset, std::uint32_t colours = 0) {
  BinaryWriter out;
  out.WriteU8('B');
  out.WriteU8('M');
  out.WriteU32(0);
  out.WriteU32(0);
  out.WriteU32(pixelOffset);
  out.WriteU32(40);
  out.WriteI32(width);
  out.WriteI32(height);
  out.WriteU16(1);
  out.WriteU16(bits);
  out.WriteU32(compression);
  out.WriteU32(0);
  out.WriteI32(0);
  out.WriteI32(0);
  out.WriteU32(colours);
  out.WriteU32(0);
  return out.Take();
}

std::string Why(const std::vector<std::uint8_t>& file) {
  std::string error;
  EXPECT_FALSE(DecodeBmp(file, &error).has_value());
  return error;
}

TEST(BmpFile, TwentyFourBitImagesSurviveARoundTripWithPaddedRows) {
  const TBmpImage image{3, 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}};
  const auto file = EncodeBmp(image);
  EXPECT_EQ(file.size(), 54u + 2 * 12);  // 9 bytes per row padded to 12
  // Bottom row first, blue first.
  EXPECT_EQ(file[54], 12);
  EXPECT_EQ(file[56], 10);
  const auto back = DecodeBmp(file);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->width, 3);
  EXPECT_EQ(back->height, 2);
  EXPECT_EQ(back->rgb, image.rgb);
}

TEST(BmpFile, TopDownPaletteAndMaskedImagesDecodeToRgb) {
  // 8-bit, two rows stored top-down, two palette entries.
  auto palette = Headers(2, -2, 8, 0, 54 + 8, 2);
  for (std::uint8_t b : {30, 20, 10, 0, 3, 2, 1, 0}) palette.push_back(b);  // BGRx
  for (std::uint8_t b : {0, 1, 0, 0, 1, 1, 0, 0}) palette.push_back(b);
  const auto decoded = DecodeBmp(palette);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->rgb, (std::vector<std::uint8_t>{10, 20, 30, 1, 2, 3, 1, 2, 3, 1, 2, 3}));

  // 32-bit with masks putting red in the low byte.
  auto masked = Headers(1, 1, 32, 3, 54 + 12);
  for (std::uint32_t mask : {0x000000ffu, 0x0000ff00u, 0x00ff0000u}) {
    for (int i = 0; i < 4; ++i) masked.push_back(static_cast<std::uint8_t>(mask >> (8 * i)));
  }
  for (std::uint8_t b : {200, 100, 50, 255}) masked.push_back(b);
  ASSERT_TRUE(DecodeBmp(masked));
  EXPECT_EQ(DecodeBmp(masked)->rgb, (std::vector<std::uint8_t>{200, 100, 50}));
}

TEST(BmpFile, DamagedHeadersAndShortPixelDataAreRefused) {
  EXPECT_EQ(Why({'B', 'M', 0}), "bitmap header cut short");
  EXPECT_EQ(Why({'P', 'K', 0, 0}), "not a bitmap file");
  auto file = EncodeBmp({2, 2, std::vector<std::uint8_t>(12, 7)});
  file.pop_back();
  EXPECT_EQ(Why(file), "bitmap pixels cut short");
  EXPECT_EQ(Why(Headers(0, 1, 24, 0, 54)), "bitmap size out of range");
  EXPECT_EQ(Why(Headers(1 << 30, 1 << 30, 24, 0, 54)), "bitmap size out of range");
  EXPECT_EQ(Why(Headers(1, -(1 << 30), 24, 0, 54)), "bitmap size out of range");
  EXPECT_EQ(Why(Headers(1, 1, 16, 0, 54)), "unsupported bit depth");
  EXPECT_EQ(Why(Headers(1, 1, 24, 1, 54)), "compressed bitmaps are not supported");
  EXPECT_EQ(Why(Headers(1, 1, 8, 0, 54, 300)), "palette too large");
  auto offset = Headers(1, 1, 24, 0, 0xfffffff0u);
  offset.resize(offset.size() + 4);
  EXPECT_EQ(Why(offset), "bitmap pixels cut short");
}

TEST(BmpFile, APaletteIndexPastThePaletteIsRefused) {
  auto file = Headers(1, 1, 8, 0, 54 + 4, 1);
  for (std::uint8_t b : {1, 2, 3, 0}) file.push_back(b);
  for (std::uint8_t b : {1, 0, 0, 0}) file.push_back(b);  // index 1 of a one-colour palette
  EXPECT_EQ(Why(file), "palette index out of range");
}

}  // namespace
