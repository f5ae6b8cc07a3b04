#pragma once
// The editor's command line: nothing, or the room to open. The game data is read from
// the working directory, so a room named there makes its game directory the working
// directory before the editor is built.

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

struct StartRequest {
  // Set: the program ends at once with this status (help asked for, wrong arguments).
  std::optional<int> exitCode;
  // The room to open once the editor has started, as an absolute host path.
  std::string room;
  // Why the room named is not opened; shown once the window is up.
  std::string problem;
};

// -h or --help: the usage line, which needs no display, so the program looks before Qt.
bool AsksForHelp(std::string_view argument);

// Reads the arguments after the program's name. Help goes to `out`; wrong arguments and
// a room that cannot be opened are reported on `err`. When the room's game directory is
// found, it becomes the working directory.
StartRequest PrepareStart(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
