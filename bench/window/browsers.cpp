// The texture and model browsers in the editor's own window, on the sample world:
//  - View > Textures: the time from the menu to the first thumbnails and to the last,
//    with an empty cache and again from the cache;
//  - a generated set of 500 textures of 256 x 256 filling in on the worker thread while
//    the window draws the full room in 3D: the frames a second meanwhile (the frame
//    timer asks for 20), and the time the fill takes, cold and from the cache;
//  - View > Models: the time for every thumbnail of the catalogue, drawn, and the same
//    a second time, from the cache.
//
//   brannock_browsers [textures, default 500]
//
// Run it under Xvfb (QT_QPA_PLATFORM=xcb xvfb-run -a ...) from anywhere.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "bench_window.h"
#include "bench_world.h"
#include "core/bmp_file.h"
#include "room/edit_room.h"
#include "ui/browser_docks.h"
#include "ui/model_browser.h"
#include "ui/panel_view.h"
#include "ui/texture_browser.h"
#include "ui/ui_prompts.h"

namespace {

bool SpinUntil(const std::function<bool()>& done, int limitMilliseconds) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > limitMilliseconds) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 1);
  }
  return true;
}

// 256 x 256 24-bit bitmaps of their own colours.
void WriteTextures(const std::filesystem::path& world, int count) {
  std::filesystem::create_directories(world / "textures" / "generated");
  for (int i = 0; i < count; ++i) {
    TBmpImage image{256, 256, std::vector<std::uint8_t>(256 * 256 * 3)};
    for (std::size_t p = 0; p < image.rgb.size(); p += 3) {
      const auto x = static_cast<int>(p / 3 % 256), y = static_cast<int>(p / 3 / 256);
      image.rgb[p] = static_cast<std::uint8_t>(x ^ i);
      image.rgb[p + 1] = static_cast<std::uint8_t>(y + i * 7);
      image.rgb[p + 2] = static_cast<std::uint8_t>((x * y) >> 8);
    }
    const auto bytes = EncodeBmp(image);
    std::ofstream(world / "textures" / "generated" / ("t" + std::to_string(i) + ".bmp"), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 500;
  QTemporaryDir scratch;
  // An empty cache of the run's own.
  qputenv("XDG_CACHE_HOME", (scratch.path() + QStringLiteral("/cache")).toLocal8Bit());
  PanelView::UseCompatibilityFormat();
  QApplication application(argc, argv);
  QtPrompts prompts(nullptr);
  const auto bench = BenchWindow::Open(prompts);
  if (!bench) return 1;
  TFormMain& main = bench->Main();

  // View > Textures on the sample world.
  QElapsedTimer clock;
  clock.start();
  main.MenuAction("Textures1")->trigger();
  const double shown = static_cast<double>(clock.nsecsElapsed()) / 1e6;
  TextureCatalogue& textures = *main.Browsers().textures;
  SpinUntil([&] { return textures.Pending() < textures.rowCount(); }, 10000);
  const double first = static_cast<double>(clock.nsecsElapsed()) / 1e6;
  SpinUntil([&] { return textures.Pending() == 0; }, 10000);
  const double all = static_cast<double>(clock.nsecsElapsed()) / 1e6;
  std::printf("Textures dock, sample world (%d textures, empty cache): shown %.1f ms, first thumbnails %.1f ms, all %.1f ms\n",
              textures.rowCount(), shown, first, all);
  {
    TextureCatalogue again;
    QElapsedTimer warm;
    warm.start();
    again.Scan(std::string(BRANNOCK_SAMPLE_DIR) + "/data/model/world");
    SpinUntil([&] { return again.Pending() < again.rowCount(); }, 10000);
    const double warmFirst = static_cast<double>(warm.nsecsElapsed()) / 1e6;
    SpinUntil([&] { return again.Pending() == 0; }, 10000);
    std::printf("  again, from the cache: first thumbnails %.1f ms, all %.1f ms\n", warmFirst,
                static_cast<double>(warm.nsecsElapsed()) / 1e6);
  }

  // The generated set, filling in while the window draws the full room in 3D.
  TRoom& room = *main.Engine()->Room;
  FillEveryTable(room);
  main.findChild<QPushButton*>(QStringLiteral("BtnView3D"))->click();
  const std::filesystem::path world = scratch.path().toStdString() + "/world";
  WriteTextures(world, count);
  PaintCounter counter;
  main.View().installEventFilter(&counter);
  Spin(1000);
  counter.paints = 0;
  Spin(3000);
  std::printf("the window on the full room in 3D, nothing filling: %.1f frames/s\n", counter.paints / 3.0);
  for (const char* pass : {"empty cache", "from the cache"}) {
    counter.paints = 0;
    QElapsedTimer fill;
    fill.start();
    textures.Scan(world.string());
    const bool filled = SpinUntil([&] { return textures.Pending() == 0; }, 120000);
    const double elapsed = static_cast<double>(fill.elapsed());
    std::printf("%d textures of 256 x 256 (%s): filled in %.0f ms%s, the window meanwhile %.1f frames/s\n",
                textures.rowCount(), pass, elapsed, filled ? "" : " (not finished)", counter.paints * 1000.0 / elapsed);
  }

  // View > Models: every thumbnail drawn, then from the cache.
  QElapsedTimer models;
  models.start();
  main.MenuAction("Models1")->trigger();
  ModelCatalogue& catalogue = *main.Browsers().models;
  SpinUntil([&] { return catalogue.Pending() == 0; }, 60000);
  std::printf("Models dock, sample world (%d models): drawn %d in %.0f ms\n", catalogue.rowCount(), catalogue.Rendered(),
              static_cast<double>(models.elapsed()));
  models.restart();
  catalogue.Refresh();
  SpinUntil([&] { return catalogue.Pending() == 0; }, 60000);
  std::printf("  again: %d from the cache in %.0f ms\n", catalogue.FromCache(), static_cast<double>(models.elapsed()));
  return 0;
}
