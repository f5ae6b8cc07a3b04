// Stored bodies: exact sizes and offsets, and every kind surviving a write and a read.

#include <cstring>
#include <utility>

#include "entities/entity_animation.h"
#include "entities/entity_camera.h"
#include "entities/entity_control.h"
#include "entities/entity_fixture.h"
#include "entities/entity_item.h"
#include "entities/entity_marker.h"
#include "entities/entity_message.h"
#include "entities/entity_portal.h"
#include "entities/entity_registry.h"
#include "entities/entity_savepoint.h"
#include "entities/entity_sound.h"
#include "entities/entity_spawner.h"
#include "entities/entity_tilemover.h"
#include "entities/entity_touchfield.h"
#include "entities/entity_trigger.h"
#include "entities/entity_typus.h"
#include "entities/entity_variable.h"
#include "entities/tile_door.h"
#include "entities/unit_e_clawshrimp.h"
#include "entities/unit_e_mutant.h"
#include "particles/particle_explosion.h"
#include "particles/particle_fire.h"
#include "particles/particle_fountain.h"
#include "particles/particle_grass.h"
#include "particles/particle_rain.h"
#include "support/distinct_entities.h"

namespace {

std::int16_t I16At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  return static_cast<std::int16_t>(bytes.at(offset) | (bytes.at(offset + 1) << 8));
}
float F32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  std::uint32_t bits = 0;
  for (int i = 3; i >= 0; --i) bits = (bits << 8) | bytes.at(offset + static_cast<std::size_t>(i));
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}
std::string StringAt(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  return std::string(reinterpret_cast<const char*>(&bytes.at(offset + 1)), bytes.at(offset));
}

}  // namespace

TEST_F(EntityTest, EveryKindWritesItsExactBodySize) {
  for (const auto& [code, size] : KindSizes) {
    auto entity = CreateEntity(engine, code);
    ASSERT_NE(entity, nullptr) << code;
    EXPECT_EQ(entity->Typus, code);
    EXPECT_EQ(Body(*entity).size(), size) << "typus " << code;
    Distinguish(*entity);
    EXPECT_EQ(Body(*entity).size(), size) << "typus " << code << " with long names";
  }
}

TEST_F(EntityTest, TypusWithoutClassGivesNothing) {
  for (std::int16_t code : {0, 1, 2010, 2011, 3000, 4000, 4006, -1000, 32767})
    EXPECT_EQ(CreateEntity(engine, code), nullptr) << code;
}

TEST_F(EntityTest, EveryKindSurvivesWriteAndReadBitForBit) {
  for (const auto& [code, size] : KindSizes) {
    auto original = CreateEntity(engine, code);
    DistinguishCommon(*original);
    Distinguish(*original);
    BinaryWriter file;
    original->WriteCommon(file);
    original->WriteRecord(file);
    const auto bytes = file.Take();
    ASSERT_EQ(bytes.size(), TEntity::CommonRecordSize + size) << code;

    auto copy = CreateEntity(engine, code);
    BinaryReader reader(bytes);
    copy->ReadCommon(reader);
    copy->ReadRecord(reader);
    EXPECT_TRUE(reader.AtEnd()) << code;

    BinaryWriter again;
    copy->WriteCommon(again);
    copy->WriteRecord(again);
    EXPECT_EQ(again.Bytes(), bytes) << "typus " << code;
    EXPECT_EQ(copy->Name.view(), "DISTINCT_NAME");
    EXPECT_EQ(copy->Health, -321);
    EXPECT_EQ(copy->Color, (TVector{0.1f, 0.2f, 0.3f}));
  }
}

TEST_F(EntityTest, CommonRecordFieldsSitAtTheirOffsets) {
  TEntity entity(engine);
  DistinguishCommon(entity);
  BinaryWriter file;
  entity.WriteCommon(file);
  const auto bytes = file.Take();
  ASSERT_EQ(bytes.size(), 163u);
  EXPECT_EQ(StringAt(bytes, 0), "DISTINCT_NAME");
  EXPECT_EQ(F32At(bytes, 37), -2.5f);
  EXPECT_EQ(F32At(bytes, 53), 30.0f);
  EXPECT_EQ(StringAt(bytes, 57), "MODEL_X");
  EXPECT_EQ(I16At(bytes, 90), -321);
  EXPECT_EQ(bytes[92], 0);
  EXPECT_EQ(F32At(bytes, 93), 1.625f);
  EXPECT_EQ(I16At(bytes, 111), 3);
  EXPECT_EQ(F32At(bytes, 113), 0.4375f);
  EXPECT_EQ(F32At(bytes, 119), 2.5f);
  EXPECT_EQ(StringAt(bytes, 123), "idle");
  EXPECT_EQ(I16At(bytes, 156), 2);
  EXPECT_EQ(F32At(bytes, 158), 0.5f);
  EXPECT_EQ(bytes[162], 0);
}

