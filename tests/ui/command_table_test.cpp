// The command table builds the menus and the user guide's shortcut table: the menus hold
// what the table says, and the checked-in page is what the table prints.
#include <QAction>
#include <QFile>
#include <QMenu>

#include "editor_fixture.h"
#include "ui/main_commands.h"

namespace {

TEST_F(EditorTest, TheMenusAndTheShortcutPageComeFromTheCommandTable) {
  StartEditor();
  for (const MenuCommand& command : MenuCommands()) {
    if (command.kind == MenuCommand::Kind::RecentRooms) continue;
    QAction* found = nullptr;
    for (QAction* action : Main().findChildren<QAction*>())
      if (action->text() == QLatin1String(command.caption) && !action->menu()) found = action;
    ASSERT_NE(found, nullptr) << command.caption;
    EXPECT_EQ(found->shortcuts(), QKeySequence::listFromString(QString::fromLatin1(command.shortcuts)))
        << command.caption;
    EXPECT_EQ(found->isCheckable(), command.kind != MenuCommand::Kind::Plain) << command.caption;
    auto* menu = qobject_cast<QMenu*>(found->parent());
    ASSERT_NE(menu, nullptr) << command.caption;
    EXPECT_EQ(menu->title(), QLatin1String(command.menu)) << command.caption;
  }

  QFile page(QStringLiteral(BRANNOCK_DOCS_DIR "/user-guide.md"));
  ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << "docs/user-guide.md";
  const std::string table = CommandTableMarkdown();
  EXPECT_NE(page.readAll().toStdString().find(table), std::string::npos)
      << "docs/user-guide.md no longer shows the command table; its table is now:\n"
      << table;
}

}  // namespace
