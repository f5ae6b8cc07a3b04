#include "room/room_fixture.h"

namespace {

using FieldGrid = RoomTest;

TEST_F(FieldGrid, UsableAreaAndCells) {
  EXPECT_FALSE(room.InRoom({-29.6f, 0, 0}));
  EXPECT_EQ(room.FieldAt({-29.6f, 0, 0}), nullptr);
  EXPECT_TRUE(room.InRoom({-29.5f, 0, 0}));
  EXPECT_EQ(TRoom::CellOf({-29.5f, 0, 0}).x, 0);
  EXPECT_EQ(TRoom::CellOf({29.4f, 0, 0}).x, 59);
  EXPECT_FALSE(room.InRoom({29.5f, 0, 0}));
  EXPECT_FALSE(room.InRoom({0, 0, 29.5f}));
  EXPECT_TRUE(room.InRoom({0, 1000, 0}));  // height is not part of the test
  // Exact integers follow the tie rule.
  EXPECT_EQ(TRoom::CellOf({2.0f, 0, 0}).x, 32);
  EXPECT_EQ(TRoom::CellOf({1.0f, 0, 0}).x, 30);
  EXPECT_EQ(TRoom::CellOf({0.3f, 0, -0.3f}).z, 29);
  EXPECT_EQ(&*room.FieldAt({0.3f, 0, -0.3f}), &room.Fields[30 * 60 + 29]);
}

TEST_F(FieldGrid, FarAwayPointsHaveNoCell) {
  const TCell cell = TRoom::CellOf({1.0e30f, 0, std::nanf("")});
  EXPECT_FALSE(TRoom::ValidCell(cell.x, cell.z));
  EXPECT_EQ(room.HeightAt({1.0e30f, 0, 0}), 0.0f);
}

TEST_F(FieldGrid, GridPositionsAndResetValues) {
  const TField& field = room.FieldOf(12, 34);
  EXPECT_EQ(field.GridX, 12);
  EXPECT_EQ(field.GridZ, 34);
  EXPECT_EQ(field.Ceiling, 10.0f);
  room.FieldOf(12, 34).Typus = 3;
  room.FieldOf(12, 34).Height = 4.0f;
  room.ClearFields();
  EXPECT_EQ(field.Typus, 0);
  EXPECT_EQ(field.Height, 0.0f);
  EXPECT_EQ(field.Ceiling, 10.0f);
  EXPECT_EQ(field.GridX, 12);
}

// Sets a field's kind and height by its world cell.
void SetField(TRoom& room, int x, int z, std::int16_t typus, float height) {
  room.FieldOf(x, z).Typus = typus;
  room.FieldOf(x, z).Height = height;
}

TEST_F(FieldGrid, FlatBlockAndUnknownKinds) {
  SetField(room, 30, 30, 1, 2.5f);
  EXPECT_EQ(room.HeightAt({0.7f, 0, 0.2f}), 2.5f);
  SetField(room, 30, 30, 3, 2.5f);
  EXPECT_EQ(room.HeightAt({0.1f, 0, 0.9f}), 10.0f);  // a block stands at its ceiling
  SetField(room, 30, 30, 8, 2.5f);
  EXPECT_EQ(room.HeightAt({0.5f, 0, 0.5f}), 0.0f);
  SetField(room, 30, 30, 0, 2.5f);
  EXPECT_EQ(room.HeightAt({0.5f, 0, 0.5f}), 0.0f);
}

TEST_F(FieldGrid, SmoothSlopeInterpolatesTowardsHigherIndices) {
  SetField(room, 30, 30, 4, 0.0f);
  SetField(room, 31, 30, 0, 2.0f);
  SetField(room, 30, 31, 0, 4.0f);
  SetField(room, 31, 31, 0, 8.0f);
  EXPECT_FLOAT_EQ(room.HeightAt({0.0f, 0, 0.0f}), 0.0f);
  EXPECT_FLOAT_EQ(room.HeightAt({0.5f, 0, 0.0f}), 1.0f);
  EXPECT_FLOAT_EQ(room.HeightAt({0.0f, 0, 0.5f}), 2.0f);
  EXPECT_FLOAT_EQ(room.HeightAt({0.5f, 0, 0.5f}), 3.5f);  // (1 + 6) / 2
}

TEST_F(FieldGrid, SmoothSlopeAtTheGridEdgeUsesOwnHeight) {
  SetField(room, 59, 59, 5, 3.0f);
  EXPECT_FLOAT_EQ(room.HeightAt({29.4f, 0, 29.4f}), 3.0f);
  SetField(room, 59, 20, 5, 3.0f);
  SetField(room, 59, 21, 0, 5.0f);
  // No column 60: both +X neighbours count as 3; the +Z one is real.
  // a = 3, b = 5 + (3 - 5) * 0.25 = 4.5, result 3 + 1.5 * 0.5.
  EXPECT_FLOAT_EQ(room.HeightAt({29.25f, 0, -9.5f}), 3.75f);
}

TEST_F(FieldGrid, RampAlongZClimbsToTheHigherNeighbourOnly) {
  SetField(room, 30, 30, 6, 1.0f);
  SetField(room, 30, 29, 0, 0.0f);  // lower: ignored
  SetField(room, 30, 31, 0, 3.0f);
  EXPECT_FLOAT_EQ(room.HeightAt({0.5f, 0, 0.0f}), 1.0f);
  EXPECT_FLOAT_EQ(room.HeightAt({0.5f, 0, 0.5f}), 2.0f);
  SetField(room, 30, 29, 0, 2.0f);  // higher before: the ramp now starts there
  EXPECT_FLOAT_EQ(room.HeightAt({0.5f, 0, 0.0f}), 2.0f);
}

TEST_F(FieldGrid, RampsAtTheBordersUseOwnHeightForTheMissingSide) {
  SetField(room, 10, 0, 6, 1.0f);
  SetField(room, 10, 1, 0, 3.0f);
  // Z = -29.5 is the middle of row 0: from its own 1 (no row -1) towards 3.
  EXPECT_FLOAT_EQ(room.HeightAt({-19.5f, 0, -29.5f}), 2.0f);
  SetField(room, 10, 59, 6, 1.0f);
  SetField(room, 10, 58, 0, 3.0f);
  // The higher neighbour lies before the field, so the ramp runs down from it.
  EXPECT_FLOAT_EQ(room.HeightAt({-19.5f, 0, 29.25f}), 2.5f);
}

TEST_F(FieldGrid, RampAlongX) {
  SetField(room, 30, 30, 7, 1.0f);
  SetField(room, 31, 30, 0, 5.0f);
  EXPECT_FLOAT_EQ(room.HeightAt({0.25f, 0, 0.5f}), 2.0f);
  SetField(room, 0, 5, 7, 1.0f);
  SetField(room, 1, 5, 0, 2.0f);
  EXPECT_FLOAT_EQ(room.HeightAt({-29.25f, 0, -24.5f}), 1.75f);
}

TEST_F(FieldGrid, FieldRecordIsTwelveBytesLittleEndian) {
  TField& field = room.FieldOf(0, 0);
  field.Typus = 0x0102;
  field.Material = -2;
  field.Height = 1.0f;
  field.Ceiling = -2.0f;
  const auto bytes = RecordBytes(field);
  const std::vector<std::uint8_t> expected{0x02, 0x01, 0xFE, 0xFF, 0, 0, 0x80, 0x3F, 0, 0, 0, 0xC0};
  EXPECT_EQ(bytes, expected);
}

}  // namespace
