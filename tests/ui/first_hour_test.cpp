// What a designer meets in the first hour: Esc closes what it was pressed in before it
// closes the editor, a key released in another window does not stay held, F6 shows one
// bar that only moves forwards, New Room is untitled, the height bar runs upwards, and
// Ctrl+S saves a named room in place without losing another program's changes.
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QImage>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "editor_fixture.h"
#include "room/edit_room.h"
#include "room/room_history.h"
#include "room/view_mapping.h"
#include "ui/panel_view.h"

namespace {

const std::string DemoRoom = std::string(BRANNOCK_SAMPLE_DIR) + "/data/world/room/demo.rer";

class FirstHourTest : public EditorTest {
protected:
  TRoom& Room() { return *Engine().Room; }
  PanelView& View() { return Main().View(); }
  void LoadDemo() {
    prompts.openAnswers.push_back(DemoRoom);
    Main().LoadRoom();
  }
  // Esc as the keyboard gives it to the widget that has the focus.
  void PressEsc(QWidget& target) {
    QTest::keyClick(&target, Qt::Key_Escape);
    QApplication::processEvents();
  }
  // Shortcuts and the keyboard go to the active window.
  void Activate() {
    Main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
  }
  bool Closing() { return Main().ShutDownTimer.isActive() || !Main().Engine(); }
  QPoint Drawn(const TVector& point) {
    const TViewPoint at = TViewMapping(Room().Camera).ToView(point).value();
    return (QPointF(at.x, at.y) / View().devicePixelRatio()).toPoint();
  }
};

TEST_F(FirstHourTest, EscClosesTheListTheSteeringOrTheDragBeforeTheEditor) {
  StartEditor();
  Activate();
  auto* typus = Find<QComboBox>(Main(), "CBFieldTypus");
  typus->showPopup();
  ASSERT_TRUE(WaitFor([&] { return typus->view()->isVisible(); }));
  PressEsc(*typus->view());
  EXPECT_TRUE(WaitFor([&] { return !typus->view()->isVisible(); }));
  EXPECT_FALSE(Closing()) << "Esc in an open list closes the list";

  Find<QPushButton>(Main(), "BtnView3D")->click();
  Room().Camera.ToggleCapture();
  ASSERT_TRUE(Room().Camera.Captured);
  PressEsc(View());
  EXPECT_FALSE(Room().Camera.Captured);
  EXPECT_FALSE(Closing()) << "the first Esc ends the mouse steering";

  // A light dragged half way goes back where it was, and the drag leaves no step.
  Find<QPushButton>(Main(), "BtnViewTop")->click();
  Find<QPushButton>(Main(), "BtnLightNew")->click();
  const QPoint from(400, 120);
  QTest::mouseClick(&View(), Qt::LeftButton, {}, from);
  ASSERT_EQ(Room().CountLights(), 1);
  const TLight& light = Room().Lights[0];
  const TVector placed = light.Position;
  Find<QPushButton>(Main(), "BtnLightMove")->click();
  QTest::mousePress(&View(), Qt::LeftButton, {}, from);
  for (int i = 1; i <= 4; ++i) QTest::mouseMove(&View(), from + QPoint(15, 20) * i);
  ASSERT_NE(light.Position.x, placed.x) << "the drag moved it";
  PressEsc(View());
  EXPECT_EQ(light.Position, placed);
  QTest::mouseMove(&View(), from + QPoint(90, 10));
  QTest::mouseRelease(&View(), Qt::LeftButton, {}, from + QPoint(90, 10));
  EXPECT_EQ(light.Position, placed) << "the rest of the gesture moves nothing";
  EXPECT_EQ(Main().History().UndoName(), "New Light");
  EXPECT_FALSE(Closing());

  // With nothing left to close, Esc is "Exit".
  prompts.unsavedAnswers = {UnsavedAnswer::Discard};
  PressEsc(View());
  EXPECT_TRUE(WaitFor([&] { return Closing(); }));
}

TEST_F(FirstHourTest, AKeyReleasedWhileADialogHadTheKeyboardIsNotHeldAfterIt) {
  StartEditor();
  Activate();
  QTest::keyPress(&View(), Qt::Key_Control);
  host->PollKeyboard();
  ASSERT_TRUE(host->KeyDown(vk::Ctrl));
  // Ctrl+O's dialog takes the keyboard; Ctrl is let go over it, where the editor does
  // not hear it, and the dialog is cancelled.
  QDialog dialog(&Main());
  modals->handler = [](QWidget& modal) {
    if (auto* shown = qobject_cast<QDialog*>(&modal)) shown->reject();
  };
  dialog.exec();
  host->PollKeyboard();
  EXPECT_FALSE(host->KeyDown(vk::Ctrl));
}

TEST_F(FirstHourTest, ComputeSurfaceLightingShowsOneBarThatOnlyMovesForwards) {
  StartEditor();
  LoadDemo();
  auto* bar = Find<QProgressBar>(Main(), "ProgressBarSurface");
  std::vector<int> values;
  QObject::connect(bar, &QProgressBar::valueChanged, [&](int value) { values.push_back(value); });
  int rows = 0;
  for (int i = 0; i <= Room().LastSurface; ++i)
    if (Room().Surfaces[i]->InUse()) rows += Room().Surfaces[i]->lightMapHeight;
  Main().MenuAction("ComputeSurfaceLighting1")->trigger();
  EXPECT_EQ(bar->maximum(), rows) << "one bar over the rows of every surface";
  ASSERT_FALSE(values.empty());
  EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
  EXPECT_EQ(values.back(), rows);
  EXPECT_FALSE(MainForm().Visible("PanelSurface"));
}

TEST_F(FirstHourTest, NewRoomIsUntitledAndSaveRoomProposesNoFile) {
  StartEditor();
  LoadDemo();
  ASSERT_TRUE(Main().windowTitle().startsWith(QStringLiteral("demo.rer")));
  Main().MenuAction("NewRoom1")->trigger();
  EXPECT_TRUE(Main().windowTitle().startsWith(QStringLiteral("Untitled"))) << Main().windowTitle().toStdString();
  prompts.saveAnswers = {std::nullopt};
  Main().MenuAction("SaveRoom1")->trigger();
  ASSERT_EQ(prompts.saveSpecs.size(), 1u) << "an untitled room asks for a file";
  EXPECT_EQ(prompts.saveSpecs[0].fileName, "");
}

TEST_F(FirstHourTest, TheHeightBarsTopIsUpAndUpRaisesIt) {
  StartEditor();
  auto* bar = Find<QSlider>(Main(), "TrackBarY");
  const auto height = [&] { return MainForm().Text("LabelY"); };
  ASSERT_EQ(height(), "Height: " + Engine().FloatToStr32(0.0f, 2));
  // The handle of the highest point is drawn at the top: moved there from the middle,
  // the bar's picture changes first in its upper quarter.
  const QImage middle = bar->grab().toImage();
  bar->setValue(bar->minimum());
  EXPECT_EQ(height(), "Height: " + Engine().FloatToStr32(20.0f, 2));
  const QImage highest = bar->grab().toImage();
  int firstChanged = 0;
  while (firstChanged < middle.height() && middle.copy(0, firstChanged, middle.width(), 1) ==
                                               highest.copy(0, firstChanged, highest.width(), 1))
    ++firstChanged;
  EXPECT_LT(firstChanged, middle.height() / 4);
  bar->setValue(0);
  bar->setFocus();
  QTest::keyClick(bar, Qt::Key_Up);
  EXPECT_EQ(height(), "Height: " + Engine().FloatToStr32(0.1f, 2));
  QTest::keyClick(bar, Qt::Key_PageUp);
  EXPECT_EQ(height(), "Height: " + Engine().FloatToStr32(1.1f, 2));
  QTest::keyClick(bar, Qt::Key_Down);
  EXPECT_EQ(height(), "Height: " + Engine().FloatToStr32(1.0f, 2));
  EXPECT_EQ(bar->value(), -10) << "the position keeps its meaning: minus ten times the height";
}

TEST_F(FirstHourTest, SaveRoomWritesANamedRoomInPlaceButNotOverAnotherProgramsChanges) {
  StartEditor();
  const QString file = userData.filePath(QStringLiteral("mine.rer"));
  const auto bytes = [&] {
    std::ifstream in(file.toStdString(), std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), {});
  };
  prompts.saveAnswers = {file.toStdString()};
  Main().MenuAction("SaveRoom1")->trigger();
  ASSERT_EQ(prompts.saveSpecs.size(), 1u);

