#pragma once
// The file-system layer. Names inside the game's data keep their backslashes
// ("world\water\water"); only here do they become host paths. Game data comes from a
// case-insensitive file system, so a path not found as spelled is resolved one
// component at a time, ignoring case.

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

// The whole file, or nothing when it is missing, unreadable or larger than maxBytes
// (so a hostile file can never make a reader allocate without limit).
std::optional<std::vector<std::uint8_t>> ReadFile(std::string_view gamePath, std::size_t maxBytes);

// Writes to a temporary file beside the target and renames it over the target only
// when every byte reached the disk; on failure the old file is untouched and the
// returned text says why.
std::optional<std::string> WriteFileAtomic(std::string_view gamePath, const std::vector<std::uint8_t>& bytes);

}  // namespace fs_layer
