#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/headless_host.h"
#include "engine/edit_engine.h"
#include "entities/edit_entity.h"
#include "entities/entity_typus.h"
#include "models/edit_model.h"
#include "models/ms3d_fixture.h"
#include "room/edit_room.h"

namespace {

namespace stdfs = std::filesystem;

// Records uploads instead of touching GL.
class FakeTextures : public ModelTextureLoader {
public:
  std::uint32_t LoadBitmapTexture(std::string_view gamePath) override {
    loaded.emplace_back(gamePath);
    return static_cast<std::uint32_t>(loaded.size());
  }
  void DeleteTexture(std::uint32_t glName) override { deleted.push_back(glName); }
  std::vector<std::string> loaded;
  std::vector<std::uint32_t> deleted;
};

class ModelCatalogue : public ::testing::Test {
protected:
  ModelCatalogue() : root_(stdfs::temp_directory_path() / ("brannock-models-" + std::to_string(::getpid()))) {
    stdfs::create_directories(root_ / "data" / "model" / "world");
  }
  ~ModelCatalogue() override { stdfs::remove_all(root_); }

  void Write(const std::string& relative, const std::string& text) {
    std::ofstream(root_ / "data" / "model" / relative, std::ios::binary) << text;
  }
  void WriteModel(const std::string& relative, const TMS3DContents& contents) {
    const auto bytes = ms3d_fixture::Bytes(contents);
    std::ofstream(root_ / "data" / "model" / relative, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  TQZEngine& Engine() {
    if (!engine_) engine_ = std::make_unique<TQZEngine>(host, root_.string());
    return *engine_;
  }
  TModelEngine& Models() { return *Engine().ModelEngine; }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& e : host.errors) texts.push_back(e.Full());
    return texts;
  }

  HeadlessHost host;
  FakeTextures textures;  // outlives the engine, which frees its uploads on destruction

private:
  stdfs::path root_;
  std::unique_ptr<TQZEngine> engine_;
};

TEST_F(ModelCatalogue, ListedModelsFillTheSlotsAndTheLastEqualNameWins) {
  Write("loadmodel.ini", "[MODEL_FILENAME]\ncrate\n-barrel\ncrate2\n\nlamp\n");
  WriteModel("crate.ms3d", ms3d_fixture::Square());
  WriteModel("crate2.ms3d", ms3d_fixture::Square());
  Write("crate.ini", "[MODEL_BASEDATA]\nBox\n2\n");
  Write("crate2.ini", "[MODEL_BASEDATA]\nBox\n1\n");

  Models().LoadModels();
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Models().GlobalCount, 2);
  EXPECT_EQ(Models().Count, 34);
  EXPECT_EQ(Models().FindModel("Box"), 2);
  EXPECT_EQ(Models().FindModel(""), -1);
  EXPECT_EQ(Models().FindModel("box"), -1);
  const TVEModel& crate = *Models().GetModel(1);
  EXPECT_TRUE(crate.Loaded);
  EXPECT_EQ(crate.Vertices[2].Position, (TVector{2, 2, 0}));
  EXPECT_FLOAT_EQ(crate.Height, 2.0f);
  EXPECT_EQ(Models().GetModel(0), nullptr);
  EXPECT_EQ(Models().GetModel(501), nullptr);

  MemoryForm form;
  Models().FillModelList(form, "CBModel");
  EXPECT_EQ(form.Inspect("CBModel").dropDownCount, 22);
  ASSERT_EQ(form.Items("CBModel").size(), 34u);
  EXPECT_EQ(form.Items("CBModel")[1], "Box");
}

TEST_F(ModelCatalogue, MissingFilesAreReportedAndLeaveTheModelUnloaded) {
  Write("loadmodel.ini", "[MODEL_FILENAME]\nghost\n");
  Models().LoadModels();
  EXPECT_FALSE(Models().GetModel(1)->Loaded);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].rfind("QZ_FILE: File \"", 0), 0u);
  EXPECT_NE(Messages()[0].find("ghost.ms3d not found!"), std::string::npos);
}

