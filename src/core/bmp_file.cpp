#include "core/bmp_file.h"

#include <algorithm>
#include <array>
#include <bit>

#include "core/binary_io.h"
#include "core/file_system.h"

namespace {

constexpr std::size_t FileHeaderSize = 14;
constexpr std::uint32_t InfoHeaderSize = 40;
constexpr std::uint32_t Uncompressed = 0;
constexpr std::uint32_t BitFields = 3;
// Beyond any texture the game uses; keeps a lying header from asking for gigabytes.
constexpr std::int64_t MaxExtent = 16384;
constexpr std::size_t MaxFileBytes = std::size_t{256} << 20;

struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  std::uint32_t max = 0;

  explicit Channel(std::uint32_t m = 0) : mask(m) {
    if (mask == 0) return;
    shift = std::countr_zero(mask);
    max = mask >> shift;
  }
  std::uint8_t Of(std::uint32_t pixel) const {
    if (mask == 0) return 0;
    return static_cast<std::uint8_t>(((pixel & mask) >> shift) * 255u / max);
  }
};

std::nullopt_t Fail(std::string* error, const char* why) {
  if (error) *error = why;
  return std::nullopt;
}

// One row's pixels to RGB, by the bit depth; false when a palette index is out of range.
bool DecodeRow(std::span<const std::uint8_t> row, int width, int bits, std::span<const std::array<std::uint8_t, 3>> palette,
               const std::array<Channel, 3>& channels, std::uint8_t* out) {
  for (int x = 0; x < width; ++x, out += 3) {
    if (bits == 8) {
      const std::uint8_t index = row[static_cast<std::size_t>(x)];
      if (index >= palette.size()) return false;
      std::copy(palette[index].begin(), palette[index].end(), out);
    } else if (bits == 24) {
      const auto bgr = row.subspan(static_cast<std::size_t>(x) * 3, 3);
      out[0] = bgr[2];
      out[1] = bgr[1];
      out[2] = bgr[0];
    } else {
      const auto b = row.subspan(static_cast<std::size_t>(x) * 4, 4);
      const std::uint32_t pixel = b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
      for (int c = 0; c < 3; ++c) out[c] = channels[static_cast<std::size_t>(c)].Of(pixel);
    }
  }
  return true;
}

}  // namespace

std::optional<TBmpImage> DecodeBmp(std::span<const std::uint8_t> file, std::string* error) {
  try {
    BinaryReader in(file);
    if (in.ReadU8() != 'B' || in.ReadU8() != 'M') return Fail(error, "not a bitmap file");
    in.Skip(8);  // file size (often wrong in the wild) and two reserved words
    const std::uint32_t pixelOffset = in.ReadU32();
    const std::uint32_t infoSize = in.ReadU32();
    if (infoSize < InfoHeaderSize || infoSize > file.size() - FileHeaderSize) {
      return Fail(error, "unsupported bitmap header");
    }
    const std::int64_t width = in.ReadI32();
    const std::int64_t rawHeight = in.ReadI32();
    const std::uint16_t planes = in.ReadU16();
    const std::uint16_t bits = in.ReadU16();
    const std::uint32_t compression = in.ReadU32();
    in.Skip(12);  // image size and resolution
    const std::uint32_t colorsUsed = in.ReadU32();
    in.Skip(4);  // important colours
    const std::int64_t height = rawHeight < 0 ? -rawHeight : rawHeight;
    if (width < 1 || width > MaxExtent || height < 1 || height > MaxExtent) {
      return Fail(error, "bitmap size out of range");
    }
    if (planes != 1 || (bits != 8 && bits != 24 && bits != 32)) return Fail(error, "unsupported bit depth");
    const bool masked = compression == BitFields && bits == 32;
    if (compression != Uncompressed && !masked) return Fail(error, "compressed bitmaps are not supported");

    std::array<Channel, 3> channels{Channel(0x00ff0000u), Channel(0x0000ff00u), Channel(0x000000ffu)};
    if (masked) {
      // The masks follow a 40-byte header, or sit inside a larger one at the same place.
      for (auto& channel : channels) channel = Channel(in.ReadU32());
    }
    std::vector<std::array<std::uint8_t, 3>> palette;
    if (bits == 8) {
      const std::uint32_t count = colorsUsed == 0 ? 256 : colorsUsed;
      if (count > 256) return Fail(error, "palette too large");
      BinaryReader entries(file.subspan(std::min(file.size(), FileHeaderSize + infoSize)));
      for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint8_t b = entries.ReadU8(), g = entries.ReadU8(), r = entries.ReadU8();
        entries.Skip(1);
        palette.push_back({r, g, b});
      }
    }

    const auto stride = static_cast<std::size_t>((width * bits + 31) / 32 * 4);
    const auto rows = static_cast<std::size_t>(height);
    if (pixelOffset > file.size() || (file.size() - pixelOffset) / stride < rows) {
      return Fail(error, "bitmap pixels cut short");
    }
    TBmpImage image;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.rgb.resize(static_cast<std::size_t>(width) * rows * 3);
    for (std::size_t y = 0; y < rows; ++y) {
      // Bottom-up unless the height is negative.
      const std::size_t stored = rawHeight < 0 ? y : rows - 1 - y;
      const auto row = file.subspan(pixelOffset + stored * stride, stride);
      if (!DecodeRow(row, image.width, bits, palette, channels, &image.rgb[y * static_cast<std::size_t>(width) * 3])) {
        return Fail(error, "palette index out of range");
      }
    }
    return image;
  } catch (const ReadError&) {
    return Fail(error, "bitmap header cut short");
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
  out.WriteU32(Uncompressed);
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
