#include "sample_world/world_writer.h"

#include <fstream>
#include <stdexcept>
#include <string>

WorldWriter::WorldWriter(std::filesystem::path root) : root_(std::move(root)) {}

void WorldWriter::Text(std::string_view relative, std::string_view content) {
  Binary(relative, std::vector<std::uint8_t>(content.begin(), content.end()));
}

void WorldWriter::Binary(std::string_view relative, const std::vector<std::uint8_t>& bytes) {
  const std::filesystem::path file = root_ / relative;
  std::error_code ec;
  std::filesystem::create_directories(file.parent_path(), ec);
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + file.string());
}
