// A room holding one entity of every kind survives saving and loading byte for byte.

#include <algorithm>

#include "entities/entity_camera.h"
#include "entities/entity_fixture.h"
#include "entities/entity_trigger.h"
#include "entities/entity_typus.h"
#include "particles/particle_fountain.h"

namespace {
const std::int16_t EveryKind[] = {typus::Tile,      typus::Door,     typus::TileMover, typus::Trigger,
                                  typus::TouchField, typus::Message, typus::Control,   typus::Marker,
                                  typus::Spawner,   typus::Variable, typus::SavePoint, typus::Sound,
                                  typus::Animation, typus::Item,     typus::Portal,    typus::Camera,
                                  typus::Mutant,    typus::ClawShrimp, typus::Grass,   typus::Fire,
                                  typus::Fountain,  typus::Rain,     typus::Explosion};
}  // namespace

TEST_F(EntityTest, RoomWithEveryKindResavesIdentically) {
  for (std::int16_t code : EveryKind) {
    TEntity& entity = Add(code);
    entity.Position = {static_cast<float>(code % 50) - 25.0f, 0.5f, -3.0f};
    entity.Health = static_cast<std::int16_t>(code);
  }
  auto& trigger = dynamic_cast<TETrigger&>(*room.Entities[3]);
  trigger.Targets[0] = "CAMERA1";
  dynamic_cast<TEPFountain&>(*room.Entities[20]).ParticleCount = 3;
  // As the cursor places it; a zone of four zero bounds would be derived anew on loading.
  auto& zone = dynamic_cast<TECamera&>(*room.Entities[15]);
  zone.ZoneMinX = -4.0f;
  zone.ZoneMaxZ = 2.0f;

  const auto saved = room.SaveToBytes();
  ASSERT_TRUE(room.LoadFromBytes(saved));
  EXPECT_TRUE(Errors().empty());
  for (std::size_t slot = 0; slot < std::size(EveryKind); ++slot)
    EXPECT_EQ(room.Entities[slot]->Typus, EveryKind[slot]) << slot;
  const auto resaved = room.SaveToBytes();
  ASSERT_EQ(resaved.size(), saved.size());
  const auto differs = std::mismatch(saved.begin(), saved.end(), resaved.begin());
  EXPECT_EQ(differs.first, saved.end()) << "first difference at byte " << (differs.first - saved.begin());

  // Loading binds every entity.
  EXPECT_EQ(room.Entities[3]->Links[0], 15);
}
