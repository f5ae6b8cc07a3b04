#pragma once
// The game's length-prefixed 8-bit strings: a fixed capacity, silent truncation,
// and N + 1 bytes on disk (length byte, then N characters).

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

template <std::size_t N>
class ShortString {
  static_assert(N > 0 && N <= 255, "the length byte caps the capacity at 255");

public:
  static constexpr std::size_t Capacity = N;

  ShortString() = default;
  ShortString(std::string_view text) { assign(text); }  // NOLINT: implicit like the game's strings
  ShortString(const char* text) { assign(text); }       // NOLINT
  ShortString(const std::string& text) { assign(text); }  // NOLINT
  template <std::size_t M>
  ShortString(const ShortString<M>& other) { assign(other.view()); }  // NOLINT

  void assign(std::string_view text) {
    length_ = static_cast<std::uint8_t>(std::min(text.size(), N));
    chars_.fill(0);
    // An empty view may carry a null pointer, which memcpy must never see.
    if (length_ > 0) std::memcpy(chars_.data(), text.data(), length_);
  }

  std::string_view view() const { return {chars_.data(), length_}; }
  std::string str() const { return std::string(view()); }
  std::size_t size() const { return length_; }
  bool empty() const { return length_ == 0; }

  friend bool operator==(const ShortString& a, const ShortString& b) { return a.view() == b.view(); }
  friend bool operator==(const ShortString& a, std::string_view b) { return a.view() == b; }
  // Exact matches for the other spellings of text, which would otherwise convert both ways.
  friend bool operator==(const ShortString& a, const char* b) { return a.view() == std::string_view(b); }
  friend bool operator==(const ShortString& a, const std::string& b) { return a.view() == b; }

private:
  std::uint8_t length_ = 0;
  std::array<char, N> chars_{};
};

using String32 = ShortString<32>;
using String255 = ShortString<255>;
