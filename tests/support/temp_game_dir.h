#pragma once
// A throw-away game directory for tests: unique per instance, removed afterwards.

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include <unistd.h>

class TempGameDir {
public:
  TempGameDir() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("brannock-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempGameDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempGameDir(const TempGameDir&) = delete;
  TempGameDir& operator=(const TempGameDir&) = delete;

  std::string Path() const { return path_.string(); }

  // relative uses '/'; parent directories are created.
  void Write(std::string_view relative, std::string_view content) const {
    const auto file = path_ / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
  }

  void Remove(std::string_view relative) const { std::filesystem::remove(path_ / relative); }

private:
  std::filesystem::path path_;
};
