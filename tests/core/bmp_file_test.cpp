// The one bitmap reader against fixtures made here, one per variant of the format (the
// public test suite's generator is GPL, so none of its files are used: its format rules
// are followed instead), each compared pixel for pixel with the colours it was built
// from; and a table of damaged files that must each be refused with its reason.
#include "core/bmp_file.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>

#include "core/binary_io.h"

namespace {

// ---------------------------------------------------------------------------------------
// The fixture generator.

enum class Header { Os2Core, Os2Info, Info, V4, V5 };
enum : std::uint32_t { Rgb = 0, Rle8 = 1, Rle4 = 2, BitFields = 3, AlphaBitFields = 6 };

struct Variant {
  const char* name;
  int bits;
  std::uint32_t compression = Rgb;
  Header header = Header::Info;
  int width = 7;
  int height = 5;
  bool topDown = false;
  // Red, green, blue: written for bit fields (and, in V4/V5 headers, always).
  std::array<std::uint32_t, 3> masks{};
  // For palette images: how many colours the file declares (0: the full palette).
  int colours = 0;
};

// Test names show the variant's name, not its bytes.
void PrintTo(const Variant& variant, std::ostream* out) { *out << variant.name; }

std::uint32_t HeaderBytes(Header header) {
  switch (header) {
    case Header::Os2Core: return 12;
    case Header::Os2Info: return 64;
    case Header::Info: return 40;
    case Header::V4: return 108;
    case Header::V5: return 124;
  }
  return 0;
}

using Rgb8 = std::array<std::uint8_t, 3>;

Rgb8 PaletteColour(int i) {
  return {static_cast<std::uint8_t>(i * 37 + 11), static_cast<std::uint8_t>(i * 91 + 5),
          static_cast<std::uint8_t>(i * 53 + 200)};
}

// The masks a 16- or 32-bit variant is read with.
std::array<std::uint32_t, 3> EffectiveMasks(const Variant& v) {
  if (v.compression == BitFields || v.compression == AlphaBitFields) return v.masks;
  if (v.bits == 16) return {0x7c00, 0x03e0, 0x001f};
  return {0xff0000, 0x00ff00, 0x0000ff};
}

int Shift(std::uint32_t mask) { return mask == 0 ? 0 : std::countr_zero(mask); }
std::uint32_t Max(std::uint32_t mask) { return mask == 0 ? 0 : mask >> Shift(mask); }

// Palette index of a pixel: RLE pictures have runs (the left part of each row) and
// changing indices (the rest).
int IndexAt(const Variant& v, int x, int y, int count) {
  if (v.compression == Rle8 || v.compression == Rle4) return x < v.width / 2 ? y % count : (x * 3 + y) % count;
  return (x * 5 + y * 3) % count;
}

// One channel's stored value: the extremes at the row's ends, a ramp between.
std::uint32_t ChannelValue(std::uint32_t max, int x, int y, int c) {
  if (x == 0) return (y + c) % 2 == 0 ? 0 : max;
  return (static_cast<std::uint32_t>(x * 7 + y * 13 + c * 5) * 2654435761u >> 7) % (max + 1);
}

void AppendRunLength(std::vector<std::uint8_t>& out, const std::vector<int>& row, bool four) {
  const auto pair = [&](int a, int b) {
    out.push_back(static_cast<std::uint8_t>(a));
    out.push_back(static_cast<std::uint8_t>(b));
  };
  std::size_t x = 0;
  while (x < row.size()) {
    std::size_t same = 1;
    while (x + same < row.size() && row[x + same] == row[x] && same < 255) ++same;
    if (same >= 3) {
      pair(static_cast<int>(same), four ? row[x] * 17 : row[x]);
      x += same;
      continue;
    }
    // A literal stretch up to the next run of three.
    std::size_t end = x;
    while (end < row.size() && end - x < 255 &&
           !(end + 2 < row.size() && row[end] == row[end + 1] && row[end] == row[end + 2]))
      ++end;
    const std::size_t length = end - x;
    if (length < 3) {
      for (; x < end; ++x) pair(1, four ? row[x] << 4 : row[x]);
      continue;
    }
    pair(0, static_cast<int>(length));
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < length; i += four ? 2 : 1, ++bytes) {
      const int high = row[x + i];
      const int low = four && i + 1 < length ? row[x + i + 1] : 0;
      out.push_back(static_cast<std::uint8_t>(four ? (high << 4) | low : high));
    }
    if (bytes % 2) out.push_back(0);
    x = end;
  }
}

