#include "core/thumbnails.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sys/resource.h>
#include <unistd.h>
#include <utility>

#include "core/binary_io.h"
#include "core/bmp_file.h"
#include "core/file_system.h"
#include "core/sha256.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t MaxBitmapBytes = std::size_t{256} << 20;
constexpr std::uint32_t CacheMagic = 0x48545242;  // "BRTH"
constexpr std::uint32_t CacheVersion = 1;
constexpr int MaxSide = 1024;

}  // namespace

TThumbnail ScaleToThumbnail(const TBmpImage& image, int side) {
  TThumbnail thumbnail;
  thumbnail.sourceWidth = image.width;
  thumbnail.sourceHeight = image.height;
  side = std::clamp(side, 1, MaxSide);
  const int longest = std::max(image.width, image.height);
  if (image.width < 1 || image.height < 1 ||
      image.rgb.size() < static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 3) {
    thumbnail.problem = "empty picture";
    return thumbnail;
  }
  if (longest <= side) {
    thumbnail.width = image.width;
    thumbnail.height = image.height;
    thumbnail.rgb = image.rgb;
    return thumbnail;
  }
  thumbnail.width = std::max(1, static_cast<int>(static_cast<std::int64_t>(image.width) * side / longest));
  thumbnail.height = std::max(1, static_cast<int>(static_cast<std::int64_t>(image.height) * side / longest));
  thumbnail.rgb.resize(static_cast<std::size_t>(thumbnail.width) * static_cast<std::size_t>(thumbnail.height) * 3);
  const auto sourceWidth = static_cast<std::size_t>(image.width);
  for (int ty = 0; ty < thumbnail.height; ++ty) {
    const int y0 = static_cast<int>(static_cast<std::int64_t>(ty) * image.height / thumbnail.height);
    const int y1 = std::max(y0 + 1, static_cast<int>(static_cast<std::int64_t>(ty + 1) * image.height / thumbnail.height));
    for (int tx = 0; tx < thumbnail.width; ++tx) {
      const int x0 = static_cast<int>(static_cast<std::int64_t>(tx) * image.width / thumbnail.width);
      const int x1 = std::max(x0 + 1, static_cast<int>(static_cast<std::int64_t>(tx + 1) * image.width / thumbnail.width));
      std::uint64_t sum[3] = {0, 0, 0};
      for (int y = y0; y < y1; ++y) {
        const std::uint8_t* row = &image.rgb[(static_cast<std::size_t>(y) * sourceWidth + static_cast<std::size_t>(x0)) * 3];
        for (int x = x0; x < x1; ++x, row += 3)
          for (int c = 0; c < 3; ++c) sum[c] += row[c];
      }
      const auto count = static_cast<std::uint64_t>(x1 - x0) * static_cast<std::uint64_t>(y1 - y0);
      std::uint8_t* out = &thumbnail.rgb[(static_cast<std::size_t>(ty) * static_cast<std::size_t>(thumbnail.width) +
                                          static_cast<std::size_t>(tx)) * 3];
      for (int c = 0; c < 3; ++c) out[c] = static_cast<std::uint8_t>((sum[c] + count / 2) / count);
    }
  }
  return thumbnail;
}

static TThumbnail Problem(std::string why) {
  TThumbnail thumbnail;
  thumbnail.problem = std::move(why);
  return thumbnail;
}

TThumbnail MakeBitmapThumbnail(const std::filesystem::path& file, int side) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return Problem("file not found");
  const auto bytes = fs_layer::ReadHostFile(file.string(), MaxBitmapBytes);
  if (!bytes) return Problem("cannot read the file");
  std::string why;
  const auto image = DecodeBmp(*bytes, &why);
  if (!image) return Problem(why);
  return ScaleToThumbnail(*image, side);
}

std::filesystem::path ThumbnailCache::DefaultDirectory() {
  const char* cache = std::getenv("XDG_CACHE_HOME");
  std::filesystem::path base;
  if (cache && *cache && std::filesystem::path(cache).is_absolute()) {
    base = cache;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    base = std::filesystem::path(home) / ".cache";
  } else {
    base = std::filesystem::temp_directory_path();
  }
  return base / "Brannock" / "thumbnails";
}

