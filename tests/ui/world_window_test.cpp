// The world in the editor's window, on the sample world's linked rooms:
// - View > Problems lists a broken link of the room as soon as the step that broke it
//   ends, and no more after its undo; a double-click selects the door and centres the
//   view on it; a problem with an obvious fix is mended by it, as one step.
// - Edit > Follow Link (F3) on a door opens the room it leads to, on its marker, after
//   the unsaved-changes question, and Go Back (Alt+Left) returns to the door.
// - The door's "Lead to Marker:" box offers the markers of the room "Lead to Room:" names.
#include <QAction>
#include <QDockWidget>
#include <QStatusBar>
#include <QTableView>
#include <QTest>

#include "editor_fixture.h"
#include "entities/edit_entity.h"
#include "entities/edit_entityform.h"
#include "entities/entity_portal.h"
#include "entities/tile_door.h"
#include "room/edit_room.h"
#include "room/room_history.h"
#include "ui/edit_entityform.h"
#include "ui/panel_view.h"
#include "ui/problems_dock.h"

namespace {

const std::string RoomDir = std::string(BRANNOCK_SAMPLE_DIR) + "/data/world/room/";

int SlotOf(const TRoom& room, const std::string& name) {
  for (int slot = 0; slot <= room.LastEntity; ++slot)
    if (room.Entities[static_cast<std::size_t>(slot)]->InUse() &&
        room.Entities[static_cast<std::size_t>(slot)]->Name.str() == name)
      return slot;
  return -1;
}

int RowAbout(const QTableView& list, const std::string& where, const std::string& what) {
  for (int row = 0; row < list.model()->rowCount(); ++row)
    if (list.model()->index(row, 0).data().toString().toStdString() == where &&
        list.model()->index(row, 1).data().toString().toStdString().find(what) != std::string::npos)
      return row;
  return -1;
}

TEST_F(EditorTest, ProblemsListsABrokenLinkAndADoubleClickSelectsItsDoor) {
  StartEditorOn(RoomDir + "abbey.rer");
  TRoom& room = *Engine().Room;
  const int door = SlotOf(room, "CELLAR_DOOR");
  ASSERT_GE(door, 0);
  // An undo puts new entity objects into the slots: the door is looked up each time.
  const auto cellarDoor = [&]() -> TETDoor& {
    return dynamic_cast<TETDoor&>(*room.Entities[static_cast<std::size_t>(door)]);
  };

  QAction* shown = Main().MenuAction("Problems1");
  shown->trigger();
  auto* dock = Find<QDockWidget>(Main(), "DockProblems");
  auto* list = Find<QTableView>(Main(), "ListProblems");
  ASSERT_TRUE(dock && list);
  EXPECT_TRUE(dock->isVisible());
  EXPECT_EQ(list->model()->rowCount(), 0) << "the sample rooms hold together";
  EXPECT_EQ(dock->windowTitle(), QStringLiteral("Problems"));

  const std::string where = "entity " + std::to_string(door) + " \"CELLAR_DOOR\"";
  cellarDoor().ToRoom = "data\\world\\room\\crypt.rer";
  Main().RecordStep("Edit Entity");
  ASSERT_EQ(list->model()->rowCount(), 1) << "the step's end refreshes the list";
  EXPECT_EQ(RowAbout(*list, where, "Lead to Room \"data\\world\\room\\crypt.rer\" finds no room file"), 0);
  EXPECT_EQ(dock->windowTitle(), QStringLiteral("Problems (1)"));

  MainForm().SetActivePage("PageControl", "TabSheetLights");
  room.Selection.Clear();
  const QRect cell = list->visualRect(list->model()->index(0, 1));
  // The view takes a double-click only on the row its press went to.
  QTest::mousePress(list->viewport(), Qt::LeftButton, {}, cell.center());
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
  EXPECT_EQ(room.Selection.Count(), 1);
  EXPECT_TRUE(room.Selection.Holds(TSelection::Kind::Entities, door));
  EXPECT_EQ(MainForm().ActivePage("PageControl"), "TabSheetEntities");
  EXPECT_NEAR(room.Camera.Position.x, cellarDoor().Position.x, 0.05f);
  EXPECT_NEAR(room.Camera.Position.z, cellarDoor().Position.z, 0.05f);

  QTest::keyClick(&Main().View(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(cellarDoor().ToRoom.str(), "data\\world\\room\\cellar.rer");
  EXPECT_EQ(list->model()->rowCount(), 0) << "and goes with the undo";

  // A marker named in another letter case: the fix takes the other room's spelling.
  cellarDoor().ToMarker = "Cellar_Foot";
  Main().RecordStep("Edit Entity");
  ASSERT_EQ(list->model()->rowCount(), 1);
  EXPECT_EQ(RowAbout(*list, where, "(its marker \"CELLAR_FOOT\" differs only in letter case)"), 0);
  auto* problems = static_cast<ProblemsDock*>(dock);
  ASSERT_TRUE(problems->Fix(0));
  EXPECT_EQ(cellarDoor().ToMarker.str(), "CELLAR_FOOT");
  EXPECT_EQ(Main().History().UndoName(), "Use Marker \"CELLAR_FOOT\"");
  EXPECT_EQ(list->model()->rowCount(), 0);

  // Two entities of one name: check's problem, on the second, with its fix.
  const int gate = SlotOf(room, "ABBEY_GATE");
  room.Entities[static_cast<std::size_t>(door)]->Name = "ABBEY_GATE";
  Main().RecordStep("Edit Entity");
  const int second = std::max(door, gate);
  const int duplicate = RowAbout(*list, "entity " + std::to_string(second) + " \"ABBEY_GATE\"", "has the same name");
  ASSERT_GE(duplicate, 0);
  EXPECT_EQ(problems->Rows()[static_cast<std::size_t>(duplicate)].FixCaption(), "Give Unique Name");
  ASSERT_TRUE(problems->Fix(duplicate));
  EXPECT_EQ(Main().History().UndoName(), "Give Unique Name");
  EXPECT_EQ(RowAbout(*list, "entity " + std::to_string(second) + " \"ABBEY_GATE\"", "has the same name"), -1);
  QTest::keyClick(&Main().View(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_GE(RowAbout(*list, "entity " + std::to_string(second) + " \"ABBEY_GATE\"", "has the same name"), 0)
      << "the fix is one step, taken back by one undo";

  dock->close();
  EXPECT_FALSE(shown->isChecked()) << "the dock's own close button clears the check mark";
}

TEST_F(EditorTest, FollowLinkOpensTheOtherRoomOnItsMarkerAndGoBackReturns) {
  StartEditorOn(RoomDir + "abbey.rer");
  PanelView& view = Main().View();
  QAction* back = Main().MenuAction("GoBack1");
  EXPECT_FALSE(back->isEnabled()) << "nothing to go back to yet";
  {
    TRoom& room = *Engine().Room;
    room.Selection.Clear();
    QTest::keyClick(&view, Qt::Key_F3);
    EXPECT_NE(Main().statusBar()->currentMessage().indexOf(QStringLiteral("select one door or portal")), -1)
        << Main().statusBar()->currentMessage().toStdString();

    // An unsaved change is asked about first; Cancel stays.
    room.Selection.Set(TSelection::Kind::Entities, SlotOf(room, "CELLAR_DOOR"));
    room.Lights[0].Radius += 1.0f;
    Main().RecordStep("Edit Light");
    prompts.unsavedAnswers.push_back(UnsavedAnswer::Cancel);
    QTest::keyClick(&view, Qt::Key_F3);
    EXPECT_EQ(prompts.unsavedQuestions, 1);
    EXPECT_EQ(String32(Engine().Room->Name).str(), "Cullen Abbey");
  }
  prompts.unsavedAnswers.push_back(UnsavedAnswer::Discard);
  QTest::keyClick(&view, Qt::Key_F3);
  EXPECT_EQ(prompts.unsavedQuestions, 2);
  TRoom& cellar = *Engine().Room;
  ASSERT_EQ(String32(cellar.Name).str(), "Abbey Cellar");
  const int foot = SlotOf(cellar, "CELLAR_FOOT");
  EXPECT_EQ(cellar.Selection.Count(), 1);
  EXPECT_TRUE(cellar.Selection.Holds(TSelection::Kind::Entities, foot)) << "the marker it leads to is selected";
  EXPECT_EQ(MainForm().ActivePage("PageControl"), "TabSheetEntities");
  const TEntity& marker = *cellar.Entities[static_cast<std::size_t>(foot)];
  EXPECT_NEAR(cellar.Camera.Position.x, marker.Position.x, 0.05f);
  EXPECT_NEAR(cellar.Camera.Position.z, marker.Position.z, 0.05f);
  EXPECT_FALSE(Main().History().Modified());
  EXPECT_TRUE(back->isEnabled());

  // A broken link says why and stays.
  const int portal = SlotOf(cellar, "LANTERN_PORTAL");
  cellar.Selection.Set(TSelection::Kind::Entities, portal);
  auto& lantern = *cellar.Entities[static_cast<std::size_t>(portal)];
  dynamic_cast<TEPortal&>(lantern).ToRoom = "data\\world\\room\\nowhere.rer";
  QTest::keyClick(&view, Qt::Key_F3);
  EXPECT_NE(Main().statusBar()->currentMessage().indexOf(QStringLiteral("finds no room file")), -1)
      << Main().statusBar()->currentMessage().toStdString();
  EXPECT_EQ(String32(Engine().Room->Name).str(), "Abbey Cellar");
  dynamic_cast<TEPortal&>(lantern).ToRoom = "data\\world\\room\\bake.rer";

  QTest::keyClick(&view, Qt::Key_Left, Qt::AltModifier);
  TRoom& abbey = *Engine().Room;
  ASSERT_EQ(String32(abbey.Name).str(), "Cullen Abbey");
  const int door = SlotOf(abbey, "CELLAR_DOOR");
  EXPECT_TRUE(abbey.Selection.Holds(TSelection::Kind::Entities, door)) << "back at the door it left by";
  EXPECT_NEAR(abbey.Camera.Position.x, abbey.Entities[static_cast<std::size_t>(door)]->Position.x, 0.05f);
  EXPECT_FALSE(back->isEnabled());
}

TEST_F(EditorTest, TheDoorsMarkerBoxOffersTheMarkersOfTheRoomItLeadsTo) {
  StartEditorOn(RoomDir + "abbey.rer");
  TRoom& room = *Engine().Room;
  TEntity& door = *room.Entities[static_cast<std::size_t>(SlotOf(room, "CELLAR_DOOR"))];
  auto& dialog = *windows->Entity;
  std::vector<std::vector<std::string>> offered;
  modals->handler = [&](QWidget& modal) {
    if (&modal != &dialog) return;
    QtForm form(dialog);
    offered.push_back(form.Items("CBTDoorToMarker"));
    // The room box followed as it is typed: another room, the door's own room, none.
    for (const char* toRoom : {"data\\world\\room\\demo.rer", "data\\world\\room\\abbey.rer", "nowhere"}) {
      form.SetText("CBTDoorToRoom", toRoom);
      offered.push_back(form.Items("CBTDoorToMarker"));
    }
    EXPECT_EQ(form.Text("CBTDoorToMarker"), "CELLAR_FOOT") << "the box keeps its free text";
    dialog.reject();
  };
  entity_form::EditEntityFollowingRename(room, door);
  modals->handler = nullptr;
  ASSERT_EQ(offered.size(), 4u);
  EXPECT_EQ(offered[0], (std::vector<std::string>{"CELLAR_FOOT"}));
  EXPECT_EQ(offered[1], (std::vector<std::string>{"TERRACE_ARRIVAL"}));
  EXPECT_TRUE(offered[2].empty()) << "the door's own room: as before, nothing";
  EXPECT_TRUE(offered[3].empty());
}

}  // namespace
