// `brannock-tool bake` as a process: the light maps it writes are the ones the editor
// computes, and --compare reports the rendered test's differences.

#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

#include "core/headless_host.h"
#include "engine/edit_engine.h"
#include "room/edit_room.h"
#include "surfaces/cpu_occlusion.h"
#include "surfaces/light_map.h"
#include "tool/tool_runner.h"

namespace fs = std::filesystem;

namespace {

class BakeCommand : public ::testing::Test {
protected:
  BakeCommand() : dir_(fs::temp_directory_path() / ("brannock-bake-" + std::to_string(::getpid()))) {
    fs::create_directories(dir_);
    engine_.Room->InitRoom();
  }
  ~BakeCommand() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  ToolRun Tool(const std::string& args) { return RunTool(args, dir_ / "stderr.txt"); }

  // A floor under a slab, lit by two lights; saved with black light maps.
  void WriteRoom(const std::string& name) {
    TRoom& room = *engine_.Room;
    room.AddSurface({-2, 0, -2}, {2, 0, -2}, {2, 0, 2}, {-2, 0, 2}, "textures\\floor");
    room.AddSurface({-1, 1, -1}, {0, 1, -1}, {0, 1, 0}, {-1, 1, 0}, "textures\\slab");
    room.AddLight({0, 2.5f, 0}, {1, 1, 1}, 5.0f);
    room.AddLight({1.5f, 0.5f, 1.5f}, {0, 0, 1}, 2.0f);
    ASSERT_TRUE(room.SaveToFile(Path(name)));
  }

  std::vector<std::vector<std::uint8_t>> LightMaps(TRoom& room) const {
    std::vector<std::vector<std::uint8_t>> maps;
    for (const auto& s : room.Surfaces) {
      if (s->InUse()) maps.emplace_back(s->lightMapPixels.begin(), s->lightMapPixels.begin() + static_cast<long>(s->LightMapSize()));
    }
    return maps;
  }

  fs::path dir_;
  HeadlessHost host_;
  TQZEngine engine_{host_, BRANNOCK_SAMPLE_DIR};
};

TEST_F(BakeCommand, WritesTheLightMapsTheEditorComputes) {
  WriteRoom("in.rer");
  const ToolRun run = Tool("bake " + Path("in.rer") + " " + Path("out.rer") + " --threads 2");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("cpu: 2 surfaces"), std::string::npos) << run.out;
  // Into a pipe, progress is a line per surface rather than a redrawn bar.
  EXPECT_NE(run.out.find("\nsurface 1/2\nsurface 2/2\n"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find('\r'), std::string::npos) << run.out;

  TRoom& room = *engine_.Room;
  host_.Memory(FormId::Main).SetChecked("CBLightMapCompute", true);
  CpuOcclusion occlusion(room);
  for (const auto& s : room.Surfaces) {
    if (s->InUse()) ComputeLightMap(room, *s, &occlusion, 1);
  }
  const auto expected = LightMaps(room);
  ASSERT_TRUE(room.LoadFromFile(Path("out.rer")));
  EXPECT_EQ(LightMaps(room), expected);
  // Lit and shadowed texels both occur.
  const auto& floor = expected[0];
  EXPECT_NE(std::count(floor.begin(), floor.end(), 0), 0);
  EXPECT_NE(std::count_if(floor.begin(), floor.end(), [](std::uint8_t v) { return v > 100; }), 0);
}

TEST_F(BakeCommand, CompareReportsTheTexelsWhereTheRenderedTestDiffers) {
  WriteRoom("in.rer");
  for (const char* options : {"", " --occlusion literal --view 641x481"}) {
    const ToolRun run = Tool("bake " + Path("in.rer") + " " + Path("out.rer") + " --compare" + options);
    if (run.status != 0 && run.err.find("not available") != std::string::npos) GTEST_SKIP() << run.err;
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("gl: 2 surfaces"), std::string::npos) << run.out;
    // 16 x 16 floor and 4 x 4 slab texels.
    EXPECT_NE(run.out.find(" of 272 texels differ"), std::string::npos) << run.out;
  }
}

// A far light whose texels the literal rule leaves black, on panels of even and odd size.
TEST_F(BakeCommand, TheShadowRuleAndViewSizeAreChosenOnTheCommandLine) {
  engine_.Room->AddLight({20, 5, 10}, {0, 1, 0}, 30.0f);
  WriteRoom("in.rer");
  TRoom& room = *engine_.Room;
  host_.Memory(FormId::Main).SetChecked("CBLightMapCompute", true);
  std::vector<std::vector<std::uint8_t>> exact;
  for (const auto& [rule, word] : {std::pair{OcclusionRule::Exact, ""}, {OcclusionRule::Literal, " --occlusion literal"}}) {
    for (const ShadowView view : {ShadowView{640, 480}, ShadowView{641, 481}}) {
      const std::string size = std::to_string(view.width) + "x" + std::to_string(view.height);
      SCOPED_TRACE(size + word);
      const ToolRun run = Tool("bake " + Path("in.rer") + " " + Path("out.rer") + word + " --view " + size);
      ASSERT_EQ(run.status, 0) << run.err;
      ASSERT_TRUE(room.LoadFromFile(Path("in.rer")));
      CpuOcclusion occlusion(room, view);
      occlusion.Rule = rule;
      for (const auto& s : room.Surfaces) {
        if (s->InUse()) ComputeLightMap(room, *s, &occlusion, 1);
      }
      const auto expected = LightMaps(room);
      ASSERT_TRUE(room.LoadFromFile(Path("out.rer")));
      EXPECT_EQ(LightMaps(room), expected);
      if (rule == OcclusionRule::Exact) exact = expected;
    }
  }
  // The far light's green reaches the floor under the exact rule only.
  const auto green = [](const std::vector<std::uint8_t>& map) {
    int sum = 0;
    for (std::size_t i = 1; i < map.size(); i += 3) sum += map[i];
    return sum;
  };
  EXPECT_GT(green(exact[0]), green(LightMaps(room)[0]));
}

TEST_F(BakeCommand, UnknownMethodsRulesViewsAndUnreadableRoomsFail) {
  WriteRoom("in.rer");
  EXPECT_NE(Tool("bake " + Path("in.rer") + " " + Path("out.rer") + " --method magic").status, 0);
  EXPECT_NE(Tool("bake " + Path("in.rer") + " " + Path("out.rer") + " --occlusion loose").status, 0);
  for (const char* view : {"0x480", "640", "640x", "x480", "640x480x2", "5000x480", "-640x480"})
    EXPECT_NE(Tool("bake " + Path("in.rer") + " " + Path("out.rer") + " --view " + view).status, 0) << view;
  const ToolRun missing = Tool("bake " + Path("none.rer") + " " + Path("out.rer"));
  EXPECT_NE(missing.status, 0);
  EXPECT_FALSE(fs::exists(Path("out.rer")));
}

}  // namespace
