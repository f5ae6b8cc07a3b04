// The editor: the application "Brannock", its six windows, the message loop. The game
// data is read from the current working directory.
#include <QApplication>
#include <QDir>
#include <QScreen>

#include "ui/edit_main.h"
#include "ui/editor_windows.h"
#include "ui/panel_view.h"
#include "ui/qt_host.h"
#include "ui/ui_prompts.h"

int main(int argc, char* argv[]) {
  PanelView::UseCompatibilityFormat();
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Brannock"));

  QtHost host;
  QtPrompts prompts(nullptr);
  EditorWindows windows(host, prompts, QDir::currentPath().toStdString());
  // The window at its designed size, centred on the desktop; it may grow from there.
  windows.Main->adjustSize();
  windows.Main->move(windows.Main->screen()->availableGeometry().center() - windows.Main->rect().center());
  windows.Main->show();
  return QApplication::exec();
}
