#include "core/binary_io.h"

#include <gtest/gtest.h>

TEST(BinaryIo, ValuesRoundTripLittleEndian) {
  BinaryWriter w;
  w.WriteI16(-2);
  w.WriteF32(1.5f);
  w.WriteString(String32("ROOM"));
  ASSERT_EQ(w.Bytes().size(), 2u + 4u + 33u);
  EXPECT_EQ(w.Bytes()[0], 0xFE);
  EXPECT_EQ(w.Bytes()[1], 0xFF);
  EXPECT_EQ(w.Bytes()[6], 4);
  EXPECT_EQ(w.Bytes()[11], 0) << "bytes after the text are zero";

  BinaryReader r(w.Bytes());
  EXPECT_EQ(r.ReadI16(), -2);
  EXPECT_EQ(r.ReadF32(), 1.5f);
  EXPECT_EQ(r.ReadString<32>(), "ROOM");
  EXPECT_TRUE(r.AtEnd());
  EXPECT_THROW(r.ReadU8(), ReadError);
}

TEST(BinaryIo, OverlongLengthByteIsCutToCapacity) {
  std::vector<std::uint8_t> bytes(33, 'A');
  bytes[0] = 200;
  BinaryReader r(bytes);
  EXPECT_EQ(r.ReadString<32>().size(), 32u);
  EXPECT_TRUE(r.AtEnd());
}

TEST(BinaryIo, ShortReadThrowsWithoutMovingPastTheEnd) {
  std::vector<std::uint8_t> bytes{1, 2, 3};
  BinaryReader r(bytes);
  EXPECT_THROW(r.ReadU32(), ReadError);
  EXPECT_EQ(r.Remaining(), 3u);
  EXPECT_THROW(r.ReadString<32>(), ReadError);
}
