#pragma once
// Paths chosen in file dialogs, turned into the game's spelling: backslashes, names
// relative to a game directory, no extension; and the game directory a file lies in.

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

// The game directory of a host file: the nearest folder above it, its own folder first,
// that holds editor.ini (in any case, as the game's file system reads names). A relative
// path starts at the working directory. The folders above the path as spelled are tried
// first, then those above its real place (symbolic links resolved). The result is
// absolute; nothing when no folder holds one.
std::optional<std::string> GameDirectoryOf(const std::string& hostFile);

}  // namespace game_path
