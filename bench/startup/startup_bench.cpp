// How long the editor takes from the program's start to its first drawn frame on the
// sample world, built exactly as the program builds it. Needs a display (xvfb-run).
// Prints one line per run: brannock-startup-bench [RUNS]

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "ui/edit_main.h"
#include "ui/editor_windows.h"
#include "ui/panel_view.h"
#include "ui/qt_host.h"
#include "ui/ui_prompts.h"

namespace {

// One start in this process: windows made, shown, started up and one frame drawn.
qint64 MillisecondsToFirstFrame() {
  QElapsedTimer clock;
  clock.start();
  QtHost host;
  QtPrompts prompts(nullptr);
  EditorWindows windows(host, prompts, QDir::currentPath().toStdString());
  QObject::connect(windows.Main.get(), &TFormMain::frameDone, QApplication::instance(), &QCoreApplication::quit,
                   Qt::SingleShotConnection);
  windows.Main->show();
  QApplication::exec();
  return clock.elapsed();
}

}  // namespace

int main(int argc, char* argv[]) {
  QElapsedTimer sinceMain;
  sinceMain.start();
  PanelView::UseCompatibilityFormat();
  QApplication application(argc, argv);
  if (!QDir::setCurrent(QStringLiteral(BRANNOCK_SAMPLE_DIR))) return 1;
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const qint64 toolkit = sinceMain.elapsed();
  std::printf("toolkit start: %lld ms\n", static_cast<long long>(toolkit));
  for (int run = 0; run < runs; ++run) {
    const qint64 ms = MillisecondsToFirstFrame();
    std::printf("run %d: first frame after %lld ms%s\n", run + 1, static_cast<long long>(ms + (run ? 0 : toolkit)),
                run ? "" : " (from main, toolkit included)");
  }
  return 0;
}
