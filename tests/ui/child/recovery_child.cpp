// A real editor for the crash-recovery test: loads the room named on its command line,
// changes it, waits for one recovery write, says "written" and runs on until killed.
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
#include "ui/ui_prompts.h"

namespace {

class NoPrompts : public UiPrompts {
public:
  std::optional<std::string> OpenFile(const FileDialogSpec&) override { return std::nullopt; }
  std::optional<std::string> SaveFile(const FileDialogSpec&) override { return std::nullopt; }
  UnsavedAnswer AskUnsavedChanges() override { return UnsavedAnswer::Cancel; }
  bool AskRestore(const std::string&, const std::string&) override { return false; }
};

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) return 2;
  PanelView::UseCompatibilityFormat();
  QApplication application(argc, argv);
  QtHost host;
  NoPrompts prompts;
  EditorWindows windows(host, prompts, QDir::currentPath().toStdString());
  TFormMain& main = *windows.Main;
  main.RecoveryTimer.setInterval(100);
  main.show();

  const std::string room = argv[1];
  bool edited = false;
  QTimer step;
  QObject::connect(&step, &QTimer::timeout, [&] {
    if (!main.Timer.isActive()) return;
    if (!edited) {
      TRoom& document = *main.Engine()->Room;
      document.LoadFromFile(room);
      document.Name = "RECOVERED";
      document.AddLight({1.0f, 2.0f, 3.0f}, {1.0f, 0.5f, 0.25f}, 6.0f);
      edited = true;
    } else if (!RoomRecovery(RoomRecovery::DefaultDirectory()).List().empty()) {
      std::puts("written");
      std::fflush(stdout);
      step.stop();
    }
  });
  step.start(50);
  return QApplication::exec();
}
