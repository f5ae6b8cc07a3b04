#pragma once
// Thumbnails of the texture and model browsers, without a toolkit: made from the one
// bitmap reader, cached on disk in the user's cache directory
// ($XDG_CACHE_HOME/Brannock/thumbnails, else ~/.cache/Brannock/thumbnails) under a key
// of the file's path, size and modification time, and made on a worker thread that
// hands back plain pixel buffers (the window turns them into pictures on its own
// thread).

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

struct TBmpImage;

struct TThumbnail {
  int sourceWidth = 0;  // the picture it was made from
  int sourceHeight = 0;
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // tightly packed, top row first
  std::string problem;            // why there is no picture; empty when there is one

  bool Readable() const { return problem.empty(); }
};

// The picture scaled to fit a side x side square, keeping its proportions (each
// thumbnail pixel the mean of the pixels it covers); a smaller picture stays as it is.
TThumbnail ScaleToThumbnail(const TBmpImage& image, int side);
// A bitmap file's thumbnail, or its problem ("file not found", the reader's reason).
TThumbnail MakeBitmapThumbnail(const std::filesystem::path& file, int side);

class ThumbnailCache {
public:
  explicit ThumbnailCache(std::filesystem::path directory) : directory_(std::move(directory)) {}
  // $XDG_CACHE_HOME/Brannock/thumbnails, else $HOME/.cache/Brannock/thumbnails.
  static std::filesystem::path DefaultDirectory();
  const std::filesystem::path& Directory() const { return directory_; }

  // The key of a file's thumbnail of that side: its path, size and modification time
  // (and `extra`, for what else the picture depends on). Empty when the file is missing.
  static std::string Key(const std::filesystem::path& file, int side, const std::string& extra = {});
  std::optional<TThumbnail> Load(const std::string& key) const;
  // Best effort: a cache that cannot be written only makes the next start slower.
  void Store(const std::string& key, const TThumbnail& thumbnail) const;

  // A bitmap's thumbnail from the cache, or made and stored.
  TThumbnail BitmapThumbnail(const std::filesystem::path& file, int side, bool* fromCache = nullptr) const;

private:
  std::filesystem::path directory_;
};

// One thread that makes bitmap thumbnails in the order asked. `ready` runs on the
// worker thread whenever results are waiting; TakeResults hands them over.
class ThumbnailWorker {
public:
  using Ready = std::function<void()>;
  ThumbnailWorker(ThumbnailCache cache, int side, Ready ready = {});
  ~ThumbnailWorker();
  ThumbnailWorker(const ThumbnailWorker&) = delete;
  ThumbnailWorker& operator=(const ThumbnailWorker&) = delete;

  void Request(std::uint64_t id, std::filesystem::path file);
  // Drops what was asked and not yet begun.
  void CancelPending();
  struct Result {
    std::uint64_t id = 0;
    TThumbnail thumbnail;
    bool fromCache = false;
  };
  std::vector<Result> TakeResults();
  // Nothing asked, under way or waiting to be taken.
  bool Idle() const;

private:
  void Run();

  struct Job {
    std::uint64_t id;
    std::filesystem::path file;
  };
  const ThumbnailCache cache_;
  const int side_;
  const Ready ready_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Job> jobs_;
  std::vector<Result> results_;
  bool busy_ = false;
  bool stop_ = false;
  std::thread thread_;
};