TEST_F(ModelCatalogue, RoomTileModelsComeFromTheWorldFolder) {
  Write("loadmodel.ini", "[MODEL_FILENAME]\ncrate\n");
  WriteModel("crate.ms3d", ms3d_fixture::Square());
  Write("crate.ini", "[MODEL_BASEDATA]\nBox\n1\n");
  WriteModel("world/stone.ms3d", ms3d_fixture::Square());
  Write("world/stone.ini", "[MODEL_BASEDATA]\nStone wall\n1\n");
  Models().LoadModels();

  std::array<String255, 32> tiles;
  tiles[1] = "stone";
  Models().LoadRoomModels(tiles);
  EXPECT_TRUE(Messages().empty());
  const TVEModel& stone = *Models().GetModel(3);
  EXPECT_EQ(stone.ModelName.view(), "world\\stone");
  EXPECT_TRUE(stone.Loaded);
  EXPECT_EQ(Models().GetModel(2)->DisplayName.view(), "");
  EXPECT_EQ(host.Memory(FormId::Main).Items("LBEntityTiles"), (std::vector<std::string>{"Stone wall"}));
  EXPECT_EQ(Models().FindModel("Stone wall"), 3);

  Models().LoadRoomModels({});
  EXPECT_EQ(Models().FindModel("Stone wall"), -1);
  EXPECT_TRUE(host.Memory(FormId::Main).Items("LBEntityTiles").empty());
}