struct Fixture {
  std::vector<std::uint8_t> file;
  TBmpImage expected;
};

Fixture Build(const Variant& v) {
  const std::uint32_t infoSize = HeaderBytes(v.header);
  const bool os2Core = v.header == Header::Os2Core;
  const bool palette = v.bits <= 8;
  const int fullPalette = palette ? 1 << v.bits : 0;
  const int colours = palette ? (v.colours ? v.colours : fullPalette) : 0;
  const bool masksAfterHeader = v.header == Header::Info && (v.compression == BitFields || v.compression == AlphaBitFields);
  const std::uint32_t maskBytes = masksAfterHeader ? (v.compression == AlphaBitFields ? 16 : 12) : 0;
  const std::uint32_t paletteBytes = static_cast<std::uint32_t>(colours) * (os2Core ? 3 : 4);
  const std::uint32_t offset = 14 + infoSize + maskBytes + paletteBytes;

  Fixture fixture;
  TBmpImage& image = fixture.expected;
  image.width = v.width;
  image.height = v.height;
  image.rgb.resize(static_cast<std::size_t>(v.width * v.height) * 3);

  // Stored rows, in file order, and the expected picture, top row first.
  const auto masks = EffectiveMasks(v);
  std::vector<std::uint8_t> pixels;
  for (int stored = 0; stored < v.height; ++stored) {
    const int y = v.topDown ? stored : v.height - 1 - stored;
    std::uint8_t* out = &image.rgb[static_cast<std::size_t>(y * v.width) * 3];
    std::vector<int> indices;
    std::vector<std::uint8_t> row;
    std::uint64_t bitBuffer = 0;
    int bitCount = 0;
    for (int x = 0; x < v.width; ++x, out += 3) {
      if (palette) {
        const int index = IndexAt(v, x, y, colours);
        const Rgb8 colour = PaletteColour(index);
        std::copy(colour.begin(), colour.end(), out);
        indices.push_back(index);
        bitBuffer = (bitBuffer << v.bits) | static_cast<std::uint64_t>(index);
        bitCount += v.bits;
        if (bitCount == 8) {
          row.push_back(static_cast<std::uint8_t>(bitBuffer));
          bitBuffer = 0;
          bitCount = 0;
        }
      } else if (v.bits == 24) {
        const Rgb8 colour{static_cast<std::uint8_t>(x * 40 + y), static_cast<std::uint8_t>(255 - x * 9 - y * 30),
                          static_cast<std::uint8_t>(x * y * 17 + 3)};
        std::copy(colour.begin(), colour.end(), out);
        row.insert(row.end(), {colour[2], colour[1], colour[0]});
      } else {
        std::uint32_t pixel = 0;
        for (int c = 0; c < 3; ++c) {
          const std::uint32_t max = Max(masks[static_cast<std::size_t>(c)]);
          const std::uint32_t value = max ? ChannelValue(max, x, y, c) : 0;
          pixel |= value << Shift(masks[static_cast<std::size_t>(c)]);
          out[c] = max ? static_cast<std::uint8_t>(std::lround(value * 255.0 / max)) : 0;
        }
        // Bits no mask names must not show: set them all.
        const std::uint32_t used = masks[0] | masks[1] | masks[2];
        const std::uint32_t all = v.bits == 16 ? 0xffffu : 0xffffffffu;
        if (x % 2 == 1) pixel |= all & ~used;
        for (int byte = 0; byte < v.bits / 8; ++byte) row.push_back(static_cast<std::uint8_t>(pixel >> (8 * byte)));
      }
    }
    if (bitCount > 0) row.push_back(static_cast<std::uint8_t>(bitBuffer << (8 - bitCount)));
    if (v.compression == Rle8 || v.compression == Rle4) {
      AppendRunLength(pixels, indices, v.compression == Rle4);
      pixels.insert(pixels.end(), {0, stored + 1 == v.height ? std::uint8_t{1} : std::uint8_t{0}});
    } else {
      row.resize((row.size() + 3) / 4 * 4, 0xcd);  // padding the reader must skip
      pixels.insert(pixels.end(), row.begin(), row.end());
    }
  }

  BinaryWriter out;
  out.WriteU8('B');
  out.WriteU8('M');
  out.WriteU32(offset + static_cast<std::uint32_t>(pixels.size()));
  out.WriteU32(0);
  out.WriteU32(offset);
  out.WriteU32(infoSize);
  if (os2Core) {
    out.WriteU16(static_cast<std::uint16_t>(v.width));
    out.WriteU16(static_cast<std::uint16_t>(v.height));
    out.WriteU16(1);
    out.WriteU16(static_cast<std::uint16_t>(v.bits));
  } else {
    out.WriteI32(v.width);
    out.WriteI32(v.topDown ? -v.height : v.height);
    out.WriteU16(1);
    out.WriteU16(static_cast<std::uint16_t>(v.bits));
    out.WriteU32(v.compression);
    out.WriteU32(static_cast<std::uint32_t>(pixels.size()));
    out.WriteI32(2835);
    out.WriteI32(2835);
    out.WriteU32(static_cast<std::uint32_t>(v.colours));
    out.WriteU32(0);
    if (v.header == Header::Os2Info) {
      for (int i = 0; i < 24; ++i) out.WriteU8(0);
    } else if (v.header == Header::V4 || v.header == Header::V5) {
      for (const std::uint32_t mask : v.masks) out.WriteU32(mask);
      out.WriteU32(0xff000000u);                     // alpha
      out.WriteU32(0x73524742u);                     // 'sRGB'
      for (int i = 0; i < 12; ++i) out.WriteU32(0);  // end points and gammas
      if (v.header == Header::V5) {
        out.WriteU32(4);
        for (int i = 0; i < 3; ++i) out.WriteU32(0);
      }
    }
  }
  if (masksAfterHeader) {
    for (const std::uint32_t mask : v.masks) out.WriteU32(mask);
    if (v.compression == AlphaBitFields) out.WriteU32(0);
  }
  for (int i = 0; i < colours; ++i) {
    const Rgb8 colour = PaletteColour(i);
    out.WriteU8(colour[2]);
    out.WriteU8(colour[1]);
    out.WriteU8(colour[0]);
    if (!os2Core) out.WriteU8(0);
  }
  out.WriteBytes(pixels);
  fixture.file = out.Take();
  return fixture;
}

