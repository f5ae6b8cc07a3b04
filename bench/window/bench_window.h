#pragma once
// The editor's window as the program builds it, on the sample world, for the benchmarks
// that time what the designer waits for in it.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QTemporaryDir>
#include <memory>

#include "ui/edit_main.h"
#include "ui/editor_windows.h"
#include "ui/qt_host.h"
#include "ui/ui_prompts.h"

// Runs the event loop for a stretch of real time.
inline void Spin(int milliseconds) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < milliseconds) QApplication::processEvents(QEventLoop::AllEvents, 5);
}

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

// Opens the room it is given and discards what a benchmark changed.
class BenchPrompts : public QtPrompts {
public:
  BenchPrompts() : QtPrompts(nullptr) {}
  std::string room;
  std::optional<std::string> OpenFile(const FileDialogSpec&) override { return room; }
  UnsavedAnswer AskUnsavedChanges() override { return UnsavedAnswer::Discard; }
};

class BenchWindow {
public:
  // Null when the sample world is missing or the engine did not start.
  static std::unique_ptr<BenchWindow> Open(UiPrompts& prompts) {
    if (!QDir::setCurrent(QStringLiteral(BRANNOCK_SAMPLE_DIR))) return nullptr;
    auto bench = std::unique_ptr<BenchWindow>(new BenchWindow(prompts));
    bench->Main().show();
    Spin(1000);  // the start-up: context, textures, models
    if (!bench->Main().Engine()) return nullptr;
    return bench;
  }
  TFormMain& Main() { return *windows_->Main; }

private:
  explicit BenchWindow(UiPrompts& prompts) {
    // The designer's own recovery files and settings stay out of it.
    qputenv("XDG_DATA_HOME", user_.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", user_.path().toLocal8Bit());
    windows_ = std::make_unique<EditorWindows>(host_, prompts, QDir::currentPath().toStdString());
  }

  QTemporaryDir user_;
  QtHost host_;
  std::unique_ptr<EditorWindows> windows_;
};
