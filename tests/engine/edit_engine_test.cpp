#include "engine/edit_engine.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/headless_host.h"
#include "room/edit_room.h"
#include "support/temp_game_dir.h"

namespace {

// Every start-up, frame and shut-down hook writes its name into one log.
struct HookLog {
  std::vector<std::string> calls;

  EngineHooks Hooks() {
    EngineHooks hooks;
    hooks.CreateGLContext = [this] { calls.push_back("CreateGLContext"); };
    hooks.RenderFrame = [this] { calls.push_back("RenderFrame"); };
    hooks.ShutdownGL = [this] { calls.push_back("ShutdownGL"); };
    hooks.SetStartupTimer = [this](bool on) { calls.push_back(on ? "StartupTimer on" : "StartupTimer off"); };
    hooks.SetFrameTimer = [this](bool on) { calls.push_back(on ? "FrameTimer on" : "FrameTimer off"); };
    hooks.SetFileDialogDirectory = [this](const std::string& dir) { calls.push_back("FileDialog " + dir); };
    return hooks;
  }
};

std::string GameSpelling(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

}  // namespace

TEST(EditEngine, DirectoryTableFollowsTheWorkingDirectory) {
  HeadlessHost host;
  TQZEngine engine(host, "/games/bog/");
  EXPECT_EQ(engine.BaseDir.str(), "\\games\\bog\\") << "one trailing backslash, never two";
  TQZEngine other(host, "/srv/editor");
  EXPECT_EQ(other.BaseDir.str(), "\\srv\\editor\\");
  EXPECT_EQ(other.ArtDir.str(), "\\srv\\editor\\art\\");
  EXPECT_EQ(other.HeightMapDir.str(), "\\srv\\editor\\art\\world\\heightmap\\");
  EXPECT_EQ(other.DataDir.str(), "\\srv\\editor\\data\\");
  EXPECT_EQ(other.ModelDir.str(), "\\srv\\editor\\data\\model\\");
  EXPECT_EQ(other.ModelWorldDir.str(), "\\srv\\editor\\data\\model\\world\\");
  EXPECT_EQ(other.WorldDir.str(), "\\srv\\editor\\data\\world\\");
  EXPECT_EQ(other.RoomDir.str(), "\\srv\\editor\\data\\world\\room\\");
  EXPECT_EQ(other.MusicDir.str(), "\\srv\\editor\\music\\");
  EXPECT_EQ(other.SoundDir.str(), "\\srv\\editor\\sound\\");
}

TEST(EditEngine, ConstructionPointsTheFileDialogsAtTheRoomDirectory) {
  HeadlessHost host;
  HookLog log;
  TQZEngine engine(host, "/w", log.Hooks());
  ASSERT_NE(engine.Room, nullptr);
  ASSERT_NE(engine.ModelEngine, nullptr);
  EXPECT_EQ(log.calls, std::vector<std::string>{"FileDialog \\w\\data\\world\\room\\"});
}

TEST(EditEngine, CheckFileReportsTheGamePath) {
  TempGameDir dir;
  dir.Write("present.ini", "x");
  HeadlessHost host;
  TQZEngine engine(host, dir.Path());
  EXPECT_TRUE(engine.CheckFile(engine.BaseDir.str() + "PRESENT.ini", true));
  EXPECT_FALSE(engine.CheckFile(engine.BaseDir.str() + "absent.ini", false));
  EXPECT_TRUE(host.errors.empty()) << "no report when report is false";

  const std::string missing = engine.BaseDir.str() + "absent.ini";
  EXPECT_FALSE(engine.CheckFile(missing, true));
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_EQ(host.errors[0].Full(), "QZ_FILE: File \"" + missing + " not found!");
  EXPECT_FALSE(engine.CheckFile(engine.BaseDir.str(), false)) << "a directory is not a file";
}

TEST(EditEngine, StartUpRunsItsStepsInOrderOnce) {
  TempGameDir dir;
  HeadlessHost host;
  HookLog log;
  TQZEngine engine(host, dir.Path(), log.Hooks());
  log.calls.clear();
  engine.StartUp();
  EXPECT_EQ(log.calls, (std::vector<std::string>{"StartupTimer off", "CreateGLContext", "FrameTimer on"}));

  // editor.ini, variable.ini and enemy.ini are missing: reported in reading order, and the
  // start-up still goes on to the GL context, the models and the room.
  std::vector<std::string> files;
  for (const auto& error : host.errors)
    if (error.tag == "QZ_FILE") files.push_back(error.text);
  const std::string base = GameSpelling(dir.Path()) + "\\";
  ASSERT_GE(files.size(), 3u);
  EXPECT_EQ(files[0], "File \"" + base + "editor.ini not found!");
  EXPECT_EQ(files[1], "File \"" + base + "variable.ini not found!");
  EXPECT_EQ(files[2], "File \"" + base + "enemy.ini not found!");
  EXPECT_EQ(engine.Variables[200].Name.str(), " ");

  log.calls.clear();
  host.errors.clear();
  engine.StartUp();
  EXPECT_TRUE(log.calls.empty()) << "start-up happens once";
  EXPECT_TRUE(host.errors.empty());
}

TEST(EditEngine, FrameStepsTheRoomBeforeDrawing) {
  HeadlessHost host;
  std::vector<float> timeWhenDrawn;
  EngineHooks hooks;
  TQZEngine* self = nullptr;
  hooks.RenderFrame = [&] { timeWhenDrawn.push_back(self->Room->GetTime()); };
  TQZEngine engine(host, "/nowhere", hooks);
  self = &engine;
  engine.Room->InitRoom();
  engine.DoFrame();
  engine.DoFrame();
  EXPECT_EQ(timeWhenDrawn, (std::vector<float>{0.5f, 1.0f}));
}

TEST(EditEngine, ShutDownReleasesOnceAndStopsFrames) {
  HeadlessHost host;
  HookLog log;
  TQZEngine engine(host, "/nowhere", log.Hooks());
  log.calls.clear();
  engine.ShutDown();
  EXPECT_EQ(engine.Room, nullptr);
  EXPECT_EQ(engine.ModelEngine, nullptr);
  engine.ShutDown();
  engine.DoFrame();
  engine.StartUp();
  EXPECT_EQ(log.calls, std::vector<std::string>{"ShutdownGL"});
}

TEST(EditEngine, RandomCoversItsRangeAndFollowsTheSeed) {
  HeadlessHost host;
  TQZEngine engine(host, "/nowhere");
  engine.Seed(5);
  std::vector<int> seen(6, 0);
  for (int i = 0; i < 3000; ++i) {
    const int r = engine.Random(6);
    ASSERT_GE(r, 0);
    ASSERT_LT(r, 6);
    ++seen[static_cast<std::size_t>(r)];
  }
  for (int count : seen) EXPECT_GT(count, 0);
  EXPECT_EQ(engine.Random(0), 0);
  EXPECT_EQ(engine.Random(1), 0);

  engine.Seed(9);
  const float first = engine.Math.RandomBetween(0, 1000);
  engine.Seed(9);
  EXPECT_EQ(engine.Math.RandomBetween(0, 1000), first) << "math draws from the engine's generator";
}

TEST(EditEngine, VectorRoutinesOfTheEngine) {
  EXPECT_EQ(TQZEngine::Subtract({5, 5, 5}, {1, 2, 3}), (TVector{4, 3, 2}));
  EXPECT_FLOAT_EQ(TQZEngine::DistanceXZ({0, 100, 0}, {3, -7, 4}), 5);
  EXPECT_FLOAT_EQ(TQZEngine::DistanceXY({0, 0, 100}, {3, 4, -9}), 5);
  const TVector sideways = TQZEngine::MoveSideways({0, 90, 0}, {1, 1, 1}, 2);
  EXPECT_NEAR(sideways.x, 1, 1e-5f);
  EXPECT_NEAR(sideways.z, -1, 1e-5f) << "yaw 90 turns +x towards -z";
  const TVector local = TQZEngine::MoveLocal({0, 0, 0}, {0, 0, 0}, {1, 2, 3});
  EXPECT_EQ(local, (TVector{1, 2, -3})) << "local z points backwards";
}