// ---------------------------------------------------------------------------------------
// Every variant, pixel for pixel.

const std::array<std::uint32_t, 3> Masks565{0xf800, 0x07e0, 0x001f};
const std::array<std::uint32_t, 3> Masks555{0x7c00, 0x03e0, 0x001f};

const Variant Variants[] = {
    {"pal1", 1},
    {"pal1_wide_odd", 1, Rgb, Header::Info, 37, 3},
    {"pal1_os2", 1, Rgb, Header::Os2Core},
    {"pal2", 2},
    {"pal4", 4},
    {"pal4_twelve_colours", 4, Rgb, Header::Info, 9, 4, false, {}, 12},
    {"pal4_os2", 4, Rgb, Header::Os2Core},
    {"pal8", 8},
    {"pal8_width_1", 8, Rgb, Header::Info, 1, 6},
    {"pal8_width_126", 8, Rgb, Header::Info, 126, 3},
    {"pal8_forty_colours", 8, Rgb, Header::Info, 11, 7, false, {}, 40},
    {"pal8_top_down", 8, Rgb, Header::Info, 7, 5, true},
    {"pal8_os2_1x", 8, Rgb, Header::Os2Core},
    {"pal8_os2_2x", 8, Rgb, Header::Os2Info},
    {"pal8_v4", 8, Rgb, Header::V4},
    {"pal8_v5", 8, Rgb, Header::V5},
    {"rle4", 4, Rle4, Header::Info, 13, 6},
    {"rle4_odd_literals", 4, Rle4, Header::Info, 10, 4},
    {"rle8", 8, Rle8, Header::Info, 13, 6},
    {"rle8_long_rows", 8, Rle8, Header::Info, 600, 3},
    {"rle8_v5", 8, Rle8, Header::V5, 13, 6},
    {"rgb16_555", 16},
    {"rgb16_555_bit_fields", 16, BitFields, Header::Info, 7, 5, false, Masks555},
    {"rgb16_565", 16, BitFields, Header::Info, 7, 5, false, Masks565},
    {"rgb16_565_v5", 16, BitFields, Header::V5, 7, 5, false, Masks565},
    // A V4 header's masks count only with bit-field compression: this one reads as 5-5-5.
    {"rgb16_v4_masks_unused", 16, Rgb, Header::V4, 7, 5, false, Masks565},
    {"rgb16_444", 16, BitFields, Header::Info, 5, 4, false, {0x0f00, 0x00f0, 0x000f}},
    {"rgb16_red_only", 16, BitFields, Header::Info, 5, 4, false, {0xfc00, 0, 0}},
    {"rgb16_top_down", 16, Rgb, Header::Info, 9, 3, true},
    {"rgb24", 24},
    {"rgb24_top_down", 24, Rgb, Header::Info, 7, 5, true},
    {"rgb24_os2_1x", 24, Rgb, Header::Os2Core},
    {"rgb24_v4", 24, Rgb, Header::V4},
    {"rgb32", 32},
    {"rgb32_bit_fields_bgr", 32, BitFields, Header::Info, 7, 5, false, {0x000000ff, 0x0000ff00, 0x00ff0000}},
    {"rgb32_10_10_10", 32, BitFields, Header::Info, 7, 5, false, {0x3ff00000, 0x000ffc00, 0x000003ff}},
    {"rgb32_v5_bit_fields", 32, BitFields, Header::V5, 7, 5, false, {0xff000000, 0x00ff0000, 0x0000ff00}},
    {"rgb32_alpha_bit_fields", 32, AlphaBitFields, Header::Info, 7, 5, false, {0x00ff0000, 0x0000ff00, 0x000000ff}},
    {"rgb32_top_down", 32, Rgb, Header::Info, 7, 5, true},
};

