#pragma once
// The line grammar shared by the editor's text files. A line ends at LF, CR LF or a
// lone CR; the last line needs no terminator. Nothing is trimmed: lines compare and
// store exactly as they stand. A line longer than 255 characters is cut at 255 and
// the rest of it is skipped.
//
// A file is read whole through the file-system layer, capped at MaxFileBytes, so a
// hostile file cannot make a reader allocate without limit.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class ConfigLineReader {
public:
  static constexpr std::size_t MaxLineLength = 255;
  static constexpr std::size_t MaxFileBytes = 16u * 1024u * 1024u;

  explicit ConfigLineReader(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
  explicit ConfigLineReader(std::string_view text) : bytes_(text.begin(), text.end()) {}

  // Nothing when the file is missing, unreadable or larger than MaxFileBytes.
  static std::optional<ConfigLineReader> Open(std::string_view gamePath);

  // The next line, or nothing at the end of the file.
  std::optional<std::string> ReadLine();

private:
  std::vector<std::uint8_t> bytes_;
  std::size_t position_ = 0;
};
