// View > Objects on the demo room: Ctrl+F puts the keyboard in the list's filter, typing
// a name narrows the list to that object, picking its row selects it, shows its sheet
// and centres the view on it, the list follows a delete and its undo, and a double-click
// opens the object's dialog. The View
// menu's check mark follows the dock's own close button.
#include <QAction>
#include <QDockWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <algorithm>
#include <cmath>

#include "editor_fixture.h"
#include "entities/edit_entity.h"
#include "room/edit_room.h"
#include "room/object_list.h"
#include "room/room_history.h"
#include "ui/edit_entityform.h"
#include "ui/panel_view.h"

namespace {

const std::string DemoRoom = std::string(BRANNOCK_SAMPLE_DIR) + "/data/world/room/demo.rer";

TEST_F(EditorTest, TheObjectsListFindsSelectsAndCentresAnObjectAndFollowsUndo) {
  StartEditorOn(DemoRoom);
  TRoom& room = *Engine().Room;
  PanelView& view = Main().View();
  MainForm().SetActivePage("PageControl", "TabSheetLights");

  // An entity away from the view's middle whose name no other row holds, not even in a field.
  const std::vector<ObjectRow> rows = ListObjects(room);
  const ObjectRow* target = nullptr;
  for (const ObjectRow& row : rows) {
    const auto holders = std::count_if(rows.begin(), rows.end(), [&](const ObjectRow& other) { return Matches(other, row.name); });
    if (row.kind == TSelection::Kind::Entities && holders == 1 &&
        std::abs(row.position.x - room.Camera.Position.x) + std::abs(row.position.z - room.Camera.Position.z) > 4.0f) {
      target = &row;
      break;
    }
  }
  ASSERT_NE(target, nullptr);

  QTest::keyClick(&view, Qt::Key_F, Qt::ControlModifier);
  auto* dock = Find<QDockWidget>(Main(), "DockObjects");
  auto* filter = Find<QLineEdit>(Main(), "EditObjectFilter");
  auto* list = Find<QTableView>(Main(), "ListObjects");
  ASSERT_TRUE(dock && filter && list);
  QAction* shown = Main().MenuAction("Objects1");
  EXPECT_TRUE(dock->isVisible());
  EXPECT_TRUE(shown->isChecked());
  ASSERT_TRUE(WaitFor([&] { return filter->hasFocus(); }, 2000)) << "Ctrl+F puts the keyboard in the filter";
  EXPECT_EQ(list->model()->rowCount(), static_cast<int>(rows.size())) << "every light, entity and surface";

  QTest::keyClicks(filter, QString::fromLatin1(target->name).toLower());
  ASSERT_EQ(list->model()->rowCount(), 1);
  EXPECT_EQ(list->model()->index(0, 0).data().toInt(), target->slot);
  EXPECT_EQ(list->model()->index(0, 1).data().toString().toStdString(), target->name);

  const QRect cell = list->visualRect(list->model()->index(0, 1));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
  EXPECT_EQ(room.Selection.Count(), 1);
  EXPECT_TRUE(room.Selection.Holds(TSelection::Kind::Entities, target->slot));
  EXPECT_EQ(MainForm().ActivePage("PageControl"), "TabSheetEntities");
  EXPECT_NEAR(room.Camera.Position.x, target->position.x, 0.05f);
  EXPECT_NEAR(room.Camera.Position.z, target->position.z, 0.05f);
  EXPECT_EQ(Find<QScrollBar>(Main(), "ScrollBarX")->value(), std::lround(target->position.x * 20.0f))
      << "the bars stay in step with the camera";

  Main().MenuAction("Delete1")->trigger();
  EXPECT_FALSE(room.Entities[static_cast<std::size_t>(target->slot)]->InUse());
  EXPECT_EQ(list->model()->rowCount(), 0) << "the deleted object's row goes";
  QTest::keyClick(&view, Qt::Key_Z, Qt::ControlModifier);
  ASSERT_EQ(list->model()->rowCount(), 1) << "and comes back with the undo";
  EXPECT_EQ(list->model()->index(0, 0).data().toInt(), target->slot);

  // A double-click opens the entity's dialog; its OK is one step, and the list shows the new name.
  auto& dialog = *windows->Entity;
  int openings = 0;
  modals->handler = [&](QWidget& modal) {
    if (&modal != &dialog) return;
    ++openings;
    QtForm form(dialog);
    EXPECT_EQ(form.Text("EditName"), target->name);
    form.SetText("EditName", "RENAMED_IN_LIST");
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
  };
  const QRect row = list->visualRect(list->model()->index(0, 1));
  // The view takes a double-click only on the row its press went to.
  QTest::mousePress(list->viewport(), Qt::LeftButton, {}, row.center());
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
  modals->handler = nullptr;
  EXPECT_EQ(openings, 1);
  EXPECT_EQ(Main().History().UndoName(), "Edit Entity");
  EXPECT_EQ(list->model()->rowCount(), 0) << "the old name finds it no more";
  filter->setText(QStringLiteral("renamed_in"));
  ASSERT_EQ(list->model()->rowCount(), 1);
  EXPECT_EQ(list->model()->index(0, 0).data().toInt(), target->slot);

  dock->close();
  EXPECT_FALSE(shown->isChecked()) << "the dock's own close button clears the check mark";
  shown->trigger();
  EXPECT_TRUE(dock->isVisible());
}

}  // namespace
