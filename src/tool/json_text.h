#pragma once
// Values of the game's files as JSON: strings and floats the way every dump writes them.

#include <nlohmann/json.hpp>

#include <string>
#include <string_view>

#include "core/short_string.h"

namespace json_text {

// The game's strings are 8-bit Latin-1; JSON text is UTF-8, and a raw byte above 127
// would make the whole dump fail.
inline std::string Utf8(std::string_view latin1) {
  std::string text;
  text.reserve(latin1.size());
  for (const char c : latin1) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      text += c;
    } else {
      text += static_cast<char>(0xC0 | (byte >> 6));
      text += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return text;
}

template <std::size_t N>
std::string Utf8(const ShortString<N>& s) {
  return Utf8(s.view());
}

// 32-bit floats widen to double exactly, and the shortest double text reads back to
// that double, hence to the same float.
inline nlohmann::ordered_json Num(float value) { return static_cast<double>(value); }

}  // namespace json_text
