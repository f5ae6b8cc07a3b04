// The edit cursor's tools through a headless host: positions and the grid, field
// painting with the brush, the cool-down of new lights, the surface selection.
#include <gmock/gmock.h>

#include "cursor_fixture.h"
#include "entities/edit_entity.h"
#include "entities/entity_typus.h"

namespace {

TEST_F(CursorTest, PositionsSnapToTheQuarterMetreGridAndShowInTheStatusBar) {
  room.Camera.Position = {1.13f, 2.0f, 1.12f};
  cursor.SetPosition(room, 320, 240);
  EXPECT_FLOAT_EQ(cursor.Position.x, 1.25f);
  EXPECT_FLOAT_EQ(cursor.Position.z, 1.0f);
  EXPECT_EQ(host.StatusText(0), "Pos: 1.25, 0.00, 1.00");

  main.SetActivePage("PageControl", "TabSheetFields");
  room.Camera.Position.z = 1.37f;
  cursor.SetPosition(room, 320, 240);
  EXPECT_EQ(host.StatusText(0), "Pos: 31, 31");
  room.Camera.Position.z = 1.12f;

  // Without the grid one pixel is what the perspective of 45 degrees shows across 641
  // pixels of the floor 15 m away.
  main.SetChecked("UseGrid1", false);
  cursor.SetPosition(room, 321, 240);
  const float pixel = 2.0f * 15.0f * std::tan(22.5f * 3.14159265f / 180.0f) * (4.0f / 3.0f) / 641.0f;
  EXPECT_NEAR(cursor.Position.x, 1.13f + pixel, 1e-5f);

  // The 3D view leaves the cursor where it was.
  room.Camera.Mode = TCamera::Mode3D;
  cursor.SetPosition(room, 0, 0);
  EXPECT_NEAR(cursor.Position.x, 1.13f + pixel, 1e-5f);
}

TEST_F(CursorTest, BrushPaintsTheFieldsAroundTheCursorInsideTheGrid) {
  main.SetItems("CBFieldTypus", {"none", "floor", "wall"});
  main.SetItemIndex("CBFieldTypus", 2);
  main.SetPosition("TrackBarFieldBrushSize", 2);
  cursor.SetMode(1001);
  ClickAt(-29.9f, -29.9f);  // field (0, 0)
  for (int x = 0; x < 4; ++x)
    for (int z = 0; z < 4; ++z) EXPECT_EQ(room.FieldOf(x, z).Typus, x <= 2 && z <= 2 ? 2 : 0) << x << "," << z;

  main.SetText("EditFieldHeight", "1.5");
  main.SetText("EditFieldHeightCeiling", "oops");
  main.SetPosition("TrackBarFieldBrushSize", 0);
  cursor.SetMode(1003);
  ClickAt(0.1f, 0.1f);
  const TField& field = room.FieldOf(30, 30);
  EXPECT_FLOAT_EQ(field.Height, 1.5f);
  EXPECT_FLOAT_EQ(field.Ceiling, 10.0f);  // an unreadable ceiling keeps its value
}

TEST_F(CursorTest, OneClickMakesOneLightUntilTheCoolDownHasPassed) {
  main.SetText("EditLightR", "0.5");
  main.SetText("EditLightG", "0.25");
  main.SetText("EditLightB", "1");
  main.SetText("EditLightRadius", "3");
  main.SetPosition("TrackBarY", -20);
  cursor.SetMode(2001);
  ClickAt(2.0f, 3.0f);
  ClickAt(5.0f, 5.0f);
  ASSERT_EQ(room.CountLights(), 1);
  const TLight& light = room.Lights[0];
  EXPECT_FLOAT_EQ(light.Position.x, 2.0f);
  EXPECT_FLOAT_EQ(light.Position.y, 2.0f);  // from the height track bar
  EXPECT_FLOAT_EQ(light.Color.y, 0.25f);
  EXPECT_FLOAT_EQ(light.Radius, 3.0f);
  EXPECT_EQ(main.Text("LabelY"), "Height: 2.00");

  for (int frame = 0; frame < TCursor::CoolDownFrames; ++frame) cursor.Tick();
  ClickAt(5.0f, 5.0f);
  EXPECT_EQ(room.CountLights(), 2);
}

// An edit that holds no number stops the reading there: what follows keeps the
// palette's start values, and the status bar names the edit.
struct UnreadEdit {
  const char* edit;
  TVector color;
  float radius;
};

class UnreadLightEdit : public CursorTest, public ::testing::WithParamInterface<UnreadEdit> {};

TEST_P(UnreadLightEdit, TakesThePalettesStartValuesAndSaysWhichEdit) {
  for (const char* edit : {"EditLightR", "EditLightG", "EditLightB"}) main.SetText(edit, "0.5");
  main.SetText("EditLightRadius", "3");
  main.SetText(GetParam().edit, "abc");
  cursor.SetMode(2001);
  ClickAt(2.0f, 3.0f);
  ASSERT_EQ(room.CountLights(), 1);
  const TLight& light = room.Lights[0];
  EXPECT_FLOAT_EQ(light.Color.x, GetParam().color.x);
  EXPECT_FLOAT_EQ(light.Color.y, GetParam().color.y);
  EXPECT_FLOAT_EQ(light.Color.z, GetParam().color.z);
  EXPECT_FLOAT_EQ(light.Radius, GetParam().radius);
  EXPECT_THAT(host.StatusText(TRoom::MessageStatusPanel), ::testing::HasSubstr(GetParam().edit));
}

INSTANTIATE_TEST_SUITE_P(CursorTest, UnreadLightEdit,
                         ::testing::Values(UnreadEdit{"EditLightR", {0.7f, 0.7f, 0.7f}, 5.0f},
                                           UnreadEdit{"EditLightB", {0.5f, 0.5f, 0.7f}, 5.0f},
                                           UnreadEdit{"EditLightRadius", {0.5f, 0.5f, 0.5f}, 5.0f}));

TEST_F(CursorTest, ANewTileWithAnEmptyTileListSaysWhereTilesAreAdded) {
  main.SetActivePage("PageControl", "TabSheetEntities");
  main.SetText("EditEntityDirection", "0");
  main.SetText("EditEntitySize", "1");
  main.SetItems("CBEntityTypus", {"Tiles", "Sequences"});
  main.SetItemIndex("CBEntityTypus", 0);
  main.SetItems("LBEntityTiles", {});
  cursor.SetMode(3001);
  ClickAt(1.0f, 1.0f);
  EXPECT_EQ(room.CountEntities(), 0);
  EXPECT_THAT(host.StatusText(TRoom::MessageStatusPanel), ::testing::HasSubstr("Room > Attributes"));
}

TEST_F(CursorTest, ReleaseWithoutPressDoesNothingAndModeChangesDropTheSelection) {
  cursor.SetMode(2001);
  cursor.SetPosition(room, 320, 240);
  cursor.Release(room);
  EXPECT_EQ(room.CountLights(), 0);
  ClickAt(0.0f, 0.0f);
  ASSERT_NE(cursor.SelectedLight, nullptr);
  cursor.SetMode(3001);
  EXPECT_EQ(cursor.SelectedLight, nullptr);
  EXPECT_EQ(cursor.PressStateNow, TCursor::Idle);
}

TEST_F(CursorTest, SurfaceSelectionWrapsAndStartsFromTheHighestSlot) {
  const auto add = [this](float x) {
    return room.AddSurface({x, 0, 0}, {x + 1, 0, 0}, {x + 1, 0, 1}, {x, 0, 1}, "textures\\default");
  };
  TSurface* first = add(0.0f);
  TSurface* second = add(5.0f);
  ASSERT_TRUE(first && second);
  cursor.SelectPreviousSurface(room);
  EXPECT_EQ(cursor.SelectedSurface, first);  // starts at the highest used slot and steps back
  cursor.SelectNextSurface(room);
  EXPECT_EQ(cursor.SelectedSurface, second);
  cursor.SelectNextSurface(room);
  EXPECT_EQ(cursor.SelectedSurface, first);  // wraps past slot 255

  cursor.SetMode(4001);  // surface tools keep the selection
  EXPECT_EQ(cursor.SelectedSurface, first);
  cursor.SetMode(1001);
  EXPECT_EQ(cursor.SelectedSurface, nullptr);
  cursor.SelectNextSurface(room);
  first->Reset();
  second->Reset();
  cursor.SelectNextSurface(room);
  EXPECT_EQ(cursor.SelectedSurface, nullptr);
}

TEST_F(CursorTest, DraggingANewSurfaceCreatesItOnRelease) {
  cursor.SetMode(4001);
  cursor.SetPosition(room, PixelX(-1.0f), PixelY(-1.0f));
  cursor.Press(room);
  cursor.SetPosition(room, PixelX(2.0f), PixelY(1.0f));
  cursor.Drag(room);
  EXPECT_EQ(room.CountSurfaces(), 0);
  cursor.Release(room);
  ASSERT_NE(cursor.SelectedSurface, nullptr);
  EXPECT_EQ(room.CountSurfaces(), 1);
  EXPECT_FLOAT_EQ(cursor.SelectedSurface->corners[2].position.x, 2.0f);
}

// A deleted entity's slot is taken by a new object: a selection of the old one, whose
// position the cursor follows, must go with it.
TEST_F(CursorTest, ASelectionDoesNotOutliveTheEntityObjectItNames) {
  cursor.SetMode(3003);
  TEntity* old = room.AddEntity(typus::Marker, {1, 0, 1}, {}, 1.0f);
  ASSERT_NE(old, nullptr);
  cursor.SelectedEntity = old;
  old->Delete();
  TEntity* replacement = room.AddEntity(typus::Trigger, {2, 0, 2}, {}, 1.0f);
  ASSERT_NE(replacement, nullptr);
  ASSERT_EQ(replacement->SlotIndex, 0);
  EXPECT_EQ(cursor.SelectedEntity, nullptr);

  // Delete with nothing selected changes nothing; with the entity selected it goes.
  EXPECT_FALSE(cursor.DeleteSelected(room));
  cursor.SelectedEntity = replacement;
  EXPECT_TRUE(cursor.DeleteSelected(room));
  EXPECT_FALSE(replacement->InUse());
  EXPECT_EQ(room.CountEntities(), 0);
}

}  // namespace
