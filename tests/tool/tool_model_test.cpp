// brannock-tool's model commands as a pipeline runs them: `model-info` on files written
// here, `check` on a room that names models the sample world does not have.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "core/headless_host.h"
#include "engine/edit_engine.h"
#include "entities/edit_entity.h"
#include "entities/entity_typus.h"
#include "models/ms3d_writer.h"
#include "room/edit_room.h"
#include "tool/tool_runner.h"

namespace fs = std::filesystem;

namespace {

// Two joints (the second with two rotation keys and one position key at 24 fps) and
// two materials, the second named with a Latin-1 letter.
TMS3DContents Hinge() {
  TMS3DContents c;
  c.Vertices = {{{0, 0, 0}, 0}, {{1, 0, 0}, 1}, {{1, 1, 0}, 1}};
  c.Triangles.assign(1, {});
  c.Triangles[0].Indices = {0, 1, 2};
  c.Groups.assign(1, {});
  c.Groups[0].Name = "hinge";
  c.Groups[0].Triangles = {0};
  c.Groups[0].Material = 1;
  c.Materials.assign(2, {});
  c.Materials[0].Name = "3metal";
  c.Materials[0].Texture = "metal.bmp";
  c.Materials[1].Name = "pi\xE8" "ce";
  c.Fps = 24.0f;
  c.TotalFrames = 48;
  c.Joints.assign(2, {});
  c.Joints[0].Name = "base";
  c.Joints[1].Name = "arm";
  c.Joints[1].ParentName = "base";
  return c;
}

class ToolModels : public ::testing::Test {
protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("brannock-tool-models-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  ToolRun Tool(const std::string& args) { return RunTool(args, dir_ / "stderr.txt"); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  void WriteModel(const std::string& name, const TMS3DContents& contents, std::size_t keepBytes = SIZE_MAX) {
    const auto bytes = WriteMS3D(contents);
    std::ofstream(Path(name), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(std::min(keepBytes, bytes.size())));
  }

  ToolRun ModelInfo(const std::string& name, nlohmann::json& info) {
    ToolRun run = Tool("model-info " + Path(name));
    info = nlohmann::json::parse(run.out);
    return run;
  }

  fs::path dir_;
};

TEST_F(ToolModels, ModelInfoListsCountsJointsKeysAndMaterials) {
  WriteModel("hinge.ms3d", Hinge());
  nlohmann::json info;
  const ToolRun run = ModelInfo("hinge.ms3d", info);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.err.empty()) << run.err;
  EXPECT_EQ(info["loaded"], true);
  EXPECT_EQ(info["vertices"], 3);
  EXPECT_EQ(info["triangles"], 1);
  EXPECT_EQ(info["groups"], 1);
  EXPECT_EQ(info["materialCount"], 2);
  EXPECT_EQ(info["jointCount"], 2);
  EXPECT_EQ(info["fps"], 24.0);
  EXPECT_EQ(info["totalFrames"], 48);
  EXPECT_EQ(info["joints"][1], nlohmann::json::parse(R"({"name": "arm", "parent": "base", "rotationKeys": 0,
                                                          "positionKeys": 0})"));
  EXPECT_EQ(info["materials"][0]["textureNumber"], 3) << "a leading digit picks the skin";
  EXPECT_EQ(info["materials"][0]["texture"], "metal.bmp");
  EXPECT_EQ(info["materials"][1]["name"], "pi\u00e8ce") << "8-bit names arrive as UTF-8";
  EXPECT_EQ(info["messages"], nlohmann::json::array());
}

TEST_F(ToolModels, ModelInfoReportsKeysInABaseModelAndFailsTheRun) {
  TMS3DContents keyed = Hinge();
  keyed.Joints[1].RotationKeys = {{12.0f, {}}, {24.0f, {0, 1, 0}}};
  keyed.Joints[1].PositionKeys = {{12.0f, {}}};
  WriteModel("keyed.ms3d", keyed);
  nlohmann::json info;
  const ToolRun run = ModelInfo("keyed.ms3d", info);
  EXPECT_NE(run.status, 0);
  EXPECT_EQ(info["loaded"], true) << "key warnings do not stop the load";
  EXPECT_EQ(info["joints"][1]["rotationKeys"], 2);
  EXPECT_EQ(info["joints"][1]["positionKeys"], 1);
  ASSERT_EQ(info["messages"].size(), 2u);
  EXPECT_EQ(info["messages"][0], "VE_MODEL:: Rotation keyframes found in the model base of model \"keyed\"!");
  EXPECT_NE(run.err.find("Position keyframes found"), std::string::npos) << "messages also go to stderr";
}

TEST_F(ToolModels, ModelInfoOnACutOrMissingFileSaysSoAndFails) {
  WriteModel("cut.ms3d", Hinge(), 100);  // inside the triangle
  nlohmann::json info;
  ToolRun run = ModelInfo("cut.ms3d", info);
  EXPECT_NE(run.status, 0);
  EXPECT_EQ(info["loaded"], false);
  EXPECT_EQ(info["vertices"], 0) << "nothing of a broken file is shown as read";
  EXPECT_EQ(info["messages"][0], "QZ_MODEL: Error while loading model file \"cut\" !");

  run = ModelInfo("absent.ms3d", info);
  EXPECT_NE(run.status, 0);
  EXPECT_EQ(info["loaded"], false);
  ASSERT_EQ(info["messages"].size(), 1u);
  EXPECT_EQ(info["messages"][0], "QZ_FILE: File \"" + Path("absent.ms3d") + " not found!");
}

TEST_F(ToolModels, CheckReportsModelNamesAndTileFilesThatFindNothing) {
  {
    // Written without a catalogue, so the room keeps whatever names it is given.
    HeadlessHost host;
    TQZEngine engine(host, Path("nowhere"));
    TRoom& room = *engine.Room;
    room.ClearRoom();
    room.TileList[0] = "object\\column";
    room.TileList[5] = "object\\nosuch";
    room.AddEntity(typus::Tile, {1, 0, 1}, {}, 1.0f)->ModelName = "EDITOR_MARKER";
    room.AddEntity(typus::Tile, {2, 0, 2}, {}, 1.0f)->ModelName = "NOSUCH";
    room.AddEntity(typus::Marker, {3, 0, 3}, {}, 1.0f);
    ASSERT_TRUE(room.SaveToFile(Path("models.rer")));
  }
  const ToolRun run = Tool("check " + Path("models.rer"));
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.err.find("tile 5 \"object\\nosuch\": model file world\\object\\nosuch.ms3d is missing"),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("entity 1 \"TILE2\": ModelName \"NOSUCH\" finds no model"), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find("tile 0 "), std::string::npos) << "the column exists: " << run.err;
  EXPECT_EQ(run.err.find("\"TILE1\""), std::string::npos) << "the marker model exists: " << run.err;
  EXPECT_EQ(run.err.find("MARKER1"), std::string::npos) << "no model name is no problem: " << run.err;
}

}  // namespace
