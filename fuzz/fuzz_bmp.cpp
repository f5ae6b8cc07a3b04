// The document layer's bitmap reader; a decoded image must encode and decode again
// to the same pixels.
#include <cstdlib>

#include "core/bmp_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto image = DecodeBmp({data, size});
  if (!image) return 0;
  if (image->rgb.size() != static_cast<std::size_t>(image->width) * static_cast<std::size_t>(image->height) * 3)
    std::abort();
  const auto again = DecodeBmp(EncodeBmp(*image));
  if (!again || again->rgb != image->rgb) std::abort();
  return 0;
}
