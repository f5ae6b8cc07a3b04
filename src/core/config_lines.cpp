#include "core/config_lines.h"

#include "core/file_system.h"

std::optional<ConfigLineReader> ConfigLineReader::Open(std::string_view gamePath) {
  auto bytes = fs_layer::ReadFile(gamePath, MaxFileBytes);
  if (!bytes) return std::nullopt;
  return ConfigLineReader(std::move(*bytes));
}

std::optional<std::string> ConfigLineReader::ReadLine() {
  if (position_ >= bytes_.size()) return std::nullopt;
  std::string line;
  while (position_ < bytes_.size()) {
    const char c = static_cast<char>(bytes_[position_++]);
    if (c == '\n') break;
    if (c == '\r') {
      if (position_ < bytes_.size() && bytes_[position_] == '\n') ++position_;
      break;
    }
    // Past the cut the rest of the line is skipped, not carried into the next one.
    if (line.size() < MaxLineLength) line += c;
  }
  return line;
}
