#pragma once
// The file-system layer. Two kinds of path meet here:
// - game paths, names inside the game's data ("world\water\water"). They keep their
//   backslashes until this layer, and since game data comes from a case-insensitive
//   file system, one not found as spelled is resolved one component at a time,
//   ignoring case;
// - host paths, chosen by the designer (a file dialog, a tool argument). They are used
//   exactly as given, for reading and writing: a backslash is part of a name, and
//   "Cave.rer" never stands for "cave.rer".

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fs_layer {

// Backslashes become slashes; then, if the file does not exist as spelled, each
// component is matched case-insensitively against its directory's entries.
std::string ToHostPath(std::string_view gamePath);

bool FileExists(std::string_view gamePath);
bool HostFileExists(std::string_view hostPath);

// The whole file, or nothing when it is missing, unreadable or larger than maxBytes
// (so a hostile file can never make a reader allocate without limit).
std::optional<std::vector<std::uint8_t>> ReadFile(std::string_view gamePath, std::size_t maxBytes);
std::optional<std::vector<std::uint8_t>> ReadHostFile(std::string_view hostPath, std::size_t maxBytes);

// Writes to a temporary file beside the target and renames it over the target only
// when every byte reached the disk; on failure the old file is untouched and the
// returned text says why. A replaced file keeps its permissions; a symbolic link keeps
// pointing at the file it named, which is the one replaced.
std::optional<std::string> WriteHostFileAtomic(std::string_view hostPath, const std::vector<std::uint8_t>& bytes);
// The same for a file of the game's data (a baked texture written over the one read).
std::optional<std::string> WriteFileAtomic(std::string_view gamePath, const std::vector<std::uint8_t>& bytes);

}  // namespace fs_layer
