// The main window's side of View's docks: where they go and how their menu items follow.
#include <QAction>

#include "ui/edit_main.h"
#include "ui/view_dock.h"

void TFormMain::AddViewDock(ViewDock* dock, const char* menuItem) {
  addDockWidget(Qt::RightDockWidgetArea, dock);
  if (QAction* item = MenuAction(menuItem)) connect(dock, &ViewDock::closed, item, [item] { item->setChecked(false); });
}

void TFormMain::ShowViewDock(ViewDock* dock, const char* menuItem, bool shown) {
  dock->setVisible(shown);
  if (shown) dock->raise();
  if (QAction* item = MenuAction(menuItem)) item->setChecked(shown);
}
