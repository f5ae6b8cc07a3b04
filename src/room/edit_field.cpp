#include "room/edit_field.h"

#include "entities/record_visitors.h"
#include "room/edit_room.h"

void TField::Reset() {
  Typus = 0;
  Material = 0;
  Height = 0.0f;
  Ceiling = 10.0f;
}

void TField::SetGrid(std::int16_t x, std::int16_t z) {
  GridX = x;
  GridZ = z;
  Reset();
}

float TField::NeighbourHeight(int x, int z) const { return room_->FieldOf(x, z).Height; }

// Ramps only climb: a neighbour lower than the field leaves that side at the field's
// own height.
float TField::Ramp(float before, float after, float f) const {
  const float low = before > Height ? before : Height;
  const float high = after > Height ? after : Height;
  return low + (high - low) * f;
}

float TField::HeightAt(float fz, float fx) const {
  const int x = GridX;
  const int z = GridZ;
  const float own = Height;
  switch (Typus) {
    case 1:
    case 2:
      return own;
    case 3:
      return Ceiling;
    case 4:
    case 5: {
      // A neighbour beyond the last column or row counts with the field's own height.
      const bool hasX = x + 1 < TRoom::GridSize;
      const bool hasZ = z + 1 < TRoom::GridSize;
      const float h10 = hasX ? NeighbourHeight(x + 1, z) : own;
      const float h01 = hasZ ? NeighbourHeight(x, z + 1) : own;
      const float h11 = hasX && hasZ ? NeighbourHeight(x + 1, z + 1) : own;
      const float a = own + (h10 - own) * fx;
      const float b = h01 + (h11 - h01) * fx;
      return a + (b - a) * fz;
    }
    case 6:
      return Ramp(z >= 1 ? NeighbourHeight(x, z - 1) : own,
                  z + 1 < TRoom::GridSize ? NeighbourHeight(x, z + 1) : own, fz);
    case 7:
      return Ramp(x >= 1 ? NeighbourHeight(x - 1, z) : own,
                  x + 1 < TRoom::GridSize ? NeighbourHeight(x + 1, z) : own, fx);
    default:
      return 0.0f;
  }
}

void TField::VisitFields(RecordVisitor& visitor) {
  visitor.List(Typus, {"Typus", "CBFieldTypus"});
  visitor.List(Material, {"Material", "CBFieldMaterial"});
  visitor.Number(Height, {"Height", "EditFieldHeight"});
  visitor.Number(Ceiling, {"Ceiling", "EditFieldHeightCeiling"});
}

void TField::WriteRecord(BinaryWriter& file) const {
  RecordWriter writer(file);
  // The writer only reads the fields.
  const_cast<TField&>(*this).VisitFields(writer);
}

void TField::ReadRecord(BinaryReader& file) {
  RecordReader reader(file);
  VisitFields(reader);
}
