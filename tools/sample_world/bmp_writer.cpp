#include "sample_world/bmp_writer.h"

#include <stdexcept>

#include "core/binary_io.h"

TImage::TImage(int width, int height) : width_(width), height_(height) {
  if (width <= 0 || height <= 0) throw std::invalid_argument("image size must be positive");
  pixels_.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
}

std::size_t TImage::Index(int x, int y) const {
  if (x < 0 || x >= width_ || y < 0 || y >= height_) throw std::out_of_range("pixel outside the image");
  return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
}

std::vector<std::uint8_t> EncodeBmp24(const TImage& image) {
  constexpr std::uint32_t HeaderSize = 14 + 40;
  // Rows are padded to whole 32-bit words.
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(image.Width()) * 3 + 3) & ~3u;
  const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(image.Height());

  BinaryWriter out;
  out.WriteU8('B');
  out.WriteU8('M');
  out.WriteU32(HeaderSize + pixelBytes);
  out.WriteU32(0);
  out.WriteU32(HeaderSize);
  out.WriteU32(40);
  out.WriteI32(image.Width());
  out.WriteI32(image.Height());  // positive: bottom row first
  out.WriteU16(1);               // planes
  out.WriteU16(24);
  out.WriteU32(0);  // no compression
  out.WriteU32(pixelBytes);
  out.WriteI32(2835);  // 72 dpi
  out.WriteI32(2835);
  out.WriteU32(0);
  out.WriteU32(0);
  for (int y = image.Height() - 1; y >= 0; --y) {
    std::uint32_t written = 0;
    for (int x = 0; x < image.Width(); ++x) {
      const TRgb8 p = image.At(x, y);
      out.WriteU8(p.b);
      out.WriteU8(p.g);
      out.WriteU8(p.r);
      written += 3;
    }
    for (; written < rowBytes; ++written) out.WriteU8(0);
  }
  return out.Take();
}
