// Frames the editor's own window draws in each view, over a stretch of real time: the
// window as the program builds it, on the sample world, with the room that has every
// slot table full. The window's frame timer asks for a frame every 50 ms, so 20 frames
// a second is the most it can show; fewer means a frame took longer than the timer.
//
//   brannock_window_frames [seconds per view, default 10]
//
// Run it under Xvfb (QT_QPA_PLATFORM=xcb xvfb-run -a ...) from anywhere.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "bench_world.h"
#include "room/edit_room.h"
#include "ui/edit_main.h"
#include "ui/editor_windows.h"
#include "ui/panel_view.h"
#include "ui/qt_host.h"
#include "ui/ui_prompts.h"

namespace {

// Counts the view's repaints, each one frame drawn.
class PaintCounter : public QObject {
public:
  int paints = 0;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return QObject::eventFilter(watched, event);
  }
};

void Spin(int milliseconds) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < milliseconds) QApplication::processEvents(QEventLoop::AllEvents, 5);
}

}  // namespace

int main(int argc, char* argv[]) {
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
  PanelView::UseCompatibilityFormat();
  QApplication application(argc, argv);
  if (!QDir::setCurrent(QStringLiteral(BRANNOCK_SAMPLE_DIR))) return 1;
  // The designer's own recovery files and settings stay out of it.
  QTemporaryDir user;
  qputenv("XDG_DATA_HOME", user.path().toLocal8Bit());
  qputenv("XDG_CONFIG_HOME", user.path().toLocal8Bit());

  QtHost host;
  QtPrompts prompts(nullptr);
  EditorWindows windows(host, prompts, QDir::currentPath().toStdString());
  TFormMain& main = *windows.Main;
  main.show();
  Spin(1000);  // the start-up: context, textures, models
  if (!main.Engine()) return 1;
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
  return 0;
}
