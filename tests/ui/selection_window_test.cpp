// The selection in the window: a box drawn with the Move tool selects what it encloses,
// the status bar counts it, Delete removes it all and one Ctrl+Z brings it all back;
// Ctrl+A and Ctrl+Shift+A take every object of the sheet and none. What Ctrl+C copies,
// a second editor pastes into its own room; Ctrl+D duplicates, undone in one step.
#include <QApplication>
#include <QClipboard>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <set>

#include "editor_fixture.h"
#include "room/edit_room.h"
#include "room/room_history.h"
#include "room/view_mapping.h"
#include "ui/panel_view.h"

namespace {

const std::string DemoRoom = std::string(BRANNOCK_SAMPLE_DIR) + "/data/world/room/demo.rer";

std::set<QString> EntityNames(const QByteArray& dump) {
  std::set<QString> names;
  for (const QJsonValue entity : QJsonDocument::fromJson(dump).object().value(QStringLiteral("entities")).toArray())
    names.insert(entity.toObject().value(QStringLiteral("Name")).toString());
  return names;
}

QByteArray Dump(const QString& room) {
  QProcess tool;
  tool.start(QStringLiteral(BRANNOCK_TOOL_PATH), {QStringLiteral("dump"), room});
  tool.waitForFinished(30000);
  return tool.readAllStandardOutput();
}

TEST_F(EditorTest, ABoxSelectsWhatItEnclosesAndDeleteAndUndoTakeItWhole) {
  StartEditor();
  Main().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
  TRoom& room = *Engine().Room;
  PanelView& view = Main().View();
  MainForm().SetActivePage("PageControl", "TabSheetLights");
  Find<QPushButton>(Main(), "BtnLightNew")->click();
  for (const QPoint at : {QPoint(200, 200), QPoint(260, 220), QPoint(500, 400)}) {
    room.Cursor.CoolDown = 0;
    QTest::mouseClick(&view, Qt::LeftButton, {}, at);
  }
  ASSERT_EQ(room.CountLights(), 3);
  const auto before = room.SaveToBytes();

  Find<QPushButton>(Main(), "BtnLightMove")->click();
  const double scale = view.devicePixelRatio();
  const auto logical = [&](QPoint pixel) { return (QPointF(pixel) / scale).toPoint(); };
  QTest::mousePress(&view, Qt::LeftButton, {}, logical({150, 150}));
  for (int i = 1; i <= 4; ++i) QTest::mouseMove(&view, logical(QPoint(150, 150) + QPoint(40, 30) * i));
  QTest::mouseRelease(&view, Qt::LeftButton, {}, logical({310, 270}));
  EXPECT_EQ(room.Selection.Slots().size(), 2u);
  ASSERT_TRUE(WaitFor([&] { return StatusText(TRoom::MessageStatusPanel) == "2 lights selected"; }, 2000));

  QTest::keyClick(&view, Qt::Key_Delete);
  EXPECT_EQ(room.CountLights(), 1);
  EXPECT_EQ(Main().History().UndoName(), "Delete 2 Lights");
  QTest::keyClick(&view, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(room.SaveToBytes(), before) << "one step brings both back";

  QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(room.Selection.Count(), 3) << "Ctrl+A on the Lights sheet";
  const float x = room.Lights[2].Position.x, z = room.Lights[2].Position.z;
  QTest::keyClick(&view, Qt::Key_Right, Qt::ShiftModifier);
  QTest::keyClick(&view, Qt::Key_Up, Qt::ShiftModifier);
  EXPECT_FLOAT_EQ(room.Lights[2].Position.x, x + 0.25f) << "one grid step across";
  EXPECT_FLOAT_EQ(room.Lights[2].Position.z, z - 0.25f) << "and one up the top view";
  EXPECT_EQ(Main().History().UndoName(), "Nudge Selection");
  QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_TRUE(room.Selection.Empty());
}

}  // namespace

namespace {

TEST_F(EditorTest, CopiedEntitiesPasteIntoASecondEditorsRoomAndDuplicateIsOneStep) {
  StartEditorOn(DemoRoom);
  TRoom& room = *Engine().Room;
  PanelView& view = Main().View();
  MainForm().SetActivePage("PageControl", "TabSheetEntities");
  QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
  ASSERT_EQ(room.Selection.Count(), room.CountEntities());
  QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
  EXPECT_TRUE(QApplication::clipboard()->text().contains(QStringLiteral("\"entities\""))) << "readable as JSON text";

  // The second editor asks this one for the clipboard while it pastes: events must flow.
  QTemporaryDir out;
  const QString saved = out.filePath(QStringLiteral("pasted.rer"));
  QProcess child;
  child.setWorkingDirectory(QStringLiteral(BRANNOCK_SAMPLE_DIR));
  child.start(QStringLiteral(BRANNOCK_PASTE_CHILD), {saved});
  ASSERT_TRUE(WaitFor([&] { return child.state() == QProcess::NotRunning; }, 60000));
  ASSERT_EQ(child.exitCode(), 0) << child.readAllStandardError().toStdString();
  EXPECT_EQ(child.readAllStandardOutput().trimmed(), QByteArray("saved ") + QByteArray::number(room.CountEntities()));
  EXPECT_EQ(EntityNames(Dump(saved)), EntityNames(Dump(QString::fromStdString(DemoRoom))));

  const auto before = room.SaveToBytes();
  const int entities = room.CountEntities();
  room.Selection.Set(TSelection::Kind::Entities, 0);
  QTest::keyClick(&view, Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(room.CountEntities(), entities + 1);
  EXPECT_EQ(room.Selection.Count(), 1);
  EXPECT_NE(*room.Selection.Slots().begin(), 0) << "the copy is the selection";
  QTest::keyClick(&view, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(room.SaveToBytes(), before);
}

}  // namespace
