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

// Writing through a link would replace the link with a file; the file it names is meant.
std::string FollowLink(const std::string& path) {
  std::error_code ec;
  if (!stdfs::is_symlink(path, ec)) return path;
  const stdfs::path real = stdfs::canonical(path, ec);
  return ec ? path : real.string();
}

mode_t ModeFor(const std::string& target) {
  struct stat existing {};
  if (::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) return existing.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Empty when every byte was written, else why not.
std::string WriteAll(int fd, const std::vector<std::uint8_t>& bytes) {
  const std::uint8_t* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, data, left);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return std::strerror(errno);
    data += written;
    left -= static_cast<std::size_t>(written);
  }
  return {};
}

// The rename is durable only once the directory entry is on disk. The new file is in
// place by then, so a directory that cannot be synced (some file systems refuse) is no
// failed save.
void SyncDirectoryOf(const std::string& target) {
  const stdfs::path parent = stdfs::path(target).parent_path();
  const int fd = ::open(parent.empty() ? "." : parent.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
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

bool HostFileExists(std::string_view hostPath) {
  std::error_code ec;
  return stdfs::is_regular_file(stdfs::path(hostPath), ec);
}

bool FileExists(std::string_view gamePath) { return HostFileExists(ToHostPath(gamePath)); }

std::optional<std::vector<std::uint8_t>> ReadHostFile(std::string_view hostPath, std::size_t maxBytes) {
  std::ifstream in(std::string(hostPath), std::ios::binary);
  if (!in) return std::nullopt;
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0 || static_cast<std::uint64_t>(size) > maxBytes) return std::nullopt;
  in.seekg(0);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  if (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), size)) return std::nullopt;
  return bytes;
}

std::optional<std::vector<std::uint8_t>> ReadFile(std::string_view gamePath, std::size_t maxBytes) {
  return ReadHostFile(ToHostPath(gamePath), maxBytes);
}

std::optional<std::string> WriteHostFileAtomic(std::string_view hostPath, const std::vector<std::uint8_t>& bytes) {
  const std::string target = FollowLink(std::string(hostPath));
  std::string temp = target + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return "Cannot create a file beside \"" + target + "\": " + std::strerror(errno);

  std::string failure = WriteAll(fd, bytes);
  // mkstemp creates 0600: a replaced file keeps its own mode, a new one gets the usual.
  if (failure.empty() && ::fchmod(fd, ModeFor(target)) != 0) failure = std::strerror(errno);
  if (failure.empty() && ::fsync(fd) != 0) failure = std::strerror(errno);
  if (::close(fd) != 0 && failure.empty()) failure = std::strerror(errno);
  if (failure.empty() && std::rename(temp.c_str(), target.c_str()) != 0) failure = std::strerror(errno);
  if (!failure.empty()) {
    ::unlink(temp.c_str());
    return "Cannot write \"" + target + "\": " + failure;
  }
  SyncDirectoryOf(target);
  return std::nullopt;
}

std::optional<std::string> WriteFileAtomic(std::string_view gamePath, const std::vector<std::uint8_t>& bytes) {
  return WriteHostFileAtomic(ToHostPath(gamePath), bytes);
}

}  // namespace fs_layer
