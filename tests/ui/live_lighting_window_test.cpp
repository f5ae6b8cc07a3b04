// Room > Live Lighting in the window: a light dragged with "Move Lights" relights the
// floor within a second, and one Ctrl+Z takes back the light and its maps together.
#include <QAction>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "editor_fixture.h"
#include "room/edit_room.h"
#include "room/room_history.h"
#include "room/view_mapping.h"
#include "ui/panel_view.h"

namespace {

const std::string DemoRoom = std::string(BRANNOCK_SAMPLE_DIR) + "/data/world/room/demo.rer";

std::vector<std::uint8_t> LightMaps(const TRoom& room) {
  std::vector<std::uint8_t> all;
  for (const auto& surface : room.Surfaces)
    if (surface->InUse()) all.insert(all.end(), surface->lightMapPixels.begin(), surface->lightMapPixels.end());
  return all;
}

TEST_F(EditorTest, ALightMovedWithLiveLightingRelightsTheFloorAndOneUndoTakesBothBack) {
  StartEditorOn(DemoRoom);
  TRoom& room = *Engine().Room;
  const auto upToDate = [&] { return !Main().LiveLightingPending(); };
  Main().MenuAction("LiveLighting1")->trigger();
  ASSERT_TRUE(WaitFor(upToDate, 10000)) << "the room's first bake";

  Find<QPushButton>(Main(), "BtnLightNew")->click();
  const QPoint at(320, 240);
  QTest::mouseClick(&Main().View(), Qt::LeftButton, {}, at);
  ASSERT_TRUE(WaitFor(upToDate, 10000));
  const auto before = room.SaveToBytes();
  const auto mapsBefore = LightMaps(room);

  Find<QPushButton>(Main(), "BtnLightMove")->click();
  QTest::mousePress(&Main().View(), Qt::LeftButton, {}, at);
  for (int i = 1; i <= 4; ++i) QTest::mouseMove(&Main().View(), at + QPoint(20, 10) * i);
  QTest::mouseRelease(&Main().View(), Qt::LeftButton, {}, at + QPoint(80, 40));
  // How soon is the live bench's to say; a loaded machine may take its time here.
  EXPECT_TRUE(WaitFor([&] { return LightMaps(room) != mapsBefore && upToDate(); }, 10000)) << "the maps follow the light";
  EXPECT_EQ(Main().History().UndoName(), "Move Light");
  // The selection count and the lighting state are both in view.
  EXPECT_EQ(Find<QLabel>(Main(), "StatusLighting")->text(), "Lighting: up to date");
  EXPECT_EQ(Find<QLabel>(Main(), "StatusPanel6")->text(), "1 light selected");
  QDir directory(QStringLiteral(QT_TESTCASE_BUILDDIR));
  directory.mkpath(QStringLiteral("screenshots"));
  EXPECT_TRUE(Main().grab().save(directory.filePath(QStringLiteral("screenshots/live_lighting.png"))));

  Main().MenuAction("Undo1")->trigger();
  EXPECT_EQ(room.SaveToBytes(), before) << "the light and its maps, in one step";
  EXPECT_FALSE(Main().LiveLightingPending()) << "the step's maps came back with it: nothing to bake";
}

}  // namespace