class BmpVariant : public ::testing::TestWithParam<Variant> {};

TEST_P(BmpVariant, ReadsPixelForPixel) {
  const Fixture fixture = Build(GetParam());
  std::string error;
  const auto image = DecodeBmp(fixture.file, &error);
  ASSERT_TRUE(image) << error;
  EXPECT_EQ(image->width, fixture.expected.width);
  EXPECT_EQ(image->height, fixture.expected.height);
  ASSERT_EQ(image->rgb.size(), fixture.expected.rgb.size());
  for (std::size_t at = 0; at < image->rgb.size(); at += 3) {
    const auto x = at / 3 % static_cast<std::size_t>(image->width), y = at / 3 / static_cast<std::size_t>(image->width);
    ASSERT_EQ((Rgb8{image->rgb[at], image->rgb[at + 1], image->rgb[at + 2]}),
              (Rgb8{fixture.expected.rgb[at], fixture.expected.rgb[at + 1], fixture.expected.rgb[at + 2]}))
        << "pixel " << x << ", " << y;
  }
  // What was read writes back as 24 bits and reads again the same.
  const auto again = DecodeBmp(EncodeBmp(*image));
  ASSERT_TRUE(again);
  EXPECT_EQ(again->rgb, image->rgb);
}

INSTANTIATE_TEST_SUITE_P(EveryVariant, BmpVariant, ::testing::ValuesIn(Variants),
                         [](const ::testing::TestParamInfo<Variant>& info) { return std::string(info.param.name); });

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

// A run-length delta and an early end of line pass over pixels: they stay black, and a
// run longer than its row is cut at the row's end.
TEST(BmpFile, RunLengthDeltasAndEarlyLineEndsLeaveBlackPixels) {
  auto file = Build({"rle8", 8, Rle8, Header::Info, 4, 3, false, {}, 2}).file;
  const std::uint32_t offset = file[10] | (file[11] << 8);
  file.resize(offset);
  const std::uint8_t stream[] = {
      6, 1,        // row 0 (the bottom one): four of index 1, the two past the row dropped
      0, 0,        // end of line
      1, 0,        // row 1: one pixel of index 0, then the line ends early
      0, 2, 1, 1,  // delta: one right, one up, to row 2, x 2
      2, 1,        // two of index 1
      0, 1};       // end of bitmap
  file.insert(file.end(), std::begin(stream), std::end(stream));
  const auto image = DecodeBmp(file);
  ASSERT_TRUE(image);
  const Rgb8 one = PaletteColour(1), zero = PaletteColour(0), black{};
  const std::vector<Rgb8> expected{black, black, one, one,     // top row (row 2)
                                   zero, black, black, black,  // row 1
                                   one, one, one, one};        // bottom row (row 0)
  for (std::size_t i = 0; i < expected.size(); ++i)
    EXPECT_EQ((Rgb8{image->rgb[i * 3], image->rgb[i * 3 + 1], image->rgb[i * 3 + 2]}), expected[i]) << i;
}

