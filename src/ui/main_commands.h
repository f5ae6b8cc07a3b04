#pragma once
// Every command of the main window's menus, described once: where it sits, its caption
// and shortcuts, whether it is a check item, when it is enabled and what it runs. The
// menus are built from this table, and the user guide's shortcut table is printed from
// it, so neither can drift from the other.

#include <span>
#include <string>

class TFormMain;

struct MenuCommand {
  enum class Kind { Plain, CheckOff, CheckOn, RecentRooms };

  const char* menu;
  const char* caption;
  // Alternatives separated by "; " ("Ctrl+Shift+Z; Ctrl+Y"); empty for none.
  const char* shortcuts;
  Kind kind;
  // What it runs, with the check mark it now has; null for check marks that the view
  // and the cursor only read.
  void (*run)(TFormMain& main, bool checked);
  // Null when the command is always enabled.
  bool (*enabled)(const TFormMain& main);
  // One line for the user guide.
  const char* does;
  bool separatorAfter;
};

std::span<const MenuCommand> MenuCommands();

// The shortcut table of the user guide, in Markdown, one row per command.
std::string CommandTableMarkdown();
