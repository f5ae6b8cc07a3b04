// A second editor for the clipboard test: once started on its untitled room, it pastes
// what the system clipboard holds in place, saves the room to the file named on its
// command line, says "saved <entities>" and ends.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTimer>
#include <cstdio>

#include "no_prompts.h"
#include "room/edit_room.h"
#include "ui/edit_main.h"
#include "ui/editor_windows.h"
#include "ui/panel_view.h"
#include "ui/qt_host.h"

int main(int argc, char* argv[]) {
  if (argc != 2) return 2;
  PanelView::UseCompatibilityFormat();
  QApplication application(argc, argv);
  QtHost host;
  NoPrompts prompts;
  EditorWindows windows(host, prompts, QDir::currentPath().toStdString());
  TFormMain& main = *windows.Main;
  main.show();
  QTimer step;
  QObject::connect(&step, &QTimer::timeout, [&] {
    if (!main.Timer.isActive()) return;
    step.stop();
    main.MenuAction("PasteinPlace1")->trigger();
    if (!main.SaveRoomTo(argv[1])) QApplication::exit(1);
    std::printf("saved %d\n", main.Engine()->Room->CountEntities());
    std::fflush(stdout);
    QApplication::quit();
  });
  step.start(50);
  return QApplication::exec();
}
