// Names, links and the rename that references follow.

#include "entities/edit_entityform.h"
#include "entities/entity_camera.h"
#include "entities/entity_fixture.h"
#include "entities/entity_marker.h"
#include "entities/entity_trigger.h"
#include "entities/entity_typus.h"
#include "entities/tile_door.h"

TEST_F(EntityTest, NewEntitiesTakeTheFirstFreeNumber) {
  EXPECT_EQ(Add(typus::Tile).Name.view(), "TILE1");
  TEntity& second = Add(typus::Tile);
  EXPECT_EQ(Add(typus::Tile).Name.view(), "TILE3");
  second.Delete();
  EXPECT_EQ(Add(typus::Tile).Name.view(), "TILE2");
}

TEST_F(EntityTest, UndefinedTypusIsReportedAndLeavesTheSlotFree) {
  EXPECT_EQ(room.AddEntity(2010, {}, {}, 1.0f), nullptr);
  EXPECT_EQ(Errors(), std::vector<std::string>{"QZ_ENTITY: Undefined entity typus!"});
  EXPECT_FALSE(room.Entities[0]->InUse());
}

TEST_F(EntityTest, LinksFollowNamesInSlotOrderIncludingItself) {
  Add(typus::Marker, "TWIN");
  Add(typus::Marker, "TWIN");
  auto& trigger = Add<TETrigger>(typus::Trigger, "SELF");
  trigger.Targets[0] = "TWIN";
  trigger.Targets[1] = "SELF";
  trigger.Targets[2] = "NOBODY";
  trigger.Targets[3] = "";
  trigger.Bind();
  EXPECT_EQ(trigger.Links[0], 0) << "first of two equal names";
  EXPECT_EQ(trigger.Links[1], 2) << "the entity itself is not excluded";
  for (int i = 2; i < TEntity::LinkCount; ++i) EXPECT_EQ(trigger.Links[i], -1) << i;
}

TEST_F(EntityTest, DeletedTargetKeepsItsNameButLosesItsLink) {
  TEntity& marker = Add(typus::Marker, "GATE");
  auto& trigger = Add<TETrigger>(typus::Trigger);
  trigger.Targets[0] = "GATE";
  trigger.Bind();
  EXPECT_EQ(trigger.Links[0], 0);
  marker.Delete();
  trigger.Bind();
  EXPECT_EQ(trigger.Links[0], -1);
  EXPECT_EQ(trigger.Targets[0].view(), "GATE");
}

TEST_F(EntityTest, OnlyTenLinksAreMadeButEveryReferenceIsRenamed) {
  for (int i = 0; i < 11; ++i) Add(typus::Marker, "M" + std::to_string(i));
  auto& trigger = Add<TETrigger>(typus::Trigger);
  for (int i = 0; i < TETrigger::TargetCount; ++i) trigger.Targets[i] = "M" + std::to_string(i);
  trigger.Bind();
  for (int i = 0; i < TETrigger::TargetCount; ++i) EXPECT_EQ(trigger.Links[i], i);

  // Eleven AddLink calls: the eleventh finds no free entry but still renames.
  room.Cursor.OldEntityName = "M10";
  room.Cursor.NewEntityName = "RENAMED";
  trigger.ClearLinks();
  std::array<String32, 11> references;
  for (int i = 0; i < 11; ++i) {
    references[i] = "M" + std::to_string(i);
    trigger.AddLink(references[i]);
  }
  EXPECT_EQ(trigger.Links[9], 9);
  EXPECT_EQ(references[10].view(), "RENAMED");
}

TEST_F(EntityTest, RenameInTheDialogFollowsEveryReference) {
  auto& marker = Add<TEMarker>(typus::Marker);
  std::vector<TETrigger*> triggers;
  for (int i = 0; i < 3; ++i) {
    triggers.push_back(&Add<TETrigger>(typus::Trigger));
    triggers.back()->Targets[static_cast<std::size_t>(i)] = "MARKER1";
    triggers.back()->Bind();
  }
  auto& door = Add<TETDoor>(typus::Door);
  door.Sound = "MARKER1";
  marker.TargetMarker = "MARKER1";  // refers to itself
  room.Cursor.NewEntityName = "STALE";  // left over from an earlier dialog

  host.ScriptModal({[](MemoryForm& form) { form.SetText("EditName", "GATE"); }, ModalResult::Ok});
  entity_form::EditEntityFollowingRename(room, marker);

  EXPECT_EQ(marker.Name.view(), "GATE");
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(triggers[static_cast<std::size_t>(i)]->Targets[static_cast<std::size_t>(i)].view(), "GATE");
    EXPECT_EQ(triggers[static_cast<std::size_t>(i)]->Links[0], 0);
  }
  EXPECT_EQ(door.Sound.view(), "GATE");
  EXPECT_EQ(marker.TargetMarker.view(), "GATE");
  EXPECT_TRUE(room.Cursor.OldEntityName.empty());
  EXPECT_TRUE(Errors().empty());
}

TEST_F(EntityTest, CameraZoneIsPickedOnlyInTheTopView) {
  auto& zone = Add<TECamera>(typus::Camera);
  zone.ZoneMinX = -2.0f;
  zone.ZoneMinZ = -3.0f;
  zone.ZoneMaxX = 4.0f;
  zone.ZoneMaxZ = 5.0f;
  const TVector justInside{4.25f, 0.0f, 0.0f};
  const TVector outside{4.3f, 0.0f, 0.0f};
  room.Camera.Mode = 0;
  EXPECT_TRUE(zone.ZoneContains(justInside));
  EXPECT_TRUE(zone.ZoneContains({-2.25f, 0.0f, -3.25f}));
  EXPECT_FALSE(zone.ZoneContains(outside));
  room.Camera.Mode = 1;
  EXPECT_FALSE(zone.ZoneContains(justInside));
  room.Camera.Mode = 2;
  EXPECT_FALSE(zone.ZoneContains(justInside));
}

TEST_F(EntityTest, EntityWithoutModelIsPickedByDistanceInEveryView) {
  TEntity& marker = Add(typus::Marker);
  marker.Position = {1.0f, 0.0f, 1.0f};
  marker.Bind();
  room.Camera.Mode = 0;
  EXPECT_TRUE(marker.HitTest({1.0f, 0.0f, 1.25f}));
  EXPECT_FALSE(marker.HitTest({1.0f, 0.0f, 1.3f}));
  room.Camera.Mode = 2;
  EXPECT_TRUE(marker.HitTest({1.0f, 0.0f, 1.0f}));
}

TEST_F(EntityTest, FallDownStandsOnTheFloorOnlyInsideTheRoom) {
  TEntity& marker = Add(typus::Marker);
  room.FieldOf(31, 32).Typus = 1;
  room.FieldOf(31, 32).Height = 2.5f;
  marker.Position = {1.5f, 9.0f, 2.5f};
  marker.FallDown();
  EXPECT_EQ(marker.Position.y, 2.5f);
  marker.Position = {45.0f, 9.0f, 0.0f};
  marker.FallDown();
  EXPECT_EQ(marker.Position.y, 9.0f);
}
