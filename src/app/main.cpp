// The editor: the application "Brannock", its six windows, the message loop. The game
// data is read from the working directory; a room named on the command line makes its
// game directory the working directory and is opened once the editor has started.
#include <QApplication>
#include <QDir>
#include <QScreen>
#include <iostream>

#include "ui/command_line.h"
#include "ui/edit_main.h"
#include "ui/editor_windows.h"
#include "ui/panel_view.h"
#include "ui/qt_host.h"
#include "ui/ui_prompts.h"

int main(int argc, char* argv[]) {
  if (argc == 2 && AsksForHelp(argv[1])) return *PrepareStart({argv[1]}, std::cout, std::cerr).exitCode;
  PanelView::UseCompatibilityFormat();
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Brannock"));

  // Qt has taken its own options (-platform, -style...) out by now.
  std::vector<std::string> arguments;
  for (const QString& argument : QApplication::arguments().mid(1)) arguments.push_back(argument.toStdString());
  const StartRequest start = PrepareStart(arguments, std::cout, std::cerr);
  if (start.exitCode) return *start.exitCode;

  QtHost host;
  QtPrompts prompts(nullptr);
  EditorWindows windows(host, prompts, QDir::currentPath().toStdString());
  windows.Main->OpenAfterStartUp(start);
  // The window at its designed size, centred on the desktop; it may grow from there.
  windows.Main->adjustSize();
  windows.Main->move(windows.Main->screen()->availableGeometry().center() - windows.Main->rect().center());
  windows.Main->show();
  return QApplication::exec();
}
