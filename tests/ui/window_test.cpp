// The main window as a designer meets it on today's screens: it grows and the view takes
// the room; on a scaled display the view draws at its real pixels and a click picks what
// is drawn there; long work is cancelled from its panel; Delete removes the selection;
// File > Recent Rooms reopens what was opened or saved. These tests also run at
// QT_SCALE_FACTOR 2 (ctest's ui_scaled_tests).
#include <QDir>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "editor_fixture.h"
#include "room/edit_room.h"
#include "room/view_mapping.h"
#include "ui/edit_lightform.h"
#include "ui/panel_view.h"

namespace {

const std::string DemoRoom = std::string(BRANNOCK_SAMPLE_DIR) + "/data/world/room/demo.rer";

class WindowTest : public EditorTest {
protected:
  TRoom& Room() { return *Engine().Room; }
  PanelView& View() { return Main().View(); }
  double Scale() { return View().devicePixelRatio(); }
  // Where the pointer must be, in the widget's own units, to stand on a view pixel.
  QPoint Logical(QPointF pixel) { return (pixel / Scale()).toPoint(); }
  void LoadDemo() {
    prompts.openAnswers.push_back(DemoRoom);
    Main().LoadRoom();
  }
  // Opens File > Recent Rooms as the menu bar would and gives its entries.
  QList<QAction*> RecentEntries() {
    auto* menu = Find<QMenu>(Main(), "RecentRooms1");
    emit menu->aboutToShow();
    return menu->actions();
  }
};

TEST_F(WindowTest, TheWindowGrowsTheViewTakesTheRoomAndPicksStillHitWhatIsDrawn) {
  StartEditor();
  auto* button = Find<QPushButton>(Main(), "BtnYTo0");
  const QRect buttonBefore = button->geometry();
  const QSize viewBefore = View().size();
  EXPECT_EQ(Room().Camera.ViewWidth, qRound(viewBefore.width() * Scale()));

  Main().resize(Main().size() + QSize(300, 160));
  ASSERT_TRUE(WaitFor([&] { return View().size() == viewBefore + QSize(300, 160); }, 3000)) << View().width();
  EXPECT_EQ(button->geometry(), buttonBefore.translated(300, 0)) << "the palette moves along, its layout kept";
  ASSERT_TRUE(WaitFor([&] { return Room().Camera.ViewWidth == qRound(View().width() * Scale()); }, 3000));
  EXPECT_EQ(Room().Camera.ViewHeight, qRound(View().height() * Scale()));
  EXPECT_EQ(Main().windowFlags() & Qt::MSWindowsFixedSizeDialogHint, 0);

  // A light near the grown view's far corner, off the floor: clicking where it is drawn
  // opens it, from the top and the side at every zoom.
  bool opened = false;
  modals->handler = [&](QWidget& modal) {
    opened = opened || &modal == windows->Light.get();
    if (auto* dialog = qobject_cast<QDialog*>(&modal)) dialog->reject();
  };
  Find<QPushButton>(Main(), "BtnLightEdit")->click();
  for (const char* view : {"BtnViewTop", "BtnViewSide"}) {
    Find<QPushButton>(Main(), view)->click();
    for (const float zoom : {0.5f, 1.0f, 2.0f}) {
      Room().Camera.Zoom = zoom;
      const TViewPoint corner{static_cast<float>(Room().Camera.ViewWidth) - 40.0f,
                              static_cast<float>(Room().Camera.ViewHeight) - 30.0f};
      TLight* light = Room().AddLight(TViewMapping(Room().Camera).ToRoom(corner, 4.0f), {1, 1, 1}, 3.0f);
      ASSERT_NE(light, nullptr);
      const TViewPoint drawn = TViewMapping(Room().Camera).ToView(light->Position).value();
      const QPoint at = Logical({drawn.x, drawn.y});
      opened = false;
      QTest::mouseMove(&View(), at);
      QTest::mouseClick(&View(), Qt::LeftButton, {}, at);
      EXPECT_TRUE(WaitFor([&] { return opened; }, 3000)) << view << " zoom " << zoom;
      EXPECT_EQ(Room().Cursor.SelectedLight, light) << view << " zoom " << zoom;
      light->ResetLight();
      Room().CountLights();
    }
  }

  // The picture for the README, and one to look at on the scaled display: the grown
  // window on the demo room.
  prompts.unsavedAnswers.push_back(UnsavedAnswer::Discard);
  LoadDemo();
  Find<QPushButton>(Main(), "BtnView3D")->click();
  WaitFor([] { return false; }, 500);
  QDir directory(QStringLiteral(QT_TESTCASE_BUILDDIR));
  directory.mkpath(QStringLiteral("screenshots"));
  const QString name = Scale() == 1.0 ? QStringLiteral("grown_window") : QStringLiteral("grown_window_scaled");
  EXPECT_TRUE(Main().grab().save(directory.filePath(QStringLiteral("screenshots/%1.png").arg(name))));
}

TEST_F(WindowTest, TheViewDrawsAtItsRealPixels) {
  StartEditor();
  WaitFor([] { return false; }, 200);
  const QImage picture = View().grabFramebuffer();
  EXPECT_EQ(picture.width(), Room().Camera.ViewWidth);
  EXPECT_EQ(picture.height(), Room().Camera.ViewHeight);
  EXPECT_EQ(picture.width(), qRound(View().width() * Scale()));
}

TEST_F(WindowTest, CancellingSurfaceLightingFromItsPanelLeavesTheRoomAsItWas) {
  StartEditor();
  LoadDemo();
  ASSERT_GT(Room().CountSurfaces(), 1);
  const auto before = Room().SaveToBytes();
  auto* panel = Find<QWidget>(Main(), "PanelSurface");
  auto* bar = Find<QProgressBar>(Main(), "ProgressBarSurface");
  auto* cancel = Find<QPushButton>(Main(), QtHost::CancelButton);
  // The ray caster bakes the demo room before a timer could fire; a render per sample
  // leaves time to cancel.
  Main().MenuAction("RenderedShadowTest1")->trigger();

  for (const bool byKey : {false, true}) {
    // Once the first map is under way the designer cancels: by the button, then by Esc.
    bool pressed = false;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
      if (pressed || !panel->isVisible() || bar->value() < 1) return;
      pressed = true;
      if (!byKey) Main().grab().save(QDir(QStringLiteral(QT_TESTCASE_BUILDDIR)).filePath(QStringLiteral("screenshots/cancel_panel.png")));
      if (byKey)
        QTest::keyClick(cancel, Qt::Key_Escape);
      else
        QTest::mouseClick(cancel, Qt::LeftButton);
    });
    watcher.start(1);
    Main().MenuAction("ComputeSurfaceLighting1")->trigger();
    watcher.stop();
    EXPECT_TRUE(pressed) << (byKey ? "Esc" : "button");
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(Room().SaveToBytes(), before) << (byKey ? "Esc" : "button");
  }
}

