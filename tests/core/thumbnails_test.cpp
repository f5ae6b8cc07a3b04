// The browsers' thumbnails: scaled by the mean of the pixels they cover, cached under
// the file's path, size and modification time, and made on the worker thread in order.
#include "core/thumbnails.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "core/bmp_file.h"

namespace {

namespace fs = std::filesystem;

class Thumbnails : public ::testing::Test {
protected:
  Thumbnails() : directory(fs::temp_directory_path() / ("brannock-thumbs-" + std::to_string(::getpid()))) {
    fs::remove_all(directory);
    fs::create_directories(directory / "textures");
  }
  ~Thumbnails() override { fs::remove_all(directory); }

  fs::path Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const fs::path path = directory / "textures" / name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return path;
  }

  static TBmpImage Plain(int width, int height, std::uint8_t value) {
    return {width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width * height) * 3, value)};
  }

  fs::path directory;
};

TEST_F(Thumbnails, AThumbnailIsTheMeanOfThePixelsItCoversAndKeepsTheProportions) {
  TBmpImage image = Plain(4, 2, 0);
  // The left half black, the right half 200, 100, 50.
  for (int y = 0; y < 2; ++y)
    for (int x = 2; x < 4; ++x) {
      std::uint8_t* p = &image.rgb[static_cast<std::size_t>(y * 4 + x) * 3];
      p[0] = 200, p[1] = 100, p[2] = 50;
    }
  const TThumbnail small = ScaleToThumbnail(image, 2);
  EXPECT_EQ(small.sourceWidth, 4);
  EXPECT_EQ(small.width, 2);
  EXPECT_EQ(small.height, 1);
  EXPECT_EQ(small.rgb, (std::vector<std::uint8_t>{0, 0, 0, 200, 100, 50}));
  const TThumbnail single = ScaleToThumbnail(image, 1);
  EXPECT_EQ(single.rgb, (std::vector<std::uint8_t>{100, 50, 25}));
  EXPECT_EQ(ScaleToThumbnail(image, 64).rgb, image.rgb) << "a small picture stays as it is";
}

TEST_F(Thumbnails, MissingAndDamagedBitmapsSayWhy) {
  EXPECT_EQ(MakeBitmapThumbnail(directory / "none.bmp", 64).problem, "file not found");
  const auto damaged = Write("damaged.bmp", {'B', 'M', 1, 2, 3});
  EXPECT_EQ(MakeBitmapThumbnail(damaged, 64).problem, "bitmap header cut short");
  const auto sound = Write("sound.bmp", EncodeBmp(Plain(128, 64, 9)));
  const TThumbnail thumbnail = MakeBitmapThumbnail(sound, 64);
  EXPECT_TRUE(thumbnail.Readable());
  EXPECT_EQ(thumbnail.width, 64);
  EXPECT_EQ(thumbnail.height, 32);
}

TEST_F(Thumbnails, TheCacheKeepsAThumbnailUntilTheFileChanges) {
  const ThumbnailCache cache(directory / "cache");
  const auto file = Write("wall.bmp", EncodeBmp(Plain(8, 8, 40)));
  bool fromCache = true;
  const TThumbnail first = cache.BitmapThumbnail(file, 4, &fromCache);
  EXPECT_FALSE(fromCache);
  const TThumbnail second = cache.BitmapThumbnail(file, 4, &fromCache);
  EXPECT_TRUE(fromCache);
  EXPECT_EQ(second.rgb, first.rgb);
  EXPECT_EQ(second.sourceWidth, 8);
  EXPECT_NE(ThumbnailCache::Key(file, 4), ThumbnailCache::Key(file, 8)) << "the side is part of the key";

  // Rewritten with another size and a later time: read again.
  Write("wall.bmp", EncodeBmp(Plain(16, 16, 90)));
  fs::last_write_time(file, fs::last_write_time(file) + std::chrono::seconds(5));
  const TThumbnail third = cache.BitmapThumbnail(file, 4, &fromCache);
  EXPECT_FALSE(fromCache);
  EXPECT_EQ(third.sourceWidth, 16);
  EXPECT_EQ(third.rgb[0], 90);

  // A damaged cache file is made again, never trusted.
  for (const auto& entry : fs::directory_iterator(directory / "cache")) {
    std::ofstream(entry.path(), std::ios::binary | std::ios::trunc) << "BRTH";
  }
  EXPECT_EQ(cache.BitmapThumbnail(file, 4, &fromCache).rgb, third.rgb);
  EXPECT_FALSE(fromCache);
}

TEST_F(Thumbnails, TheDefaultCacheLiesInTheUsersCacheDirectory) {
  const char* old = std::getenv("XDG_CACHE_HOME");
  const std::string kept = old ? old : "";
  ::setenv("XDG_CACHE_HOME", "/somewhere/cache", 1);
  EXPECT_EQ(ThumbnailCache::DefaultDirectory(), fs::path("/somewhere/cache/Brannock/thumbnails"));
  ::setenv("XDG_CACHE_HOME", "relative", 1);  // not absolute: the base directory rules say to ignore it
  EXPECT_EQ(ThumbnailCache::DefaultDirectory(), fs::path(std::getenv("HOME")) / ".cache/Brannock/thumbnails");
  if (old) ::setenv("XDG_CACHE_HOME", kept.c_str(), 1);
  else ::unsetenv("XDG_CACHE_HOME");
}

TEST_F(Thumbnails, TheWorkerMakesEveryThumbnailAskedAndTellsWhenTheyWait) {
  std::vector<fs::path> files;
  for (int i = 0; i < 20; ++i)
    files.push_back(Write("t" + std::to_string(i) + ".bmp", EncodeBmp(Plain(32, 32, static_cast<std::uint8_t>(i)))));
  files.push_back(directory / "textures" / "missing.bmp");
  std::atomic<int> calls{0};
  std::vector<ThumbnailWorker::Result> results;
  {
    ThumbnailWorker worker(ThumbnailCache(directory / "cache"), 16, [&] { ++calls; });
    for (std::size_t i = 0; i < files.size(); ++i) worker.Request(i, files[i]);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (results.size() < files.size() && std::chrono::steady_clock::now() < deadline) {
      for (auto& result : worker.TakeResults()) results.push_back(std::move(result));
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_TRUE(worker.Idle());
  }
  ASSERT_EQ(results.size(), files.size());
  EXPECT_GE(calls.load(), 1);
  for (std::size_t i = 0; i < results.size(); ++i) {
    EXPECT_EQ(results[i].id, i) << "in the order asked";
    if (i < 20) {
      EXPECT_EQ(results[i].thumbnail.width, 16);
      EXPECT_EQ(results[i].thumbnail.rgb[0], i);
    }
  }
  EXPECT_EQ(results.back().thumbnail.problem, "file not found");

  // A worker that is dropped with work still asked stops at once.
  ThumbnailWorker busy(ThumbnailCache(directory / "cache"), 16);
  for (int round = 0; round < 50; ++round)
    for (std::size_t i = 0; i < files.size(); ++i) busy.Request(i, files[i]);
}

}  // namespace
