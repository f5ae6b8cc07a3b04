// Every hostile file through the reader the editor opens it with: exactly the expected
// messages, the expected verdict, under a second and under 256 MB held at once; then
// the document is used as it would be (frames, posing) and must hold up.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>

#include "core/bmp_file.h"
#include "core/file_system.h"
#include "core/headless_host.h"
#include "engine/edit_engine.h"
#include "entities/edit_entity.h"
#include "hostile/hostile_files.h"
#include "models/edit_model.h"
#include "models/model_animation.h"
#include "room/edit_room.h"
#include "support/allocation_meter.h"
#include "support/temp_game_dir.h"
#include "world/world_links.h"

namespace {

constexpr std::int16_t Slot = TModelEngine::SlotCount;
constexpr std::size_t MemoryLimit = 256u * 1024u * 1024u;
constexpr auto TimeLimit = std::chrono::seconds(1);

class HostileFiles : public ::testing::Test {
protected:
  HostileFiles() { WriteSoundWorld(engine); }

  void Write(const HostileFile& file) {
    const auto path = fs_layer::ToHostPath(HostilePath(engine, file.reader));
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(file.bytes.data()), static_cast<std::streamsize>(file.bytes.size()));
  }

  // Runs the file's reader; the result says whether it reports the file as read.
  bool Read(const HostileFile& file, std::string& bitmapReason) {
    const std::string path = HostilePath(engine, file.reader);
    switch (file.reader) {
      case HostileReader::Room: return engine.Room->LoadFromFile(fs_layer::ToHostPath(path));
      case HostileReader::ModelBase: return LoadModel("hostile\\subject");
      case HostileReader::ModelAnimation:
      case HostileReader::ModelDefinition: return LoadModel("hostile\\rig");
      case HostileReader::ModelList: engine.ModelEngine->LoadModels(); return true;
      case HostileReader::EditorIni: engine.LoadEditorIni(); return true;
      case HostileReader::VariableIni: engine.LoadVariables(); return true;
      case HostileReader::EnemyIni: engine.LoadEnemies(); return true;
      case HostileReader::SoundIni: engine.FillSoundCombo(host.GetForm(FormId::Entity), "CBSoundSound"); return true;
      case HostileReader::Bitmap: return LoadBmp(path, &bitmapReason).has_value();
    }
    return false;
  }

  bool LoadModel(std::string_view name) {
    TVEModel& model = *engine.ModelEngine->GetModel(Slot);
    engine.ModelEngine->LoadModel(model, name, Slot);
    return model.Loaded;
  }

  // What the editor does next with what was read.
  void Use(const HostileFile& file) {
    if (file.reader == HostileReader::Room) {
      for (int frame = 0; frame < 20; ++frame) engine.Room->DoFrame();
      engine.Room->SaveToBytes();
      return;
    }
    TVEModel& model = *engine.ModelEngine->GetModel(Slot);
    if (!model.Loaded) return;
    engine.ModelEngine->PlacedModelBounds(Slot, {1, 0, 1}, {0, 90, 0}, 2.0f);
    std::vector<TVector> skinned;
    for (auto& animation : model.Animations) {
      for (const float frame : {0.0f, 1.0f, animation.LastFrame / 2.0f, animation.LastFrame, animation.LastFrame + 5}) {
        ComputeFrameTransforms(animation, frame);
        SkinVertices(animation, skinned);
      }
    }
  }

  std::vector<std::string> Messages(const HostileFile& file, const std::string& bitmapReason) const {
    if (file.reader == HostileReader::Bitmap) return {bitmapReason};
    std::vector<std::string> messages;
    for (const auto& error : host.errors) messages.push_back(error.Full());
    return messages;
  }

  TempGameDir directory;
  HeadlessHost host;
  TQZEngine engine{host, directory.Path()};
};

TEST_F(HostileFiles, EveryFileIsRefusedOrReadWithItsMessagesQuicklyAndInLittleMemory) {
  const auto files = MakeHostileFiles(engine);
  ASSERT_GT(files.size(), 1500u);
  for (const HostileFile& file : files) {
    SCOPED_TRACE(file.name);
    WriteSoundWorld(engine);
    Write(file);
    host.errors.clear();
    std::string reason;
    allocation_meter::ResetPeak();
    const auto start = std::chrono::steady_clock::now();
    const bool accepted = Read(file, reason);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(allocation_meter::PeakSinceReset(), MemoryLimit);
    EXPECT_LT(elapsed, TimeLimit);
    EXPECT_EQ(Messages(file, reason), file.messages);
    EXPECT_EQ(accepted, file.accepted);
    Use(file);
  }
}