TEST_F(ModelCatalogue, ChangingTheTileListRebindsEveryEntityShowingATileModel) {
  Write("loadmodel.ini", "[MODEL_FILENAME]\n");
  for (const char* name : {"gate", "rock"}) WriteModel(std::string("world/") + name + ".ms3d", ms3d_fixture::Square());
  Write("world/gate.ini", "[MODEL_BASEDATA]\nGate\n1\n");
  Write("world/rock.ini", "[MODEL_BASEDATA]\nRock\n1\n");
  Models().LoadModels();
  TRoom& room = *Engine().Room;
  room.InitRoom();
  room.TileList[0] = "gate";
  room.TileList[1] = "rock";
  const auto place = [&](std::int16_t kind, const char* model) {
    TEntity* entity = room.AddEntity(kind, {}, {}, 1.0f);
    entity->ModelName = model;
    return entity;
  };
  const TEntity* door = place(typus::Door, "Gate");
  const TEntity* mover = place(typus::TileMover, "Rock");
  const TEntity* tile = place(typus::Tile, "Rock");
  room.ReloadResources();
  ASSERT_EQ(door->ModelIndex, 1);
  ASSERT_EQ(mover->ModelIndex, 2);

  // The gate leaves the list and the rock moves up into the first room slot.
  room.TileList[0] = "rock";
  room.TileList[1] = "";
  room.ReloadResources();
  EXPECT_EQ(door->ModelIndex, -1) << "the door must not show the rock now in its old slot";
  EXPECT_EQ(mover->ModelIndex, 1);
  EXPECT_EQ(tile->ModelIndex, 1);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(ModelCatalogue, SkinTexturesAreUploadedWhenPresentAndFreedWithTheSlot) {
  Write("loadmodel.ini", "[MODEL_FILENAME]\ncrate\n");
  WriteModel("crate.ms3d", ms3d_fixture::Square());
  Write("crate.ini", "[MODEL_BASEDATA]\nBox\n1\n[MODEL_DETAILMAP]\nTRUE\n4\n");
  Write("crate.bmp", "x");
  Write("crate3.bmp", "x");
  Models().SetTextureLoader(&textures);
  Models().LoadModels();
  const TVEModel& crate = *Models().GetModel(1);
  EXPECT_EQ(crate.SkinTextures[0], 1u);
  EXPECT_EQ(crate.SkinTextures[1], NoTexture);
  EXPECT_EQ(crate.SkinTextures[3], 2u);
  EXPECT_EQ(crate.DetailTexture, 3u);
  ASSERT_EQ(textures.loaded.size(), 3u);
  EXPECT_NE(textures.loaded[2].find("crate_d.bmp"), std::string::npos);

  Models().LoadModels();  // refilling the slot frees the old upload
  EXPECT_EQ(textures.deleted, (std::vector<std::uint32_t>{1, 2, 3}));
}

// The catalogue's animation bookkeeping with an animation file on disk.
class ModelAnimations : public ModelCatalogue {
protected:
  void SetUp() override {
    Write("loadmodel.ini", "[MODEL_FILENAME]\narm\n");
    WriteModel("arm.ms3d", ms3d_fixture::TwoJointArm());
    Write("arm.ini", "[MODEL_BASEDATA]\nArm\n1\n[MODEL_ANIMATION]\nwave\nmissing\nwave\n");
    auto wave = ms3d_fixture::TwoJointArm();
    wave.Joints[0].RotationKeys = {{1.0f, {}}, {10.0f, {0, 0, 1}}};
    WriteModel("arm_wave.ms3d", wave);
    Models().LoadModels();
  }
};

TEST_F(ModelAnimations, ListedAnimationsAreReadAndMissingOnesReported) {
  const TVEModel& arm = *Models().GetModel(1);
  ASSERT_EQ(arm.Animations.size(), 3u);
  EXPECT_EQ(arm.HighestAnimation, 2);
  EXPECT_FLOAT_EQ(arm.Animations[0].LastFrame, 10.0f);
  EXPECT_EQ(arm.Animations[0].Joints[1].Parent, 0);
  EXPECT_EQ(arm.Animations[0].Vertices.size(), 4u);
  EXPECT_TRUE(arm.Animations[1].Joints.empty());
  const auto messages = Messages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_NE(messages[0].find("arm_missing.ms3d not found!"), std::string::npos);
  EXPECT_EQ(messages[1], "QZ_MODEL: Animation file \"arm\" not found!");
  EXPECT_EQ(Models().FindAnimation(1, "wave"), 2);
  EXPECT_EQ(host.caption, "") << "a missing file is no failed set-up";
}

TEST_F(ModelAnimations, AnAnimationThatCannotBeSetUpMarksTheCaption) {
  auto looped = ms3d_fixture::TwoJointArm();
  looped.Joints[0].ParentName = "tip";  // parents must come before their children
  WriteModel("arm_wave.ms3d", looped);
  host.caption = "Brannock";
  host.errors.clear();
  Models().LoadModels();
  EXPECT_EQ(host.caption, "Brannock -ERROR-  -ERROR- ") << "once for each of the two listings of wave";
  EXPECT_TRUE(Models().GetModel(1)->Animations[0].Joints.empty());
  EXPECT_EQ(Messages().back(), "QZ_MODEL: Failed to load animation \"wave\"!");
}

TEST_F(ModelAnimations, SetAnimationStartFramesAndStepping) {
  TAnimationInstance instance;
  Models().SetAnimation(1, "wave", instance, true, 1, 2.0f, -2.0f);
  EXPECT_EQ(instance.Model, 1);
  EXPECT_EQ(instance.Animation, 2);
  EXPECT_FLOAT_EQ(instance.Frame, 10.0f);
  Models().SetAnimation(1, "wave", instance, true, 1, 2.0f, -1.2f);
  EXPECT_FLOAT_EQ(instance.Frame, 1.0f);

  Models().AnimateInstance(instance);  // 0.5 per frame times speed 2
  EXPECT_FLOAT_EQ(instance.Frame, 2.0f);

  TAnimationInstance broken;  // the animation whose file is missing stands still
  Models().SetAnimation(1, "missing", broken, true, 1, 1.0f, 1.0f);
  Models().AnimateInstance(broken);
  EXPECT_FLOAT_EQ(broken.Frame, 1.0f);

  TModelEngine::ResetAnimation(instance);
  EXPECT_EQ(instance.Animation, -1);
  Models().AnimateInstance(instance);
  EXPECT_FLOAT_EQ(instance.Frame, 1.0f);

  TAnimationInstance untouched;
  Models().SetAnimation(0, "wave", untouched, false, 2, 3.0f, 5.0f);
  EXPECT_EQ(untouched.Model, -1);
  EXPECT_TRUE(Messages().size() == 2u);  // only the load's messages so far

  Models().SetAnimation(1, "dance", instance, true, 1, 1.0f, 1.0f);
  EXPECT_EQ(instance.Animation, -1);
  EXPECT_EQ(Messages().back(), "QZ_MODEL: Animation \"dance\" not found!");
}

}  // namespace
