// Where a world point lies on the 60 x 60 field grid, and the floor height there.

#include <cmath>

#include "room/edit_room.h"

namespace {

constexpr float UsableEdge = 29.5f;

// Column (or row) of a coordinate: round(c - 0.5) with ties to even, plus 30. Values
// far outside any room (and NaN) give -1, which no cell has.
int CellIndex(float coordinate) {
  const float rounded = std::nearbyint(coordinate - 0.5f);
  if (!(std::fabs(rounded) < 1.0e6f)) return -1;
  return static_cast<int>(rounded) + TRoom::GridSize / 2;
}

}  // namespace

bool TRoom::InRoom(const TVector& p) const {
  return p.x >= -UsableEdge && p.x < UsableEdge && p.z >= -UsableEdge && p.z < UsableEdge;
}

TCell TRoom::CellOf(const TVector& p) { return {CellIndex(p.x), CellIndex(p.z)}; }

TField* TRoom::FieldAt(const TVector& p) {
  if (!InRoom(p)) return nullptr;
  const TCell cell = CellOf(p);
  return ValidCell(cell.x, cell.z) ? &FieldOf(cell.x, cell.z) : nullptr;
}

float TRoom::HeightAt(const TVector& p) const {
  if (!InRoom(p)) return 0.0f;
  const TCell cell = CellOf(p);
  if (!ValidCell(cell.x, cell.z)) return 0.0f;
  const float fx = p.x - static_cast<float>(cell.x - GridSize / 2);
  const float fz = p.z - static_cast<float>(cell.z - GridSize / 2);
  return FieldOf(cell.x, cell.z).HeightAt(fz, fx);
}
