#include "ui/game_path.h"

#include <algorithm>
#include <cctype>

namespace game_path {

std::string FromHost(std::string hostPath) {
  std::replace(hostPath.begin(), hostPath.end(), '/', '\\');
  return hostPath;
}

std::optional<std::string> BelowDirectory(const std::string& path, const std::string& directory) {
  if (path.size() <= directory.size()) return std::nullopt;
  const bool below = std::equal(directory.begin(), directory.end(), path.begin(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
  });
  if (!below) return std::nullopt;
  return path.substr(directory.size());
}

std::string WithoutExtension(std::string path) {
  const auto dot = path.rfind('.');
  const auto slash = path.rfind('\\');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash) && path.size() - dot == 4)
    path.resize(dot);
  return path;
}

}  // namespace game_path
