#pragma once
// Values of the game's files as JSON: strings and floats the way every dump writes them,
// and the ways back.

#include <nlohmann/json.hpp>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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

// The way back; nothing when the text holds a character beyond Latin-1.
inline std::optional<std::string> Latin1(std::string_view utf8) {
  std::string text;
  text.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    const auto next = i + 1 < utf8.size() ? static_cast<unsigned char>(utf8[i + 1]) : 0;
    if (byte < 0x80) {
      text += static_cast<char>(byte);
    } else if ((byte == 0xC2 || byte == 0xC3) && (next & 0xC0) == 0x80) {
      text += static_cast<char>(((byte & 0x03) << 6) | (next & 0x3F));
      ++i;
    } else {
      return std::nullopt;
    }
  }
  return text;
}

// Finite floats are numbers: 32-bit floats widen to double exactly, and the shortest
// double text reads back to that double, hence to the same float. The others are
// strings, since JSON has no word for them: "Infinity", "-Infinity", "NaN" (the quiet
// NaN 0x7fc00000), and any other NaN by its bits, "NaN:0xffc00000".
inline nlohmann::ordered_json Num(float value) {
  if (std::isfinite(value)) return static_cast<double>(value);
  if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
  const auto bits = std::bit_cast<std::uint32_t>(value);
  if (bits == 0x7fc00000u) return "NaN";
  char text[24];
  std::snprintf(text, sizeof text, "NaN:0x%08x", static_cast<unsigned>(bits));
  return text;
}

// Standard base64 with padding.
inline std::string Base64(std::span<const std::uint8_t> bytes) {
  static constexpr char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string text;
  text.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
    std::uint32_t group = static_cast<std::uint32_t>(bytes[i]) << 16;
    if (n > 1) group |= static_cast<std::uint32_t>(bytes[i + 1]) << 8;
    if (n > 2) group |= bytes[i + 2];
    for (std::size_t c = 0; c < 4; ++c) text += c <= n ? Alphabet[(group >> (18 - 6 * c)) & 0x3F] : '=';
  }
  return text;
}

// Nothing unless the text is base64 as Base64 writes it.
inline std::optional<std::vector<std::uint8_t>> FromBase64(std::string_view text) {
  if (text.size() % 4 != 0) return std::nullopt;
  const auto value = [](char c) -> int {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
  };
  std::vector<std::uint8_t> bytes;
  bytes.reserve(text.size() / 4 * 3);
  for (std::size_t i = 0; i < text.size(); i += 4) {
    const bool last = i + 4 == text.size();
    const std::size_t padding = last ? (text[i + 3] == '=') + (text[i + 2] == '=' && text[i + 3] == '=') : 0;
    std::uint32_t group = 0;
    for (std::size_t c = 0; c < 4; ++c) {
      const int v = c >= 4 - padding ? 0 : value(text[i + c]);
      if (v < 0) return std::nullopt;
      group = group << 6 | static_cast<std::uint32_t>(v);
    }
    // The bits below the last byte are zero when Base64 wrote them.
    if ((padding == 1 && (group & 0xFF) != 0) || (padding == 2 && (group & 0xFFFF) != 0)) return std::nullopt;
    for (std::size_t b = 0; b < 3 - padding; ++b) bytes.push_back(static_cast<std::uint8_t>(group >> (16 - 8 * b)));
  }
  return bytes;
}

}  // namespace json_text
