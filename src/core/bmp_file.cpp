#include "core/bmp_file.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "core/binary_io.h"
#include "core/file_system.h"

namespace {

constexpr std::size_t FileHeaderSize = 14;
constexpr std::uint32_t Os2CoreHeaderSize = 12;  // OS/2 1.x: 16-bit sizes, 3-byte palette entries
constexpr std::uint32_t InfoHeaderSize = 40;     // Windows 3.x; V2 (52), V3 (56), V4 (108), V5 (124) extend it
constexpr std::uint32_t LargestKnownHeader = 124;
constexpr std::size_t MaxFileBytes = std::size_t{256} << 20;

enum Compression : std::uint32_t { Rgb = 0, Rle8 = 1, Rle4 = 2, BitFields = 3, Jpeg = 4, Png = 5, AlphaBitFields = 6 };

// What the reader refuses a file for; caught at DecodeBmp's boundary.
struct Refusal {
  std::string why;
};

[[noreturn]] void Refuse(std::string why) { throw Refusal{std::move(why)}; }

std::uint16_t U16(const std::uint8_t* at) { return static_cast<std::uint16_t>(at[0] | (at[1] << 8)); }
std::uint32_t U32(const std::uint8_t* at) {
  return at[0] | (at[1] << 8) | (at[2] << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
}

// One colour channel of a 16- or 32-bit pixel, scaled to 0..255 with rounding.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  std::uint64_t max = 0;

  Channel() = default;
  explicit Channel(std::uint32_t m) : mask(m) {
    if (mask == 0) return;
    shift = std::countr_zero(mask);
    max = mask >> shift;
  }
  std::uint8_t Of(std::uint32_t pixel) const {
    if (mask == 0) return 0;
    const std::uint64_t value = (pixel & mask) >> shift;
    return static_cast<std::uint8_t>((value * 255u + max / 2) / max);
  }
};

using Rgb8 = std::array<std::uint8_t, 3>;

struct Layout {
  bool os2Core = false;  // 12-byte header
  bool os2 = false;      // OS/2 2.x (16- or 64-byte header): its compression codes 3 and 4 differ
  std::uint32_t infoSize = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;
  bool topDown = false;
  std::uint16_t planes = 1;
  std::uint16_t bits = 0;
  std::uint32_t compression = Rgb;
  std::uint32_t colorsUsed = 0;
  std::uint32_t pixelOffset = 0;
  std::size_t tableStart = 0;  // masks after a 40-byte header, then the palette
};

Layout ReadLayout(std::span<const std::uint8_t> file) {
  if (file.size() < 2) Refuse("bitmap header cut short");
  if (file[0] != 'B' || file[1] != 'M') Refuse("not a bitmap file");
  if (file.size() < FileHeaderSize + 4) Refuse("bitmap header cut short");
  Layout layout;
  layout.pixelOffset = U32(&file[10]);
  layout.infoSize = U32(&file[FileHeaderSize]);
  const std::uint32_t size = layout.infoSize;
  if (size > file.size() - FileHeaderSize) Refuse("bitmap header cut short");
  if (size != Os2CoreHeaderSize && size != 16 && size != 64 && size < InfoHeaderSize) {
    Refuse("unsupported bitmap header of " + std::to_string(size) + " bytes");
  }
  // The fields a shorter header leaves out read as zero.
  std::array<std::uint8_t, LargestKnownHeader> info{};
  std::memcpy(info.data(), &file[FileHeaderSize], std::min<std::size_t>(size, info.size()));
  if (size == Os2CoreHeaderSize) {
    layout.os2Core = true;
    layout.width = U16(&info[4]);
    layout.height = U16(&info[6]);
    layout.planes = U16(&info[8]);
    layout.bits = U16(&info[10]);
  } else {
    layout.os2 = size == 16 || size == 64;
    layout.width = static_cast<std::int32_t>(U32(&info[4]));
    const std::int64_t height = static_cast<std::int32_t>(U32(&info[8]));
    layout.topDown = height < 0;
    layout.height = height < 0 ? -height : height;
    layout.planes = U16(&info[12]);
    layout.bits = U16(&info[14]);
    layout.compression = U32(&info[16]);
    layout.colorsUsed = U32(&info[32]);
  }
  layout.tableStart = FileHeaderSize + size;
  return layout;
}

void CheckLayout(const Layout& layout) {
  if (layout.width < 1 || layout.width > BmpMaxExtent || layout.height < 1 || layout.height > BmpMaxExtent ||
      layout.width * layout.height > BmpMaxPixels) {
    Refuse("bitmap size out of range");
  }
  if (layout.planes != 1) Refuse("bitmap has " + std::to_string(layout.planes) + " planes, not 1");
  constexpr std::array<int, 7> Depths{1, 2, 4, 8, 16, 24, 32};
  if (std::find(Depths.begin(), Depths.end(), layout.bits) == Depths.end()) {
    Refuse("unsupported bit depth " + std::to_string(layout.bits));
  }
  const auto depth = std::to_string(layout.bits);
  switch (layout.compression) {
    case Rgb: break;
    case Rle8:
      if (layout.bits != 8) Refuse("RLE8 compression with " + depth + " bits per pixel");
      break;
    case Rle4:
      if (layout.bits != 4) Refuse("RLE4 compression with " + depth + " bits per pixel");
      break;
    case BitFields:
      if (layout.os2) Refuse("OS/2 Huffman-compressed bitmaps are not supported");
      [[fallthrough]];
    case AlphaBitFields:
      if (layout.bits != 16 && layout.bits != 32) Refuse("bit-field masks with " + depth + " bits per pixel");
      break;
    case Jpeg:
      Refuse(layout.os2 ? "OS/2 RLE24-compressed bitmaps are not supported" : "JPEG bitmaps are not supported");
    case Png: Refuse("PNG bitmaps are not supported");
    default: Refuse("unknown bitmap compression " + std::to_string(layout.compression));
  }
  if ((layout.compression == Rle8 || layout.compression == Rle4) && layout.topDown) {
    Refuse("run-length bitmaps cannot be stored top-down");
  }
  if (layout.pixelOffset < layout.tableStart) Refuse("bitmap pixels overlap its header");
}

// The red, green and blue masks of a 16- or 32-bit image: inside a header long enough to
// hold them (V2+), after any shorter one, or the defaults. Each must be one run of bits
// inside the pixel, and no two may share a bit.
std::array<Channel, 3> ReadMasks(std::span<const std::uint8_t> file, Layout& layout) {
  if (layout.compression != BitFields && layout.compression != AlphaBitFields) {
    if (layout.bits == 16) return {Channel(0x7c00u), Channel(0x03e0u), Channel(0x001fu)};
    return {Channel(0x00ff0000u), Channel(0x0000ff00u), Channel(0x000000ffu)};
  }
  constexpr std::uint32_t MasksEnd = InfoHeaderSize + 12;
  std::size_t at = FileHeaderSize + InfoHeaderSize;
  if (layout.infoSize < MasksEnd) {
    // Headers of 16 or 41..51 bytes are followed by the masks too, wherever they end.
    at = layout.tableStart;
    const std::size_t bytes = layout.compression == AlphaBitFields ? 16 : 12;
    if (file.size() - layout.tableStart < bytes) Refuse("bit-field masks cut short");
    layout.tableStart += bytes;
    if (layout.pixelOffset < layout.tableStart) Refuse("bitmap pixels overlap its header");
  }
  std::array<std::uint32_t, 3> masks{U32(&file[at]), U32(&file[at + 4]), U32(&file[at + 8])};
  std::uint32_t seen = 0;
  for (const std::uint32_t mask : masks) {
    const bool contiguous = mask == 0 || std::has_single_bit((mask >> std::countr_zero(mask)) + 1);
    const bool inside = layout.bits == 32 || (mask >> 16) == 0;
    if (!contiguous || !inside || (seen & mask) != 0) Refuse("bit-field masks are not valid");
    seen |= mask;
  }
  return {Channel(masks[0]), Channel(masks[1]), Channel(masks[2])};
}

std::vector<Rgb8> ReadPalette(std::span<const std::uint8_t> file, const Layout& layout) {
  if (layout.bits > 8) return {};
  const std::size_t entryBytes = layout.os2Core ? 3 : 4;
  std::size_t count = layout.colorsUsed == 0 ? std::size_t{1} << layout.bits : layout.colorsUsed;
  if (count > 256) Refuse("palette too large");
  // A palette never reaches into the pixels, nor has more colours than the depth can name.
  count = std::min({count, std::size_t{1} << layout.bits, (layout.pixelOffset - layout.tableStart) / entryBytes});
  if (count == 0) Refuse("bitmap has no palette");
  if ((file.size() - layout.tableStart) / entryBytes < count) Refuse("palette cut short");
  std::vector<Rgb8> palette(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* entry = &file[layout.tableStart + i * entryBytes];
    palette[i] = {entry[2], entry[1], entry[0]};
  }
  return palette;
}

class PixelSink {
public:
  PixelSink(TBmpImage& image, const Layout& layout, std::span<const Rgb8> palette)
      : image_(image), topDown_(layout.topDown), palette_(palette) {}