// What the world reads of a room without loading it, and what it checks of a loaded one:
// every hostile room within the same limits; a room that loads whole has the outline
// of the loaded room, and the checks run on whatever a damaged one kept.
TEST_F(HostileFiles, EveryRoomIsOutlinedAndCheckedQuicklyAndInLittleMemory) {
  RoomOutlineCache cache;
  int rooms = 0;
  for (const HostileFile& file : MakeHostileFiles(engine)) {
    if (file.reader != HostileReader::Room) continue;
    SCOPED_TRACE(file.name);
    ++rooms;
    allocation_meter::ResetPeak();
    const auto start = std::chrono::steady_clock::now();
    const RoomOutline outline = ReadRoomOutline(engine, file.bytes);
    EXPECT_LT(allocation_meter::PeakSinceReset(), MemoryLimit);
    EXPECT_LT(std::chrono::steady_clock::now() - start, TimeLimit);
    Write(file);
    const std::string path = fs_layer::ToHostPath(HostilePath(engine, file.reader));
    const bool whole = engine.Room->LoadFromFile(path);
    if (whole) {
      const RoomOutline loaded = OutlineOf(*engine.Room);
      EXPECT_TRUE(outline.complete);
      EXPECT_EQ(outline.name, loaded.name);
      EXPECT_EQ(outline.markers, loaded.markers);
      EXPECT_EQ(outline.links, loaded.links);
    }
    allocation_meter::ResetPeak();
    const auto checked = std::chrono::steady_clock::now();
    ListRoomProblems(*engine.Room, cache, path);
    EXPECT_LT(allocation_meter::PeakSinceReset(), MemoryLimit);
    EXPECT_LT(std::chrono::steady_clock::now() - checked, TimeLimit);
  }
  EXPECT_GT(rooms, 50);
}

TEST_F(HostileFiles, OverlongLengthBytesAreCutToTheirCapacity) {
  const auto files = MakeHostileFiles(engine);
  const auto load = [&](std::string_view name) {
    const auto file = std::find_if(files.begin(), files.end(), [&](const HostileFile& f) { return f.name == name; });
    ASSERT_NE(file, files.end()) << name;
    Write(*file);
    ASSERT_TRUE(engine.Room->LoadFromFile(fs_layer::ToHostPath(HostilePath(engine, file->reader)))) << name;
  };
  load("room name length byte 255");
  EXPECT_EQ(engine.Room->Name.size(), 32u);
  load("entity name length byte 255");
  EXPECT_EQ(engine.Room->Entities[0]->Name.size(), 32u);
  load("light name length byte 200");
  EXPECT_EQ(engine.Room->Lights[0].Name.size(), 32u);
}

TEST_F(HostileFiles, ConfigurationLinesOutOfRangeAreSkippedAndTheRestIsKept) {
  const auto files = MakeHostileFiles(engine);
  for (const HostileFile& file : files) {
    if (file.reader != HostileReader::VariableIni && file.reader != HostileReader::EnemyIni) continue;
    Write(file);
    engine.LoadVariables();
    engine.LoadEnemies();
  }
  // The last variable and enemy files of the set are the ones read last.
  EXPECT_EQ(engine.Enemies[100].str(), "Last");
  EXPECT_EQ(engine.Enemies[1].str(), " ");
  EXPECT_EQ(engine.Variables[12].Name.str(), "Door");
  for (const auto& value : engine.Variables[12].Values) EXPECT_EQ(value.str(), "");
}

TEST_F(HostileFiles, ValueIndicesOutOfRangeDoNotEndTheVariable) {
  for (const HostileFile& file : MakeHostileFiles(engine)) {
    if (file.name != "variable.ini with value indices out of range") continue;
    Write(file);
    engine.LoadVariables();
  }
  EXPECT_EQ(engine.Variables[12].Name.str(), "Door");
  EXPECT_EQ(engine.Variables[12].Values[5].str(), "Five");
  EXPECT_EQ(engine.Variables[13].Name.str(), "Next");
}

}  // namespace
