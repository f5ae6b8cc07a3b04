// The main window's menu tree, built from the command table.
#include <QAction>
#include <QKeySequence>
#include <QMenuBar>

#include "ui/edit_main.h"
#include "ui/main_commands.h"

namespace {

// Menu items are named after their caption's letters and digits plus "1", the names
// the renderer and the cursor read the check marks by ("Show Fog" -> "ShowFog1").
QString ItemName(const char* caption) {
  QString name;
  for (const char* c = caption; *c; ++c)
    if (QChar::fromLatin1(*c).isLetterOrNumber()) name += QChar::fromLatin1(*c);
  return name + QLatin1Char('1');
}

}  // namespace

void TFormMain::BuildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));
  QMenu* menu = nullptr;
  for (const MenuCommand& command : MenuCommands()) {
    const QString caption = QString::fromLatin1(command.caption);
    if (!menu || menu->title() != QLatin1String(command.menu)) {
      menu = bar->addMenu(QString::fromLatin1(command.menu));
      menu->setObjectName(ItemName(command.menu));
    }
    if (command.kind == MenuCommand::Kind::RecentRooms) {
      QMenu* recent = menu->addMenu(caption);
      recent->setObjectName(ItemName(command.caption));
      connect(recent, &QMenu::aboutToShow, this, [this, recent] { FillRecentRooms(*recent); });
    } else {
      QAction* action = menu->addAction(caption);
      action->setObjectName(ItemName(command.caption));
      action->setShortcuts(QKeySequence::listFromString(QString::fromLatin1(command.shortcuts)));
      if (command.kind != MenuCommand::Kind::Plain) {
        action->setCheckable(true);
        action->setChecked(command.kind == MenuCommand::Kind::CheckOn);
      }
      if (command.run)
        connect(action, &QAction::triggered, this, [this, run = command.run](bool checked) { run(*this, checked); });
    }
    if (command.separatorAfter) menu->addSeparator();
  }
}

void TFormMain::UpdateCommandStates() {
  for (const MenuCommand& command : MenuCommands())
    if (command.enabled)
      if (QAction* action = MenuAction(ItemName(command.caption).toLatin1().constData()))
        action->setEnabled(command.enabled(*this));
}