TEST_F(EntityTest, BodiesPlaceTheirFieldsAtTheStoredOffsets) {
  TETDoor door(engine);
  Distinguish(door);
  auto bytes = Body(door);
  EXPECT_EQ(I16At(bytes, 26), 5) << "tile part first";
  EXPECT_EQ(StringAt(bytes, 285), "MARKER9");
  EXPECT_EQ(F32At(bytes, 363), 4.5f);
  EXPECT_EQ(StringAt(bytes, 441), "SOUND2");
  EXPECT_EQ(I16At(bytes, 542), 17);
  EXPECT_EQ(I16At(bytes, 546), 4);

  TETrigger trigger(engine);
  Distinguish(trigger);
  bytes = Body(trigger);
  EXPECT_EQ(I16At(bytes, 15), 4);
  EXPECT_EQ(StringAt(bytes, 17 + 33 * 7), std::string(32, 'H'));

  TEUEClawShrimp unit(engine);
  Distinguish(unit);
  bytes = Body(unit);
  EXPECT_EQ(bytes[13], 1);
  EXPECT_EQ(StringAt(bytes, 146), "TRIGGER3");

  TEPortal portal(engine);
  Distinguish(portal);
  bytes = Body(portal);
  EXPECT_EQ(F32At(bytes, 301), 2.75f);
  EXPECT_EQ(StringAt(bytes, 375), "SOUND3");
}

TEST_F(EntityTest, NewSpawnerWritesCountsOfOneAndZeroGaps) {
  TESpawner spawner(engine);
  spawner.Template = std::string(32, 'x');
  spawner.SpawnPosition = std::string(32, 'y');
  const auto bytes = Body(spawner);
  EXPECT_EQ(I16At(bytes, 40), 1);
  EXPECT_EQ(I16At(bytes, 42), 1);
  for (std::size_t gap : {33u, 34u, 35u, 81u, 117u, 118u, 119u}) EXPECT_EQ(bytes[gap], 0) << gap;

  // Gap bytes of a stored body are ignored.
  auto damaged = bytes;
  damaged[34] = 0xAB;
  damaged[81] = 0xCD;
  TESpawner copy(engine);
  BinaryReader reader(damaged);
  copy.ReadRecord(reader);
  EXPECT_EQ(Body(copy), bytes);
}

TEST_F(EntityTest, CameraWithoutStoredZoneDerivesItFromItsRadius) {
  TECamera stored(engine);
  stored.RadiusX = 4.0f;
  stored.RadiusZ = 3.0f;
  const auto bytes = Body(stored);

  TECamera loaded(engine);
  loaded.Position = {10.0f, 0.0f, -2.0f};
  BinaryReader reader(bytes);
  loaded.ReadRecord(reader);
  EXPECT_EQ(loaded.ZoneMinX, 6.0f);
  EXPECT_EQ(loaded.ZoneMinZ, -5.0f);
  EXPECT_EQ(loaded.ZoneMaxX, 14.0f);
  EXPECT_EQ(loaded.ZoneMaxZ, 1.0f);

  stored.ZoneMaxZ = 1.0f;
  const auto kept = Body(stored);
  BinaryReader again(kept);
  loaded.ReadRecord(again);
  EXPECT_EQ(loaded.ZoneMinX, 0.0f);
  EXPECT_EQ(loaded.ZoneMaxZ, 1.0f);
}

TEST_F(EntityTest, ShortBodyRaisesReadError) {
  TETDoor door(engine);
  auto bytes = Body(door);
  bytes.resize(300);
  TETDoor copy(engine);
  BinaryReader reader(bytes);
  EXPECT_THROW(copy.ReadRecord(reader), ReadError);
}

TEST_F(EntityTest, KindsStartWithTheirDefaults) {
  auto& mutant = Add<TEUEMutant>(typus::Mutant);
  EXPECT_GE(mutant.Health, 10);
  EXPECT_LE(mutant.Health, 14);
  EXPECT_TRUE(mutant.Visible);
  EXPECT_TRUE(mutant.ApplyLighting);
  auto& shrimp = Add<TEUEClawShrimp>(typus::ClawShrimp);
  EXPECT_GE(shrimp.Health, 15);
  EXPECT_LE(shrimp.Health, 19);
  EXPECT_EQ(shrimp.ModelName.view(), "UNIT_ENEMY_CLAWSHRIMP");

  auto& tile = Add<TETile>(typus::Tile);
  EXPECT_EQ(tile.ShadowTypus, 2);
  EXPECT_TRUE(tile.ModelName.empty());
  auto& trigger = Add<TETrigger>(typus::Trigger);
  EXPECT_FALSE(trigger.Visible);
  EXPECT_EQ(trigger.Activations, -1);
  EXPECT_EQ(Add<TESavePoint>(typus::SavePoint).Assignment.Value, 1);
  EXPECT_EQ(Add<TEVariable>(typus::Variable).Assignment.Value, 0);
  auto& fire = Add<TEPFire>(typus::Fire);
  EXPECT_EQ(fire.ModelName.view(), "EDITOR_PARTICLE");
  EXPECT_TRUE(fire.Visible);
}
