#pragma once
// Paths chosen in file dialogs, turned into the game's spelling: backslashes, names
// relative to a game directory, no extension.

#include <optional>
#include <string>

namespace game_path {

// "/home/me/game/data/x.ini" -> "\home\me\game\data\x.ini".
std::string FromHost(std::string hostPath);
// The part of path after directory (which ends in a backslash), compared without regard
// to case as the game's file system does; nothing when path does not lie below it.
std::optional<std::string> BelowDirectory(const std::string& path, const std::string& directory);
// Drops the last four characters (".ini", ".bmp") when the name ends in an extension.
std::string WithoutExtension(std::string path);

}  // namespace game_path