  Room().Name = "SECOND";
  Main().MenuAction("SaveRoom1")->trigger();
  EXPECT_EQ(prompts.saveSpecs.size(), 1u) << "a named room is written without a question";
  EXPECT_FALSE(Main().windowTitle().contains(QLatin1Char('*')));
  Room().Name = "THIRD";
  prompts.saveAnswers = {std::nullopt};
  Main().MenuAction("SaveRoomAs1")->trigger();
  EXPECT_EQ(prompts.saveSpecs.size(), 2u) << "Save Room As always asks";
  EXPECT_EQ(prompts.saveSpecs.back().fileName, file.toStdString());

  // Another program rewrites the file: each answer does what it says.
  const auto theirs = std::vector<char>{'t', 'h', 'e', 'i', 'r', 's'};
  std::ofstream(file.toStdString(), std::ios::binary).write(theirs.data(), static_cast<std::streamsize>(theirs.size()));
  prompts.changedOnDiskAnswer = ChangedOnDiskAnswer::Cancel;
  EXPECT_FALSE(Main().SaveRoom());
  EXPECT_EQ(bytes(), theirs);
  prompts.changedOnDiskAnswer = ChangedOnDiskAnswer::SaveAs;
  prompts.saveAnswers = {std::nullopt};
  EXPECT_FALSE(Main().SaveRoom());
  EXPECT_EQ(prompts.saveSpecs.size(), 3u);
  EXPECT_EQ(bytes(), theirs);
  prompts.changedOnDiskAnswer = ChangedOnDiskAnswer::Overwrite;
  EXPECT_TRUE(Main().SaveRoom());
  EXPECT_EQ(prompts.changedOnDiskQuestions.size(), 3u);
  const auto ours = Room().SaveToBytes();
  EXPECT_EQ(bytes(), std::vector<char>(ours.begin(), ours.end()));
  // Once written, the file is ours again: the next save asks nothing.
  Room().Name = "FOURTH";
  EXPECT_TRUE(Main().SaveRoom());
  EXPECT_EQ(prompts.changedOnDiskQuestions.size(), 3u);
}

}  // namespace
