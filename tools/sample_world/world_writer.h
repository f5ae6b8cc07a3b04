#pragma once
// Writes the files of a generated base directory below one root, creating folders as
// needed.

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

class WorldWriter {
public:
  explicit WorldWriter(std::filesystem::path root);

  const std::filesystem::path& Root() const { return root_; }
  // relative uses '/'; throws std::runtime_error when the file cannot be written.
  void Text(std::string_view relative, std::string_view content);
  void Binary(std::string_view relative, const std::vector<std::uint8_t>& bytes);

private:
  std::filesystem::path root_;
};
