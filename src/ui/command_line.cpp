#include "ui/command_line.h"

#include <filesystem>
#include <system_error>

#include "ui/game_path.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* Usage =
    "usage: brannock [ROOM.rer]\n"
    "Opens the room with the game data of the nearest folder above it that holds editor.ini;\n"
    "without a room, the game data of the working directory.\n";

StartRequest Ending(int exitCode) {
  StartRequest request;
  request.exitCode = exitCode;
  return request;
}

StartRequest Refused(std::ostream& err, const std::string& why) {
  err << "brannock: " << why << "\n" << Usage;
  return Ending(2);
}

// The absolute path, without "." and ".." when dropping them names the same file.
std::string Absolute(const std::string& hostPath) {
  std::error_code error;
  const fs::path absolute = fs::absolute(hostPath, error);
  const fs::path normal = absolute.lexically_normal();
  return fs::equivalent(absolute, normal, error) ? normal.string() : absolute.string();
}

}  // namespace

bool AsksForHelp(std::string_view argument) { return argument == "-h" || argument == "--help"; }

StartRequest PrepareStart(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  if (arguments.empty()) return {};
  if (arguments.size() > 1)
    return Refused(err, "one room at most, " + std::to_string(arguments.size()) + " arguments given");
  const std::string& argument = arguments.front();
  if (AsksForHelp(argument)) {
    out << Usage;
    return Ending(0);
  }
  if (argument.starts_with('-')) return Refused(err, "unknown option " + argument);

  StartRequest request;
  const std::string room = Absolute(argument);
  std::error_code error;
  if (!fs::exists(room, error)) {
    request.problem = "The room file " + room + " does not exist.";
  } else if (!fs::is_regular_file(room, error)) {
    request.problem = room + " is not a room file.";
  } else if (const auto gameDirectory = game_path::GameDirectoryOf(room); !gameDirectory) {
    request.problem = "No folder above the room file " + room + " holds editor.ini, so its game data cannot be found.";
  } else {
    fs::current_path(*gameDirectory, error);
    if (!error) {
      request.room = room;
      return request;
    }
    request.problem = "The game directory " + *gameDirectory + " cannot be entered: " + error.message() + ".";
  }
  request.problem += " The editor starts in " + fs::current_path(error).string() + " without the room.";
  err << "brannock: " << request.problem << "\n";
  return request;
}
