#pragma once
// One 1 x 1 m cell of the room's 60 x 60 floor grid: kind, material, floor and
// ceiling height. The kind shapes the floor inside the cell, some kinds by looking at
// their neighbours, so a field knows the room it lies in.

#include <cstddef>
#include <cstdint>

#include "core/binary_io.h"

class RecordVisitor;
class TRoom;

class TField {
public:
  static constexpr std::size_t RecordSize = 12;

  explicit TField(const TRoom& room) : room_(&room) {}

  // Stored in the field record, in this order.
  std::int16_t Typus = 0;
  std::int16_t Material = 0;
  float Height = 0.0f;
  float Ceiling = 10.0f;
  // Own column and row, set once by the room; not stored.
  std::int16_t GridX = 0;
  std::int16_t GridZ = 0;

  void Reset();
  void SetGrid(std::int16_t x, std::int16_t z);
  bool Exists() const { return Typus > 0; }
  // Floor height at (fx, fz), both 0..1 from the cell's low-X, low-Z corner.
  float HeightAt(float fz, float fx) const;

  // The stored fields, in stored order; the record is written and read through them.
  void VisitFields(RecordVisitor& visitor);
  void WriteRecord(BinaryWriter& file) const;
  void ReadRecord(BinaryReader& file);

private:
  float NeighbourHeight(int x, int z) const;
  float Ramp(float before, float after, float f) const;

  const TRoom* room_;
};
