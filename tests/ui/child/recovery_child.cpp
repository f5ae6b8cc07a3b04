// A real editor for the crash-recovery tests: loads the room named on its command line
// (none: edits the untitled room), changes it, waits for its recovery file, says
// "written <file name>" and runs on until killed.
#include <QApplication>
#include <QDir>
#include <QTimer>
#include <cstdio>

#include "room/edit_room.h"
#include "ui/edit_main.h"
#include "ui/editor_windows.h"
#include "ui/panel_view.h"
#include "ui/qt_host.h"
#include "ui/room_recovery.h"
#include "no_prompts.h"

int main(int argc, char* argv[]) {
  if (argc > 2) return 2;
  PanelView::UseCompatibilityFormat();
  QApplication application(argc, argv);
  QtHost host;
  NoPrompts prompts;
  EditorWindows windows(host, prompts, QDir::currentPath().toStdString());
  TFormMain& main = *windows.Main;
  main.RecoveryTimer.setInterval(100);
  main.show();

  const std::string room = argc == 2 ? argv[1] : "";
  // Other editors' files may lie there already; this editor's is the one that appears.
  const auto images = [] {
    return QDir(RoomRecovery::DefaultDirectory()).entryList({QStringLiteral("*.rer")}, QDir::Files);
  };
  const QStringList before = images();
  bool edited = false;
  QTimer step;
  QObject::connect(&step, &QTimer::timeout, [&] {
    if (!main.Timer.isActive()) return;
    if (!edited) {
      TRoom& document = *main.Engine()->Room;
      if (!room.empty()) document.LoadFromFile(room);
      document.Name = "RECOVERED";
      document.AddLight({1.0f, 2.0f, 3.0f}, {1.0f, 0.5f, 0.25f}, 6.0f);
      edited = true;
    } else {
      for (const QString& name : images()) {
        if (before.contains(name)) continue;
        std::printf("written %s\n", qPrintable(name));
        std::fflush(stdout);
        step.stop();
        return;
      }
    }
  });
  step.start(50);
  return QApplication::exec();
}
