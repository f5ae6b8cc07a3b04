// The objects list's rows and filter, on a built room: each object in use once with its
// slot, name, kind and position, and a filter that finds names, kinds and field values.
#include <algorithm>

#include "entities/edit_entity.h"
#include "entities/entity_trigger.h"
#include "entities/entity_typus.h"
#include "room/object_list.h"
#include "room_fixture.h"

namespace {

using Kind = TSelection::Kind;

TEST_F(RoomTest, TheObjectListHasEveryObjectInUseAndItsFilterFindsNamesKindsAndFieldValues) {
  TLight* freed = room.AddLight({9, 9, 9}, {1, 1, 1}, 2);
  TLight* lamp = room.AddLight({1.0f, 2.5f, -3.0f}, {1, 1, 1}, 4);
  freed->ResetLight();  // a gap in the table: the lamp keeps slot 1
  lamp->Name = "Hall Lamp";
  auto* trigger = dynamic_cast<TETrigger*>(room.AddEntity(typus::Trigger, {4, 0, 5}, {}, 1));
  ASSERT_NE(trigger, nullptr);
  trigger->Name = "OPEN_GATE";
  trigger->Targets[1] = "GateKeeper";
  TEntity* mutant = room.AddEntity(typus::Mutant, {-2, 0, 7}, {}, 1);
  ASSERT_NE(mutant, nullptr);
  mutant->Name = "BRUTE";
  TSurface* floor = room.AddSurface({0, 0, 0}, {2, 0, 0}, {2, 0, 4}, {0, 0, 4}, "textures\\Planks");
  ASSERT_NE(floor, nullptr);
  floor->name = "FLOOR_A";

  const std::vector<ObjectRow> rows = ListObjects(room);
  ASSERT_EQ(rows.size(), 4u);
  const auto check = [](const ObjectRow& row, Kind kind, int slot, const char* name, const char* kindName, TVector at) {
    EXPECT_EQ(row.kind, kind) << name;
    EXPECT_EQ(row.slot, slot) << name;
    EXPECT_EQ(row.name, name);
    EXPECT_EQ(row.kindName, kindName) << name;
    EXPECT_FLOAT_EQ(row.position.x, at.x) << name;
    EXPECT_FLOAT_EQ(row.position.y, at.y) << name;
    EXPECT_FLOAT_EQ(row.position.z, at.z) << name;
  };
  check(rows[0], Kind::Lights, 1, "Hall Lamp", "Light", {1.0f, 2.5f, -3.0f});
  check(rows[1], Kind::Entities, trigger->SlotIndex, "OPEN_GATE", "Trigger", trigger->Position);
  // A unit's last page is its own kind's, after the page all units share.
  check(rows[2], Kind::Entities, mutant->SlotIndex, "BRUTE", "Mutant", mutant->Position);
  check(rows[3], Kind::Surfaces, 0, "FLOOR_A", "Surface", {1, 0, 2});

  const auto found = [&](std::string_view filter) {
    std::vector<std::string> names;
    for (const ObjectRow& row : rows)
      if (Matches(row, filter)) names.push_back(row.name);
    return names;
  };
  using Names = std::vector<std::string>;
  EXPECT_EQ(found("").size(), 4u) << "no filter lets every row through";
  EXPECT_EQ(found("hall lamp"), Names{"Hall Lamp"}) << "a name, in another case";
  EXPECT_EQ(found("MUTANT"), Names{"BRUTE"}) << "a kind";
  EXPECT_EQ(found("light"), Names{"Hall Lamp"});
  EXPECT_EQ(found("gatekeeper"), Names{"OPEN_GATE"}) << "a trigger's target";
  EXPECT_EQ(found("PLANKS"), Names{"FLOOR_A"}) << "a surface's texture";
  EXPECT_EQ(found("\\planks"), Names{"FLOOR_A"}) << "the texture's folder separator";
  EXPECT_TRUE(found("gate_keeper").empty());
  EXPECT_TRUE(found("lamplight").empty()) << "a filter never runs on from the name into the kind";
}

}  // namespace
