#pragma once
// Little-endian readers and writers for the game's fixed-layout records. The reader
// works on bytes already in memory and throws ReadError on any read past the end, so
// a loader checks one thing at its boundary instead of every field.

#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

#include "core/short_string.h"
#include "core/vector.h"

class ReadError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

class BinaryReader {
public:
  explicit BinaryReader(std::span<const std::uint8_t> data) : data_(data) {}

  std::uint8_t ReadU8();
  std::int16_t ReadI16();
  std::uint16_t ReadU16();
  std::int32_t ReadI32();
  std::uint32_t ReadU32();
  float ReadF32();
  bool ReadBool() { return ReadU8() != 0; }
  TVector ReadVector();
  void ReadBytes(std::span<std::uint8_t> out);
  void Skip(std::size_t count);

  // A length byte above the capacity (a damaged file) is cut to the capacity.
  template <std::size_t N>
  ShortString<N> ReadString() {
    const std::size_t length = std::min<std::size_t>(ReadU8(), N);
    const auto chars = Take(N);
    return ShortString<N>(std::string_view(reinterpret_cast<const char*>(chars.data()), length));
  }

  std::size_t Position() const { return pos_; }
  std::size_t Remaining() const { return data_.size() - pos_; }
  bool AtEnd() const { return pos_ == data_.size(); }

private:
  std::span<const std::uint8_t> Take(std::size_t count);

  std::span<const std::uint8_t> data_;
  std::size_t pos_ = 0;
};

class BinaryWriter {
public:
  void WriteU8(std::uint8_t value) { bytes_.push_back(value); }
  void WriteI16(std::int16_t value) { WriteU16(static_cast<std::uint16_t>(value)); }
  void WriteU16(std::uint16_t value);
  void WriteI32(std::int32_t value) { WriteU32(static_cast<std::uint32_t>(value)); }
  void WriteU32(std::uint32_t value);
  void WriteF32(float value);
  void WriteBool(bool value) { WriteU8(value ? 1 : 0); }
  void WriteVector(const TVector& v);
  void WriteBytes(std::span<const std::uint8_t> bytes);

  // Full capacity on disk; the bytes after the text are written as zeros.
  template <std::size_t N>
  void WriteString(const ShortString<N>& s) {
    WriteU8(static_cast<std::uint8_t>(s.size()));
    const auto text = s.view();
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    bytes_.insert(bytes_.end(), N - text.size(), 0);
  }

  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  std::vector<std::uint8_t> Take() { return std::move(bytes_); }
  // Starts over in the same buffer, for writing many records one after another.
  void Clear() { bytes_.clear(); }

private:
  std::vector<std::uint8_t> bytes_;
};