  // Row y as stored (0 is the first stored row).
  std::uint8_t* Row(std::size_t y) {
    const auto height = static_cast<std::size_t>(image_.height);
    const std::size_t shown = topDown_ ? y : height - 1 - y;
    return &image_.rgb[shown * static_cast<std::size_t>(image_.width) * 3];
  }
  void Index(std::uint8_t* out, std::uint32_t index) const {
    if (index >= palette_.size()) Refuse("palette index out of range");
    std::copy(palette_[index].begin(), palette_[index].end(), out);
  }

private:
  TBmpImage& image_;
  bool topDown_;
  std::span<const Rgb8> palette_;
};

void DecodeUncompressed(std::span<const std::uint8_t> file, const Layout& layout, const std::array<Channel, 3>& masks,
                        PixelSink& sink) {
  const auto width = static_cast<std::uint64_t>(layout.width);
  const auto rows = static_cast<std::uint64_t>(layout.height);
  const std::uint64_t stride = (width * layout.bits + 31) / 32 * 4;
  if (layout.pixelOffset > file.size() || (file.size() - layout.pixelOffset) / stride < rows) {
    Refuse("bitmap pixels cut short");
  }
  const int bits = layout.bits;
  for (std::uint64_t y = 0; y < rows; ++y) {
    const std::uint8_t* row = &file[layout.pixelOffset + y * stride];
    std::uint8_t* out = sink.Row(y);
    for (std::uint64_t x = 0; x < width; ++x, out += 3) {
      if (bits <= 8) {
        const std::uint64_t bit = x * static_cast<std::uint64_t>(bits);
        const int shift = 8 - bits - static_cast<int>(bit % 8);
        sink.Index(out, (row[bit / 8] >> shift) & ((1u << bits) - 1));
      } else if (bits == 24) {
        out[0] = row[x * 3 + 2];
        out[1] = row[x * 3 + 1];
        out[2] = row[x * 3];
      } else {
        const std::uint32_t pixel = bits == 16 ? U16(&row[x * 2]) : U32(&row[x * 4]);
        for (std::size_t c = 0; c < 3; ++c) out[c] = masks[c].Of(pixel);
      }
    }
  }
}

// RLE8 and RLE4: runs of one index, absolute runs, end of line, delta moves and the end
// mark. Pixels a delta or an early end of line passes over stay black; runs past the
// row's end are cut there.
void DecodeRunLength(std::span<const std::uint8_t> file, const Layout& layout, PixelSink& sink) {
  if (layout.pixelOffset > file.size()) Refuse("bitmap pixels cut short");
  const bool four = layout.compression == Rle4;
  const auto width = static_cast<std::size_t>(layout.width);
  const auto height = static_cast<std::size_t>(layout.height);
  std::size_t at = layout.pixelOffset;
  std::size_t x = 0, y = 0;
  const auto put = [&](std::size_t count, auto indexOf) {
    if (y >= height || x >= width) {
      x += count;
      return;
    }
    const std::size_t shown = std::min(count, width - x);
    std::uint8_t* out = sink.Row(y) + x * 3;
    for (std::size_t i = 0; i < shown; ++i, out += 3) sink.Index(out, indexOf(i));
    x += count;
  };
  for (;;) {
    if (file.size() - at < 2) Refuse("run-length data ends without its end mark");
    const std::uint8_t count = file[at], value = file[at + 1];
    at += 2;
    if (count > 0) {
      put(count, [&](std::size_t i) -> std::uint32_t { return four ? (i % 2 == 0 ? value >> 4 : value & 15) : value; });
    } else if (value == 0) {
      x = 0;
      ++y;
    } else if (value == 1) {
      return;
    } else if (value == 2) {
      if (file.size() - at < 2) Refuse("run-length data cut short");
      x += file[at];
      y += file[at + 1];
      at += 2;
    } else {
      const std::size_t bytes = four ? (value + 1u) / 2 : value;
      if (file.size() - at < bytes) Refuse("run-length data cut short");
      const std::uint8_t* run = &file[at];
      put(value, [&](std::size_t i) -> std::uint32_t {
        return four ? (i % 2 == 0 ? run[i / 2] >> 4 : run[i / 2] & 15) : run[i];
      });
      // Absolute runs are padded to a 16-bit boundary.
      at += std::min(bytes + (bytes & 1), file.size() - at);
    }
  }
}

}  // namespace