std::string ThumbnailCache::Key(const std::filesystem::path& file, int side, const std::string& extra) {
  std::error_code error;
  const auto absolute = std::filesystem::absolute(file, error);
  const auto size = std::filesystem::file_size(file, error);
  if (error) return {};
  const auto time = std::filesystem::last_write_time(file, error);
  if (error) return {};
  const std::string text = absolute.string() + '\n' + std::to_string(size) + '\n' +
                           std::to_string(time.time_since_epoch().count()) + '\n' + std::to_string(side) + '\n' +
                           std::to_string(CacheVersion) + '\n' + extra;
  return Sha256Hex({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

std::optional<TThumbnail> ThumbnailCache::Load(const std::string& key) const {
  if (key.empty()) return std::nullopt;
  const auto bytes = fs_layer::ReadHostFile((directory_ / (key + ".thumb")).string(), 16u << 20);
  if (!bytes) return std::nullopt;
  try {
    BinaryReader in(*bytes);
    if (in.ReadU32() != CacheMagic || in.ReadU32() != CacheVersion) return std::nullopt;
    TThumbnail thumbnail;
    thumbnail.sourceWidth = in.ReadI32();
    thumbnail.sourceHeight = in.ReadI32();
    thumbnail.width = in.ReadI32();
    thumbnail.height = in.ReadI32();
    const std::uint32_t problemLength = in.ReadU32();
    if (problemLength > in.Remaining()) return std::nullopt;
    thumbnail.problem.resize(problemLength);
    in.ReadBytes({reinterpret_cast<std::uint8_t*>(thumbnail.problem.data()), problemLength});
    if (thumbnail.width < 0 || thumbnail.height < 0 || thumbnail.width > MaxSide || thumbnail.height > MaxSide)
      return std::nullopt;
    const std::size_t pixels = static_cast<std::size_t>(thumbnail.width) * static_cast<std::size_t>(thumbnail.height) * 3;
    if (in.Remaining() != pixels) return std::nullopt;
    thumbnail.rgb.resize(pixels);
    in.ReadBytes(thumbnail.rgb);
    return thumbnail;
  } catch (const ReadError&) {
    return std::nullopt;
  }
}

void ThumbnailCache::Store(const std::string& key, const TThumbnail& thumbnail) const {
  if (key.empty()) return;
  std::error_code error;
  std::filesystem::create_directories(directory_, error);
  if (error) return;
  BinaryWriter out;
  out.WriteU32(CacheMagic);
  out.WriteU32(CacheVersion);
  out.WriteI32(thumbnail.sourceWidth);
  out.WriteI32(thumbnail.sourceHeight);
  out.WriteI32(thumbnail.width);
  out.WriteI32(thumbnail.height);
  out.WriteU32(static_cast<std::uint32_t>(thumbnail.problem.size()));
  out.WriteBytes({reinterpret_cast<const std::uint8_t*>(thumbnail.problem.data()), thumbnail.problem.size()});
  out.WriteBytes(thumbnail.rgb);
  // Written beside and renamed over, so a reader never sees half a file; not synced to
  // the disk (a thumbnail lost to a crash is only made again).
  const fs::path target = directory_ / (key + ".thumb");
  fs::path partial = target;
  partial += ".part" + std::to_string(std::hash<std::thread::id>{}(std::this_thread::get_id()));
  {
    std::ofstream file(partial, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(out.Bytes().data()), static_cast<std::streamsize>(out.Bytes().size()));
    if (!file) {
      file.close();
      fs::remove(partial, error);
      return;
    }
  }
  fs::rename(partial, target, error);
  if (error) fs::remove(partial, error);
}

TThumbnail ThumbnailCache::BitmapThumbnail(const std::filesystem::path& file, int side, bool* fromCache) const {
  const std::string key = Key(file, side);
  if (auto cached = Load(key)) {
    if (fromCache) *fromCache = true;
    return std::move(*cached);
  }
  if (fromCache) *fromCache = false;
  TThumbnail thumbnail = MakeBitmapThumbnail(file, side);
  Store(key, thumbnail);  // a damaged file's reason is kept too, until the file changes
  return thumbnail;
}

ThumbnailWorker::ThumbnailWorker(ThumbnailCache cache, int side, Ready ready)
    : cache_(std::move(cache)), side_(side), ready_(std::move(ready)), thread_([this] { Run(); }) {}

ThumbnailWorker::~ThumbnailWorker() {
  {
    const std::lock_guard lock(mutex_);
    stop_ = true;
    jobs_.clear();
  }
  wake_.notify_all();
  thread_.join();
}

void ThumbnailWorker::Request(std::uint64_t id, std::filesystem::path file) {
  {
    const std::lock_guard lock(mutex_);
    jobs_.push_back({id, std::move(file)});
  }
  wake_.notify_one();
}

void ThumbnailWorker::CancelPending() {
  const std::lock_guard lock(mutex_);
  jobs_.clear();
}

std::vector<ThumbnailWorker::Result> ThumbnailWorker::TakeResults() {
  const std::lock_guard lock(mutex_);
  return std::exchange(results_, {});
}

bool ThumbnailWorker::Idle() const {
  const std::lock_guard lock(mutex_);
  return jobs_.empty() && !busy_ && results_.empty();
}

void ThumbnailWorker::Run() {
  // Below the window's thread and the rasteriser's: the thumbnails wait, the frames do not.
  setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), 19);
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return stop_ || !jobs_.empty(); });
    if (stop_) return;
    Job job = std::move(jobs_.front());
    jobs_.pop_front();
    busy_ = true;
    lock.unlock();
    Result result{job.id, {}, false};
    result.thumbnail = cache_.BitmapThumbnail(job.file, side_, &result.fromCache);
    lock.lock();
    busy_ = false;
    const bool first = results_.empty();
    results_.push_back(std::move(result));
    // One call per batch: the window takes everything waiting at once.
    if (first && ready_) {
      lock.unlock();
      ready_();
      lock.lock();
    }
  }
}
