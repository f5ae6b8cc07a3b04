#include "entities/edit_entity.h"
#include "room/room_fixture.h"

namespace {

using Room = RoomTest;

TEST_F(Room, NewRoomDefaultsAndRunningTime) {
  room.Name = "CAVE";
  room.TileList[0] = "object\\rock";
  room.AddLight({}, {1, 1, 1}, 1);
  room.AddEntity(2007, {}, {}, 1);
  room.Cursor.Mode = 3001;
  room.DoFrame();
  room.DoFrame();
  room.ClearRoom();
  EXPECT_EQ(room.Name.str(), "ROOM");
  EXPECT_EQ(room.TileList[0].size(), 0u);
  EXPECT_EQ(room.LightPos, (TVector{0, 0.7f, 0.7f}));
  EXPECT_EQ(room.Cursor.Mode, 0);
  EXPECT_EQ(room.SkyTexture, -1);
  EXPECT_EQ(host.StatusText(1), "Lights: 0");
  EXPECT_EQ(host.StatusText(2), "Entities: 0");
  EXPECT_EQ(room.Time, 1.0f);  // a new room keeps the clock running
  EXPECT_FALSE(room.Entities[0]->InUse());
}

TEST_F(Room, EntitiesGetTheLowestFreeNumber) {
  for (int i = 0; i < 3; ++i) room.AddEntity(2007, {}, {}, 1);
  EXPECT_EQ(room.Entities[2]->Name.str(), "MARKER3");
  room.Entities[1]->Delete();
  room.CountEntities();
  TEntity* again = room.AddEntity(2007, {5, 0, 5}, {0, 45, 0}, 2.0f);
  ASSERT_EQ(again, room.Entities[1].get());
  EXPECT_EQ(again->Name.str(), "MARKER2");
  EXPECT_EQ(again->SlotIndex, 1);
  EXPECT_EQ(again->Position, (TVector{5, 0, 5}));
  EXPECT_EQ(again->Size, 2.0f);
  EXPECT_EQ(room.AddEntity(2002, {}, {}, 1)->Name.str(), "TRIGGER1");
  EXPECT_EQ(host.StatusText(2), "Entities: 4");
}

TEST_F(Room, UndefinedTypusLeavesTheSlotFree) {
  EXPECT_EQ(room.AddEntity(2010, {}, {}, 1), nullptr);
  EXPECT_EQ(Errors(), std::vector<std::string>{"QZ_ENTITY: Undefined entity typus!"});
  EXPECT_FALSE(room.Entities[0]->InUse());
  EXPECT_EQ(room.AddEntity(-5, {}, {}, 1), nullptr);
}

TEST_F(Room, TheEntityTableHoldsOneHundredTwentyEight) {
  for (int i = 0; i < 128; ++i) ASSERT_NE(room.AddEntity(2009, {}, {}, 1), nullptr);
  EXPECT_EQ(room.Entities[127]->Name.str(), "VARIABLE128");
  EXPECT_EQ(room.AddEntity(2009, {}, {}, 1), nullptr);
  EXPECT_EQ(room.LastEntity, 127);
  EXPECT_TRUE(host.errors.empty());
}

TEST_F(Room, FillEntityComboFiltersAndSorts) {
  room.AddEntity(2007, {}, {}, 1);
  TEntity* second = room.AddEntity(2007, {}, {}, 1);
  room.AddEntity(2002, {}, {}, 1);
  room.Entities[0]->Name = "ZULU";
  MemoryForm& form = host.Memory(FormId::Entity);
  form.SetItems("CBTarget", {"old"});
  room.FillEntityCombo(form, "CBTarget", 2007, second);
  EXPECT_EQ(form.Items("CBTarget"), std::vector<std::string>{"ZULU"});
  room.FillEntityCombo(form, "CBTarget", -1, nullptr);
  EXPECT_EQ(form.Items("CBTarget"), (std::vector<std::string>{"MARKER2", "TRIGGER1", "ZULU"}));
  EXPECT_EQ(form.Inspect("CBTarget").dropDownCount, 22);
}

TEST_F(Room, EntityPalettes) {
  MemoryForm& main = host.Memory(FormId::Main);
  room.SelectEntityPalette(2);
  EXPECT_EQ(main.ItemIndex("CBEntityTypus"), -1);  // the empty combo has no item 2
  EXPECT_TRUE(main.Visible("LBEntityUnits"));
  EXPECT_FALSE(main.Visible("LBEntityTiles"));
  room.SelectEntityPalette(5);
  for (const char* box : {"LBEntityTiles", "LBEntitySequences", "LBEntityUnits", "LBEntityPortals", "LBEntityParticles"})
    EXPECT_FALSE(main.Visible(box)) << box;
}

TEST_F(Room, TileShadowsOnVisibleTilesAndDoors) {
  TEntity* tile = room.AddEntity(1000, {}, {}, 1);
  TEntity* hidden = room.AddEntity(1000, {}, {}, 1);
  TEntity* door = room.AddEntity(1001, {}, {}, 1);
  TEntity* item = room.AddEntity(2013, {}, {}, 1);
  for (TEntity* e : {tile, hidden, door, item}) e->ShadowTypus = 0;
  hidden->Visible = false;
  room.SetTileShadows();
  EXPECT_EQ(tile->ShadowTypus, 2);
  EXPECT_EQ(hidden->ShadowTypus, 0);
  EXPECT_EQ(door->ShadowTypus, 2);
  EXPECT_EQ(item->ShadowTypus, 0);
}

TEST_F(Room, FramesAnimateOnlyWhatIsInUse) {
  TLight& light = *room.AddLight({}, {1, 0, 0}, 1);
  light.Effect = 4;
  room.Lights[5].Effect = 4;  // free slot
  room.Cursor.CoolDown = 2;
  room.DoFrame();
  EXPECT_EQ(room.Time, 0.5f);
  EXPECT_EQ(room.Cursor.CoolDown, 1);
  EXPECT_EQ(light.FlickerTime, 0.5f);
  EXPECT_EQ(room.Lights[5].FlickerTime, 0.0f);
}

}  // namespace

TEST_F(Room, NewRoomReadsTheLightMapResolutionOnce) {
  Form& main = host.GetForm(FormId::Main);
  main.SetText("EditSurfaceLightMapPixelPerMeter", "8,00");
  room.ClearRoom();
  EXPECT_TRUE(host.errors.empty());
  EXPECT_EQ(room.Surfaces[0]->lightMapTexelsPerMetre, 8.0f);
  EXPECT_EQ(room.Surfaces[255]->lightMapTexelsPerMetre, 8.0f);

  // A bad number: one message for the whole table, and every slot keeps its value.
  main.SetText("EditSurfaceLightMapPixelPerMeter", "eight");
  room.ClearRoom();
  EXPECT_EQ(Errors(), std::vector<std::string>{"QZ_ENGINE: Error on converting value!"});
  EXPECT_EQ(room.Surfaces[255]->lightMapTexelsPerMetre, 8.0f);
}
