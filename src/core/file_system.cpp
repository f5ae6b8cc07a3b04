#include "core/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs_layer {
namespace {

namespace stdfs = std::filesystem;

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

std::string Slashed(std::string_view gamePath) {
  std::string path(gamePath);
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

}  // namespace

std::string ToHostPath(std::string_view gamePath) {
  const std::string path = Slashed(gamePath);
  std::error_code ec;
  if (path.empty() || stdfs::exists(path, ec)) return path;

  stdfs::path resolved = path.front() == '/' ? stdfs::path("/") : stdfs::path(".");
  for (const auto& part : stdfs::path(path).relative_path()) {
    const std::string name = part.string();
    if (name.empty()) continue;
    stdfs::path candidate = resolved / name;
    if (!stdfs::exists(candidate, ec)) {
      for (stdfs::directory_iterator it(resolved, ec), end; !ec && it != end; it.increment(ec)) {
        if (SameIgnoringCase(it->path().filename().string(), name)) {
          candidate = it->path();
          break;
        }
      }
    }
    resolved = candidate;
  }
  std::string result = resolved.string();
  if (path.front() != '/' && result.rfind("./", 0) == 0) result.erase(0, 2);
  if (!path.empty() && path.back() == '/' && (result.empty() || result.back() != '/')) result += '/';
  return result;
}

bool FileExists(std::string_view gamePath) {
  std::error_code ec;
  return stdfs::is_regular_file(ToHostPath(gamePath), ec);
}

std::optional<std::vector<std::uint8_t>> ReadFile(std::string_view gamePath, std::size_t maxBytes) {
  std::ifstream in(ToHostPath(gamePath), std::ios::binary);
  if (!in) return std::nullopt;
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0 || static_cast<std::uint64_t>(size) > maxBytes) return std::nullopt;
  in.seekg(0);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  if (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), size)) return std::nullopt;
  return bytes;
}

std::optional<std::string> WriteFileAtomic(std::string_view gamePath, const std::vector<std::uint8_t>& bytes) {
  const std::string target = ToHostPath(gamePath);
  std::string temp = target + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return "Cannot create a file beside \"" + target + "\": " + std::strerror(errno);

  const std::uint8_t* data = bytes.data();
  std::size_t left = bytes.size();
  std::string failure;
  while (left > 0 && failure.empty()) {
    const ssize_t written = ::write(fd, data, left);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) failure = std::strerror(errno);
    else {
      data += written;
      left -= static_cast<std::size_t>(written);
    }
  }
  if (failure.empty() && ::fsync(fd) != 0) failure = std::strerror(errno);
  if (::close(fd) != 0 && failure.empty()) failure = std::strerror(errno);
  // mkstemp creates 0600; a room file should get the usual permissions.
  if (failure.empty()) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::chmod(temp.c_str(), 0666 & ~mask);
  }
  if (failure.empty() && std::rename(temp.c_str(), target.c_str()) != 0) failure = std::strerror(errno);
  if (!failure.empty()) {
    ::unlink(temp.c_str());
    return "Cannot write \"" + target + "\": " + failure;
  }
  return std::nullopt;
}

}  // namespace fs_layer
