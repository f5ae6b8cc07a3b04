// The cursor's selection gestures: Shift+click toggles, a drag from where nothing lies
// boxes, the Move tool moves the whole selection, Shift+drag selects fields and the
// paint tools then paint the rectangle. A plain click stays what it was.
#include "cursor_fixture.h"
#include "room/selection_edit.h"

namespace {

using Kind = TSelection::Kind;

TEST_F(CursorTest, SelectionGesturesToggleBoxAndMoveTogether) {
  main.SetChecked("UseGrid1", false);
  for (const float x : {-4.0f, 0.0f, 4.0f}) room.AddLight({x, 0.0f, 0.0f}, {1, 1, 1}, 2.0f);
  cursor.SetMode(2003);
  ClickAt(0.0f, 0.0f);
  EXPECT_EQ(room.Selection.Slots(), (std::set<int>{1})) << "a plain pick is the selection";
  cursor.AddToSelection = true;
  ClickAt(4.0f, 0.0f);
  EXPECT_EQ(room.Selection.Slots(), (std::set<int>{1, 2}));
  ClickAt(0.0f, 0.0f);
  EXPECT_EQ(room.Selection.Slots(), (std::set<int>{2})) << "Shift+click again takes it out";
  EXPECT_EQ(room.Lights[1].Position.x, 0.0f) << "a Shift+click moves nothing";

  // A box from empty floor around the two left lights, Shift off: they are the selection.
  cursor.AddToSelection = false;
  DragFromTo(-6.0f, -2.0f, 2.0f, 2.0f);
  EXPECT_EQ(room.Selection.Slots(), (std::set<int>{0, 1}));
  EXPECT_EQ(room.Lights[0].Position.x, -4.0f);

  // Dragging one of them moves both, keeping their offset; the third stays.
  DragFromTo(0.0f, 0.0f, 1.0f, 1.0f);
  EXPECT_NEAR(room.Lights[0].Position.x, -3.0f, 0.05f);
  EXPECT_NEAR(room.Lights[1].Position.x, 1.0f, 0.05f);
  EXPECT_NEAR(room.Lights[0].Position.z - room.Lights[1].Position.z, 0.0f, 1e-5f);
  EXPECT_EQ(room.Lights[2].Position.x, 4.0f);
}

TEST_F(CursorTest, ShiftDragSelectsFieldsAndTheBrushPaintsThem) {
  main.SetActivePage("PageControl", "TabSheetFields");
  main.SetItems("CBFieldTypus", {"none", "grass", "stone"});
  main.SetItemIndex("CBFieldTypus", 2);
  cursor.SetMode(1001);
  cursor.AddToSelection = true;
  DragFromTo(-3.5f, -3.5f, -1.5f, -2.5f);
  EXPECT_EQ(room.Selection.Fields(), (TFieldRect{26, 26, 28, 27}));
  int painted = 0;
  for (const TField& field : room.Fields) painted += field.Typus != 0;
  EXPECT_EQ(painted, 0) << "selecting paints nothing";

  cursor.AddToSelection = false;
  ClickAt(-2.5f, -2.5f);
  for (const TField& field : room.Fields) painted += field.Typus == 2;
  EXPECT_EQ(painted, 6) << "the rectangle, not the brush";
}

}  // namespace
