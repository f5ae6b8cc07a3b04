// "Compute Surface Lighting" (F6) as the designer waits for it in the editor's own
// window, beside the same bake headless in the same run. The headless side uploads no
// textures, so the window's share is what the uploads, the progress panel, the
// repaints and the frames add to the bake.
//
//   brannock_window_bake [runs per room, default 5]
//
// Run it under Xvfb (QT_QPA_PLATFORM=xcb xvfb-run -a ...) from anywhere.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench_window.h"
#include "core/file_system.h"
#include "core/headless_host.h"
#include "room/edit_room.h"
#include "surfaces/light_map.h"
#include "ui/edit_main.h"
#include "ui/editor_windows.h"
#include "ui/panel_view.h"
#include "ui/qt_host.h"
#include "ui/ui_prompts.h"

namespace {

// The fastest of `runs`, in seconds: the least disturbed by the rest of the machine.
template <class Run>
double Fastest(int runs, Run run) {
  double best = 1e30;
  for (int i = 0; i < runs; ++i) {
    QElapsedTimer clock;
    clock.start();
    run();
    best = std::min(best, static_cast<double>(clock.nsecsElapsed()) / 1e9);
  }
  return best;
}

}  // namespace

int main(int argc, char* argv[]) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  PanelView::UseCompatibilityFormat();
  QApplication application(argc, argv);
  BenchPrompts prompts;
  const auto bench = BenchWindow::Open(prompts);
  if (!bench) return 1;
  TFormMain& main = bench->Main();

  HeadlessHost quiet;
  TQZEngine headless(quiet, QDir::currentPath().toStdString());
  headless.StartUp();
  quiet.Memory(FormId::Main).SetChecked("CBLightMapCompute", true);
  LightMapBaker baker(*headless.Room);
  baker.View = PanelShadowView;
  headless.Room->LightMaps = &baker;

  std::printf("room       headless s   window s   window / headless (fastest of %d)\n", runs);
  for (const char* file : {"demo.rer", "bake.rer"}) {
    const std::string path = fs_layer::ToHostPath(main.Engine()->RoomDir.str() + file);
    prompts.room = path;
    main.LoadRoom();
    if (!headless.Room->LoadFromFile(path)) return 1;
    const double quietSeconds = Fastest(runs, [&] { headless.Room->ComputeSurfaceShadows(); });
    QAction* f6 = main.MenuAction("ComputeSurfaceLighting1");
    const double windowSeconds = Fastest(runs, [&] {
      f6->trigger();
      QApplication::processEvents();
    });
    std::printf("%-10s %10.3f %10.3f %10.1f\n", file, quietSeconds, windowSeconds, windowSeconds / quietSeconds);
  }
  headless.Room->LightMaps = nullptr;
  return 0;
}