std::optional<TBmpImage> DecodeBmp(std::span<const std::uint8_t> file, std::string* error) {
  try {
    Layout layout = ReadLayout(file);
    CheckLayout(layout);
    const auto masks = layout.bits == 16 || layout.bits == 32 ? ReadMasks(file, layout) : std::array<Channel, 3>{};
    const auto palette = ReadPalette(file, layout);
    TBmpImage image;
    image.width = static_cast<int>(layout.width);
    image.height = static_cast<int>(layout.height);
    image.rgb.assign(static_cast<std::size_t>(layout.width * layout.height) * 3, 0);
    PixelSink sink(image, layout, palette);
    if (layout.compression == Rle8 || layout.compression == Rle4) {
      DecodeRunLength(file, layout, sink);
    } else {
      DecodeUncompressed(file, layout, masks, sink);
    }
    return image;
  } catch (const Refusal& refusal) {
    if (error) *error = refusal.why;
    return std::nullopt;
  }
}

std::vector<std::uint8_t> EncodeBmp(const TBmpImage& image) {
  const auto width = static_cast<std::size_t>(std::max(image.width, 0));
  const auto height = static_cast<std::size_t>(std::max(image.height, 0));
  const std::size_t stride = (width * 3 + 3) / 4 * 4;
  const std::size_t offset = FileHeaderSize + InfoHeaderSize;
  BinaryWriter out;
  out.WriteU8('B');
  out.WriteU8('M');
  out.WriteU32(static_cast<std::uint32_t>(offset + stride * height));
  out.WriteU32(0);
  out.WriteU32(static_cast<std::uint32_t>(offset));
  out.WriteU32(InfoHeaderSize);
  out.WriteI32(static_cast<std::int32_t>(width));
  out.WriteI32(static_cast<std::int32_t>(height));
  out.WriteU16(1);
  out.WriteU16(24);
  out.WriteU32(Rgb);
  out.WriteU32(static_cast<std::uint32_t>(stride * height));
  out.WriteI32(2835);  // 72 dpi
  out.WriteI32(2835);
  out.WriteU32(0);
  out.WriteU32(0);
  std::vector<std::uint8_t> row(stride, 0);
  for (std::size_t y = height; y-- > 0;) {
    std::fill(row.begin(), row.end(), std::uint8_t{0});
    for (std::size_t x = 0; x < width; ++x) {
      const std::size_t at = (y * width + x) * 3;
      if (at + 3 > image.rgb.size()) continue;  // a short pixel buffer writes black
      row[x * 3] = image.rgb[at + 2];
      row[x * 3 + 1] = image.rgb[at + 1];
      row[x * 3 + 2] = image.rgb[at];
    }
    out.WriteBytes(row);
  }
  return out.Take();
}

std::optional<TBmpImage> LoadBmp(std::string_view gamePath, std::string* error) {
  const auto bytes = fs_layer::ReadFile(gamePath, MaxFileBytes);
  if (!bytes) {
    if (error) *error = "cannot read the file";
    return std::nullopt;
  }
  return DecodeBmp(*bytes, error);
}

std::optional<std::string> SaveBmp(std::string_view gamePath, const TBmpImage& image) {
  return fs_layer::WriteFileAtomic(gamePath, EncodeBmp(image));
}
