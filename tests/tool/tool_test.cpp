// brannock-tool driven as a designer's build pipeline would: real processes, real files.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <unistd.h>

#include "tool/tool_runner.h"

namespace fs = std::filesystem;

namespace {

class ToolTest : public ::testing::Test {
protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("brannock-tool-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  ToolRun Tool(const std::string& args) { return RunTool(args, dir_ / "stderr.txt"); }

  static std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  static void Spill(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  fs::path dir_;
};

TEST_F(ToolTest, NewRoomIsTheEmptyLayoutAndSurvivesResave) {
  const ToolRun made = Tool("new " + Path("new.rer"));
  ASSERT_EQ(made.status, 0) << made.err;
  const std::string bytes = Slurp(Path("new.rer"));
  ASSERT_EQ(bytes.size(), 52161u);
  EXPECT_EQ(bytes.substr(0, 25), "Vorla?! (C)Zel Games 2003");
  EXPECT_EQ(bytes.substr(96, 5), std::string("\x04ROOM", 5));
  EXPECT_EQ(bytes.substr(52155), std::string(6, '\0')) << "three counts of zero end a new room";

  const ToolRun resaved = Tool("resave " + Path("new.rer") + " " + Path("again.rer"));
  ASSERT_EQ(resaved.status, 0) << resaved.err;
  EXPECT_EQ(Slurp(Path("again.rer")), bytes);
}

TEST_F(ToolTest, PathsOnTheCommandLineAreTakenAsSpelled) {
  Spill(Path("cave.rer"), "someone else's file");
  ASSERT_EQ(Tool("new " + Path("Cave.rer")).status, 0);
  EXPECT_EQ(Slurp(Path("cave.rer")), "someone else's file");
  EXPECT_EQ(Slurp(Path("Cave.rer")).size(), 52161u);

  ASSERT_EQ(Tool("new '" + Path("rooms\\cave.rer") + "'").status, 0);
  EXPECT_EQ(Slurp(Path("rooms\\cave.rer")).size(), 52161u) << "a backslash is part of the name";
  EXPECT_FALSE(fs::exists(Path("rooms")));

  const ToolRun run = Tool("dump " + Path("CAVE.rer"));
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.err.find("QZ_FILE: File \"" + Path("CAVE.rer") + " not found!"), std::string::npos) << run.err;
}

TEST_F(ToolTest, DumpIsJsonWithEveryPart) {
  ASSERT_EQ(Tool("new " + Path("new.rer")).status, 0);
  const ToolRun dumped = Tool("dump " + Path("new.rer"));
  ASSERT_EQ(dumped.status, 0) << dumped.err;
  const auto json = nlohmann::json::parse(dumped.out);
  EXPECT_EQ(json["room"]["Name"], "ROOM");
  EXPECT_EQ(json["room"]["WaterToX"], 60);
  EXPECT_EQ(json["room"]["LightPos"][1].get<float>(), 0.7f) << "floats read back to the same float32";
  ASSERT_EQ(json["fields"].size(), 3600u);
  EXPECT_EQ(json["fields"][0], nlohmann::json::parse("[0, 0, 0.0, 10.0]"));
  EXPECT_TRUE(json["lights"].empty());
  EXPECT_TRUE(json["entities"].empty());
  EXPECT_TRUE(json["surfaces"].empty());
}

TEST_F(ToolTest, DamagedFilesAreReportedWithAFailingStatus) {
  ASSERT_EQ(Tool("new " + Path("new.rer")).status, 0);
  const std::string good = Slurp(Path("new.rer"));

  Spill(Path("cut.rer"), good.substr(0, 9000));
  ToolRun run = Tool("check " + Path("cut.rer"));
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.err.find("QZ_ROOM: Error while loading room file!"), std::string::npos) << run.err;

  std::string hostile = good;
  hostile[52155] = '\xFF';  // light count -1
  hostile[52156] = '\xFF';
  Spill(Path("hostile.rer"), hostile);
  run = Tool("dump " + Path("hostile.rer"));
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.err.find("QZ_ROOM: Error while loading room file!"), std::string::npos) << run.err;
  EXPECT_TRUE(nlohmann::json::accept(run.out)) << "a partial room is still dumped";

  run = Tool("resave " + Path("cut.rer") + " " + Path("out.rer"));
  EXPECT_NE(run.status, 0);
  EXPECT_FALSE(fs::exists(Path("out.rer"))) << "a partial load is not written anywhere";

  run = Tool("check " + Path("missing.rer"));
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.err.find("QZ_FILE: File \""), std::string::npos) << run.err;
}

TEST_F(ToolTest, CheckFindsValuesTheGameWouldTripOver) {
  ASSERT_EQ(Tool("new " + Path("new.rer")).status, 0);
  std::string bytes = Slurp(Path("new.rer"));
  EXPECT_EQ(Tool("check " + Path("new.rer")).status, 0);

  // Fog density (offset 441) as NaN, and the first field's typus far past the list.
  const std::string nan("\x00\x00\xC0\x7F", 4);
  bytes.replace(441, 4, nan);
  bytes[8955] = '\x63';
  Spill(Path("odd.rer"), bytes);
  const ToolRun run = Tool("check " + Path("odd.rer"));
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.err.find("FogDensity is not a finite number"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("field 0,0: Typus 99 is not an entry of [FIELD_TYPUS]"), std::string::npos) << run.err;
}

TEST_F(ToolTest, ASaveThatCannotBeWrittenLeavesTheOldFile) {
  ASSERT_EQ(Tool("new " + Path("new.rer")).status, 0);
  // A directory in place of the output file: the rename over it must fail.
  fs::create_directories(Path("blocked.rer"));
  const ToolRun run = Tool("resave " + Path("new.rer") + " " + Path("blocked.rer"));
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.err.find("QZ_ROOM: "), std::string::npos) << run.err;
  EXPECT_TRUE(fs::is_directory(Path("blocked.rer")));
  for (const auto& entry : fs::directory_iterator(dir_))
    EXPECT_EQ(entry.path().filename().string().find("blocked.rer."), std::string::npos) << "no temporary file left";
}

}  // namespace
