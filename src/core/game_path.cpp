#include "core/game_path.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace game_path {

namespace {

namespace fs = std::filesystem;

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

bool HoldsEditorIni(const fs::path& directory) {
  std::error_code error;
  if (fs::is_regular_file(directory / "editor.ini", error)) return true;
  // An unreadable folder holds nothing this editor could read.
  for (fs::directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
    if (SameIgnoringCase(it->path().filename().string(), "editor.ini") && fs::is_regular_file(it->path(), error))
      return true;
  }
  return false;
}

std::optional<std::string> NearestAbove(const fs::path& file) {
  for (fs::path directory = file.parent_path();; directory = directory.parent_path()) {
    if (HoldsEditorIni(directory)) return directory.string();
    if (directory == directory.parent_path()) return std::nullopt;
  }
}

}  // namespace

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

std::optional<std::string> GameDirectoryOf(const std::string& hostFile) {
  std::error_code error;
  const fs::path spelled = fs::absolute(hostFile, error);
  if (error) return std::nullopt;
  // ".." after a symbolic link leaves the link's target, not the folder spelled before
  // it: such a path has only its real place.
  const bool climbs = std::find(spelled.begin(), spelled.end(), fs::path("..")) != spelled.end();
  if (!climbs) {
    if (auto found = NearestAbove(spelled.lexically_normal())) return found;
  }
  const fs::path real = fs::weakly_canonical(spelled, error);
  if (error) return std::nullopt;
  return NearestAbove(real);
}

}  // namespace game_path
