// Frames the editor's own window draws in each view, over a stretch of real time: the
// window as the program builds it, on the sample world, with the room that has every
// slot table full. The window's frame timer asks for a frame every 50 ms, so 20 frames
// a second is the most it can show; fewer means a frame took longer than the timer.
//
// Then, with Live Lighting on, on the demo room and the bake room: a light placed in
// the top view's middle and dragged with "Move Lights" back and forth, the pointer
// moving every 25 ms, while the maps follow; frames a second, and how many of them
// brought new light maps.
//
//   brannock_window_frames [seconds per view, default 10]
//
// Run it under Xvfb (QT_QPA_PLATFORM=xcb xvfb-run -a ...) from anywhere.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QPushButton>
#include <QTest>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench_window.h"
#include "bench_world.h"
#include "core/file_system.h"
#include "room/edit_room.h"
#include "ui/edit_main.h"
#include "ui/editor_windows.h"
#include "ui/panel_view.h"
#include "ui/qt_host.h"
#include "ui/ui_prompts.h"

namespace {

// Whether the room's light maps differ from `before`, which is then brought up to date.
bool MapsChanged(TRoom& room, std::vector<std::uint8_t>& before) {
  std::vector<std::uint8_t> now;
  for (const auto& surface : room.Surfaces)
    if (surface->InUse()) now.insert(now.end(), surface->lightMapPixels.begin(), surface->lightMapPixels.begin() + surface->LightMapSize());
  const bool changed = now != before;
  before = std::move(now);
  return changed;
}

void LiveLightingDrag(TFormMain& main, BenchPrompts& prompts, const char* file, int seconds, PaintCounter& counter) {
  prompts.room = fs_layer::ToHostPath(main.Engine()->RoomDir.str() + file);
  main.LoadRoom();
  TRoom& room = *main.Engine()->Room;
  main.findChild<QPushButton*>(QStringLiteral("BtnViewTop"))->click();
  QAction* live = main.MenuAction("LiveLighting1");
  if (!live->isChecked()) live->trigger();
  while (main.LiveLightingPending()) Spin(50);
  QWidget& view = main.View();
  const QPoint middle(view.width() / 2, view.height() / 2);
  main.findChild<QPushButton*>(QStringLiteral("BtnLightNew"))->click();
  QTest::mouseClick(&view, Qt::LeftButton, {}, middle);
  while (main.LiveLightingPending()) Spin(50);
  main.findChild<QPushButton*>(QStringLiteral("BtnLightMove"))->click();
  std::vector<std::uint8_t> maps;
  MapsChanged(room, maps);
  QTest::mousePress(&view, Qt::LeftButton, {}, middle);
  counter.paints = 0;
  int relit = 0, moves = 0;
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < seconds * 1000) {
    // 4 pixels a move, 40 moves out and 40 back.
    const int step = moves++ % 80;
    QTest::mouseMove(&view, middle + QPoint(4 * (step < 40 ? step : 80 - step), 0));
    const int paints = counter.paints;
    Spin(25);
    if (counter.paints > paints && MapsChanged(room, maps)) ++relit;
  }
  const double elapsed = static_cast<double>(clock.elapsed());
  QTest::mouseRelease(&view, Qt::LeftButton, {}, middle);
  std::printf("%-10s %8.1f   %8.1f   %6.1f\n", file, counter.paints * 1000.0 / elapsed, elapsed / counter.paints,
              relit * 1000.0 / elapsed);
}

}  // namespace

int main(int argc, char* argv[]) {
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
  PanelView::UseCompatibilityFormat();
  QApplication application(argc, argv);
  BenchPrompts prompts;
  const auto bench = BenchWindow::Open(prompts);
  if (!bench) return 1;
  TFormMain& main = bench->Main();
  TRoom& room = *main.Engine()->Room;
  FillEveryTable(room);
  std::printf("%d lights, %d entities, %d surfaces\n", room.CountLights(), room.CountEntities(), room.CountSurfaces());

  PaintCounter counter;
  main.View().installEventFilter(&counter);
  std::printf("view   frames/s   ms per frame (%d s each)\n", seconds);
  for (const char* view : {"BtnViewTop", "BtnViewSide", "BtnView3D"}) {
    main.findChild<QPushButton*>(QString::fromLatin1(view))->click();
    Spin(500);
    counter.paints = 0;
    QElapsedTimer clock;
    clock.start();
    Spin(seconds * 1000);
    const double elapsed = static_cast<double>(clock.elapsed());
    std::printf("%-6s %8.1f   %8.1f\n", view + 7, counter.paints * 1000.0 / elapsed, elapsed / counter.paints);
  }
  std::printf("\nLive Lighting, a light dragged in the top view (%d s each)\n", seconds);
  std::printf("room       frames/s   ms per frame   relit frames/s\n");
  for (const char* file : {"demo.rer", "bake.rer"}) LiveLightingDrag(main, prompts, file, seconds, counter);
  return 0;
}
