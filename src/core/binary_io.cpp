#include "core/binary_io.h"

#include <bit>
#include <cstring>

std::span<const std::uint8_t> BinaryReader::Take(std::size_t count) {
  if (count > Remaining()) throw ReadError("unexpected end of file");
  const auto part = data_.subspan(pos_, count);
  pos_ += count;
  return part;
}

std::uint8_t BinaryReader::ReadU8() { return Take(1)[0]; }

std::uint16_t BinaryReader::ReadU16() {
  const auto b = Take(2);
  return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

std::int16_t BinaryReader::ReadI16() { return static_cast<std::int16_t>(ReadU16()); }

std::uint32_t BinaryReader::ReadU32() {
  const auto b = Take(4);
  return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
         (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

std::int32_t BinaryReader::ReadI32() { return static_cast<std::int32_t>(ReadU32()); }

float BinaryReader::ReadF32() { return std::bit_cast<float>(ReadU32()); }

TVector BinaryReader::ReadVector() {
  TVector v;
  v.x = ReadF32();
  v.y = ReadF32();
  v.z = ReadF32();
  return v;
}

void BinaryReader::ReadBytes(std::span<std::uint8_t> out) {
  const auto part = Take(out.size());
  // An empty span may carry a null pointer, which memcpy must never see.
  if (!part.empty()) std::memcpy(out.data(), part.data(), part.size());
}

void BinaryReader::Skip(std::size_t count) { Take(count); }

void BinaryWriter::WriteU16(std::uint16_t value) {
  bytes_.push_back(static_cast<std::uint8_t>(value & 0xFF));
  bytes_.push_back(static_cast<std::uint8_t>(value >> 8));
}

void BinaryWriter::WriteU32(std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) bytes_.push_back(static_cast<std::uint8_t>(value >> shift));
}

void BinaryWriter::WriteF32(float value) { WriteU32(std::bit_cast<std::uint32_t>(value)); }

void BinaryWriter::WriteVector(const TVector& v) {
  WriteF32(v.x);
  WriteF32(v.y);
  WriteF32(v.z);
}

void BinaryWriter::WriteBytes(std::span<const std::uint8_t> bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}
