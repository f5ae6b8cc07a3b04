#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "core/file_system.h"
#include "support/temp_game_dir.h"

namespace {

namespace stdfs = std::filesystem;

std::string Contents(const stdfs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

stdfs::perms Permissions(const stdfs::path& path) { return stdfs::status(path).permissions(); }

class FileSystem : public ::testing::Test {
protected:
  FileSystem() { dir.Write("cave.rer", "old"); }
  stdfs::path At(const std::string& name) const { return stdfs::path(dir.Path()) / name; }

  TempGameDir dir;
};

TEST_F(FileSystem, GamePathsFallBackToAnyCaseButHostPathsAreTakenAsSpelled) {
  const std::string game = dir.Path() + "\\CAVE.rer";
  EXPECT_TRUE(fs_layer::FileExists(game));
  EXPECT_EQ(fs_layer::ReadFile(game, 100), Bytes("old"));

  const std::string host = At("Cave.rer").string();
  EXPECT_FALSE(fs_layer::HostFileExists(host));
  EXPECT_FALSE(fs_layer::ReadHostFile(host, 100));
  EXPECT_TRUE(fs_layer::HostFileExists(At("cave.rer").string()));
}

TEST_F(FileSystem, AHostPathIsWrittenAsSpelledAndNeverOverAnotherFile) {
  ASSERT_FALSE(fs_layer::WriteHostFileAtomic(At("Cave.rer").string(), Bytes("new")));
  EXPECT_EQ(Contents(At("cave.rer")), "old");
  EXPECT_EQ(Contents(At("Cave.rer")), "new");

  // A backslash is a character of the name, not a folder.
  ASSERT_FALSE(fs_layer::WriteHostFileAtomic(At("rooms\\cave.rer").string(), Bytes("slash")));
  EXPECT_EQ(Contents(At("rooms\\cave.rer")), "slash");
  EXPECT_FALSE(stdfs::exists(At("rooms")));
}

TEST_F(FileSystem, AReplacedFileKeepsItsPermissionsAndANewOneGetsTheUsualOnes) {
  stdfs::permissions(At("cave.rer"), stdfs::perms::owner_read | stdfs::perms::owner_write | stdfs::perms::group_read);
  ASSERT_FALSE(fs_layer::WriteHostFileAtomic(At("cave.rer").string(), Bytes("new")));
  EXPECT_EQ(Contents(At("cave.rer")), "new");
  EXPECT_EQ(Permissions(At("cave.rer")), stdfs::perms::owner_read | stdfs::perms::owner_write | stdfs::perms::group_read);

  const mode_t mask = ::umask(0);
  ::umask(mask);
  ASSERT_FALSE(fs_layer::WriteHostFileAtomic(At("fresh.rer").string(), Bytes("new")));
  EXPECT_EQ(static_cast<mode_t>(Permissions(At("fresh.rer"))), 0666 & ~mask);
}

TEST_F(FileSystem, WritingThroughALinkReplacesTheFileItNames) {
  stdfs::create_symlink(At("cave.rer"), At("link.rer"));
  ASSERT_FALSE(fs_layer::WriteHostFileAtomic(At("link.rer").string(), Bytes("new")));
  EXPECT_TRUE(stdfs::is_symlink(At("link.rer")));
  EXPECT_EQ(Contents(At("cave.rer")), "new");
}

}  // namespace