TEST_F(WindowTest, DeleteRemovesTheSelectionAsItsDialogWouldAndCanBeUndone) {
  StartEditor();
  LoadDemo();
  const auto before = Room().SaveToBytes();
  const int lights = Room().CountLights();
  ASSERT_GT(lights, 0);
  Find<QPushButton>(Main(), "BtnLightMove")->click();
  int first = 0;
  while (!Room().Lights[first].InUse()) ++first;
  Room().Cursor.SelectedLight = &Room().Lights[first];
  Main().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
  View().setFocus();
  QTest::keyClick(&View(), Qt::Key_Delete);
  EXPECT_EQ(Room().CountLights(), lights - 1);
  EXPECT_EQ(Room().Cursor.SelectedLight, nullptr);
  EXPECT_EQ(Main().MenuAction("Undo1")->text().toStdString(), "Undo Delete Light");

  // Nothing selected: the key does nothing.
  QTest::keyClick(&View(), Qt::Key_Delete);
  EXPECT_EQ(Room().CountLights(), lights - 1);
  Main().MenuAction("Undo1")->trigger();
  EXPECT_EQ(Room().SaveToBytes(), before);
}

TEST_F(WindowTest, RecentRoomsListsWhatWasOpenedOrSavedAndOpensIt) {
  StartEditor();
  EXPECT_FALSE(RecentEntries().front()->isEnabled()) << "nothing yet";
  LoadDemo();
  QTemporaryDir out;
  const QString saved = out.filePath(QStringLiteral("copy & more.rer"));
  prompts.saveAnswers.push_back(saved.toStdString());
  Main().SaveRoomAs();

  QList<QAction*> entries = RecentEntries();
  ASSERT_EQ(entries.size(), 2);
  EXPECT_EQ(entries[0]->text(), QStringLiteral("&1 ") + QString(saved).replace(QStringLiteral("&"), QStringLiteral("&&")));
  EXPECT_TRUE(entries[1]->text().endsWith(QStringLiteral("demo.rer")));

  // Opening one asks about unsaved work first, then loads it and puts it on top.
  const int demoLights = Room().CountLights();
  Room().AddLight({1, 1, 1}, {1, 1, 1}, 2.0f);
  Main().RecordStep("New Light");
  prompts.unsavedAnswers.push_back(UnsavedAnswer::Discard);
  entries[1]->trigger();
  EXPECT_EQ(prompts.unsavedQuestions, 1);
  EXPECT_EQ(Room().CountLights(), demoLights) << "the demo room as stored";
  entries = RecentEntries();
  EXPECT_TRUE(entries[0]->text().endsWith(QStringLiteral("demo.rer")));

  // A file gone since is reported and leaves the list.
  QFile::remove(saved);
  entries[1]->trigger();
  EXPECT_EQ(RecentEntries().size(), 1);
}

TEST_F(WindowTest, RecentRoomsKeepsTheLastEight) {
  StartEditor();
  QTemporaryDir out;
  for (int i = 0; i < 10; ++i) {
    prompts.saveAnswers.push_back(out.filePath(QStringLiteral("room%1.rer").arg(i)).toStdString());
    Main().SaveRoomAs();
  }
  const QList<QAction*> entries = RecentEntries();
  ASSERT_EQ(entries.size(), 8);
  EXPECT_TRUE(entries.front()->text().endsWith(QStringLiteral("room9.rer")));
  EXPECT_TRUE(entries.back()->text().endsWith(QStringLiteral("room2.rer")));
}

}  // namespace
