#pragma once
// Writes the files of a generated base directory below one root, creating folders as
// needed, and keeps count of what was written so the size of the world is known.

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

  std::uintmax_t BytesWritten() const { return bytes_; }
  int FilesWritten() const { return files_; }

private:
  std::filesystem::path root_;
  std::uintmax_t bytes_ = 0;
  int files_ = 0;
};