// ---------------------------------------------------------------------------------------
// Damaged files, each refused with its reason.

template <class T>
std::vector<std::uint8_t> Patched(std::vector<std::uint8_t> bytes, std::size_t offset, T value) {
  std::memcpy(bytes.data() + offset, &value, sizeof value);
  return bytes;
}

std::vector<std::uint8_t> Cut(std::vector<std::uint8_t> bytes, std::size_t size) {
  bytes.resize(size);
  return bytes;
}

// Offsets in a file with a 40-byte header.
constexpr std::size_t PixelOffset = 10, InfoSize = 14, Width = 18, Height = 22, Planes = 26, Bits = 28,
                      Compression = 30, ColorsUsed = 46, Masks = 54;

struct Hostile {
  const char* name;
  std::vector<std::uint8_t> file;
  const char* reason;
};

std::vector<Hostile> HostileFiles() {
  const auto rgb24 = Build({"rgb24", 24}).file;
  const auto pal8 = Build({"pal8", 8, Rgb, Header::Info, 7, 5, false, {}, 16}).file;
  const auto rle8 = Build({"rle8", 8, Rle8, Header::Info, 13, 6}).file;
  const auto rle4 = Build({"rle4", 4, Rle4, Header::Info, 13, 6}).file;
  const auto masked = Build({"rgb16_565", 16, BitFields, Header::Info, 7, 5, false, Masks565}).file;
  const auto os2 = Build({"pal8_os2_2x", 8, Rgb, Header::Os2Info}).file;
  // The RLE8 file's stream, with its first run turned into an absolute run of 200 bytes.
  constexpr std::size_t RleStart = 14 + 40 + 256 * 4;
  auto longLiteral = rle8;
  longLiteral[RleStart] = 0;
  longLiteral[RleStart + 1] = 200;
  auto rleIndex = Patched(rle8, ColorsUsed, std::uint32_t{1});
  auto pal8Index = Patched(pal8, ColorsUsed, std::uint32_t{2});
  return {
      {"empty", {}, "bitmap header cut short"},
      {"one byte", {'B'}, "bitmap header cut short"},
      {"not a bitmap", Patched(rgb24, 0, std::uint8_t{'X'}), "not a bitmap file"},
      {"an OS/2 bitmap array", Patched(rgb24, 1, std::uint8_t{'A'}), "not a bitmap file"},
      {"cut inside the file header", Cut(rgb24, 12), "bitmap header cut short"},
      {"cut inside the info header", Cut(rgb24, 30), "bitmap header cut short"},
      {"info header larger than the file", Patched(rgb24, InfoSize, std::uint32_t{0xffffffff}),
       "bitmap header cut short"},
      {"info header of 20 bytes", Patched(rgb24, InfoSize, std::uint32_t{20}), "unsupported bitmap header of 20 bytes"},
      {"width 0", Patched(rgb24, Width, std::int32_t{0}), "bitmap size out of range"},
      {"width -7", Patched(rgb24, Width, std::int32_t{-7}), "bitmap size out of range"},
      {"height 0", Patched(rgb24, Height, std::int32_t{0}), "bitmap size out of range"},
      {"width 65535", Patched(rgb24, Width, std::int32_t{65535}), "bitmap size out of range"},
      {"height -2147483648", Patched(rgb24, Height, std::int32_t{-2147483647 - 1}), "bitmap size out of range"},
      {"4097 x 4097 pixels", Patched(Patched(rgb24, Width, std::int32_t{4097}), Height, std::int32_t{4097}),
       "bitmap size out of range"},
      {"two planes", Patched(rgb24, Planes, std::uint16_t{2}), "bitmap has 2 planes, not 1"},
      {"3 bits per pixel", Patched(rgb24, Bits, std::uint16_t{3}), "unsupported bit depth 3"},
      {"64 bits per pixel", Patched(rgb24, Bits, std::uint16_t{64}), "unsupported bit depth 64"},
      {"JPEG inside", Patched(rgb24, Compression, std::uint32_t{4}), "JPEG bitmaps are not supported"},
      {"PNG inside", Patched(rgb24, Compression, std::uint32_t{5}), "PNG bitmaps are not supported"},
      {"compression 9", Patched(rgb24, Compression, std::uint32_t{9}), "unknown bitmap compression 9"},
      {"RLE8 of 24 bits", Patched(rgb24, Compression, std::uint32_t{1}), "RLE8 compression with 24 bits per pixel"},
      {"RLE4 of 8 bits", Patched(pal8, Compression, std::uint32_t{2}), "RLE4 compression with 8 bits per pixel"},
      {"bit fields of 24 bits", Patched(rgb24, Compression, std::uint32_t{3}),
       "bit-field masks with 24 bits per pixel"},
      {"RLE8 stored top-down", Patched(rle8, Height, std::int32_t{-6}), "run-length bitmaps cannot be stored top-down"},
      {"OS/2 Huffman", Patched(os2, Compression, std::uint32_t{3}), "OS/2 Huffman-compressed bitmaps are not supported"},
      {"OS/2 RLE24", Patched(os2, Compression, std::uint32_t{4}), "OS/2 RLE24-compressed bitmaps are not supported"},
      {"pixels inside the header", Patched(rgb24, PixelOffset, std::uint32_t{20}), "bitmap pixels overlap its header"},
      {"pixels inside the masks", Patched(masked, PixelOffset, std::uint32_t{58}), "bitmap pixels overlap its header"},
      {"masks cut short", Cut(masked, 60), "bit-field masks cut short"},
      {"masks after a 42-byte header cut short", Cut(Patched(masked, InfoSize, std::uint32_t{42}), 66),
       "bit-field masks cut short"},
      {"masks overlapping", Patched(masked, Masks, std::uint32_t{0x0ff0}), "bit-field masks are not valid"},
      {"mask not contiguous", Patched(masked, Masks, std::uint32_t{0xf00f}), "bit-field masks are not valid"},
      {"mask past 16 bits", Patched(masked, Masks, std::uint32_t{0x1f0000}), "bit-field masks are not valid"},
      {"palette of 100000 colours", Patched(pal8, ColorsUsed, std::uint32_t{100000}), "palette too large"},
      {"palette cut short", Cut(Patched(pal8, PixelOffset, std::uint32_t{14 + 40 + 64}), 14 + 40 + 30),
       "palette cut short"},
      {"no palette", Patched(pal8, PixelOffset, std::uint32_t{14 + 40}), "bitmap has no palette"},
      {"palette index past the palette", pal8Index, "palette index out of range"},
      {"RLE index past the palette", rleIndex, "palette index out of range"},
      {"pixels cut short", Cut(rgb24, rgb24.size() - 1), "bitmap pixels cut short"},
      {"pixels past the end", Patched(rgb24, PixelOffset, std::uint32_t{0xfffffff0}), "bitmap pixels cut short"},
      {"width 4096 in a tiny file", Patched(rgb24, Width, std::int32_t{4096}), "bitmap pixels cut short"},
      {"RLE8 without its end mark", Cut(rle8, rle8.size() - 2), "run-length data ends without its end mark"},
      {"RLE4 without its end mark", Cut(rle4, rle4.size() - 2), "run-length data ends without its end mark"},
      {"RLE8 pixels past the end", Patched(rle8, PixelOffset, std::uint32_t{0xfffffff0}), "bitmap pixels cut short"},
      {"RLE8 absolute run past the end", longLiteral, "run-length data cut short"},
      {"RLE8 delta cut short", [&] {
         auto file = Cut(rle8, RleStart);
         file.insert(file.end(), {0, 2, 1});
         return file;
       }(), "run-length data cut short"},
  };
}

TEST(BmpFile, EveryHostileFileIsRefusedWithItsReason) {
  for (const Hostile& hostile : HostileFiles()) {
    SCOPED_TRACE(hostile.name);
    std::string error;
    EXPECT_FALSE(DecodeBmp(hostile.file, &error).has_value());
    EXPECT_EQ(error, hostile.reason);
  }
}

}  // namespace
