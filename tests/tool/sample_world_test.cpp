// The generated sample world: it is what the editor opens first and what the other
// tests draw, so it must load without a single message and hold everything the
// editor looks up by name.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <set>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "core/binary_io.h"
#include "core/headless_host.h"
#include "engine/edit_engine.h"
#include "entities/edit_entity.h"
#include "entities/entity_control.h"
#include "entities/entity_item.h"
#include "entities/entity_spawner.h"
#include "entities/entity_typus.h"
#include "entities/tile_door.h"
#include "models/edit_model.h"
#include "room/edit_room.h"
#include "surfaces/light_map.h"

namespace fs = std::filesystem;

namespace {

const fs::path World = BRANNOCK_SAMPLE_DIR;
const fs::path DemoRoom = World / "data" / "world" / "room" / "demo.rer";
const fs::path BakeRoom = World / "data" / "world" / "room" / "bake.rer";

struct ShellRun {
  int status = -1;
  std::string err;
};

// Runs a command with stdout discarded and stderr captured.
ShellRun Shell(const std::string& command) {
  const fs::path errFile = fs::temp_directory_path() / ("brannock-world-err-" + std::to_string(::getpid()));
  ShellRun run;
  const int raw = std::system((command + " >/dev/null 2>'" + errFile.string() + "'").c_str());
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  std::ifstream in(errFile, std::ios::binary);
  run.err.assign(std::istreambuf_iterator<char>(in), {});
  fs::remove(errFile);
  return run;
}

std::vector<std::string> SectionEntries(const fs::path& file, const std::string& header) {
  std::ifstream in(file);
  std::vector<std::string> entries;
  std::string line;
  bool inside = false;
  while (std::getline(in, line)) {
    if (!inside) {
      inside = line == header;
    } else if (line.empty()) {
      inside = false;
    } else {
      entries.push_back(line);
    }
  }
  return entries;
}

fs::path GameFile(const fs::path& dir, std::string name, const std::string& extension) {
  std::replace(name.begin(), name.end(), '\\', '/');
  return dir / (name + extension);
}

struct BmpInfo {
  int width = 0, height = 0, bits = 0, compression = -1;
};

// Reads the header of a BMP file; nothing when the file is not one.
std::optional<BmpInfo> ReadBmpHeader(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<std::uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
  BinaryReader r(bytes);
  r.Skip(2);
  const std::uint32_t fileSize = r.ReadU32();
  r.Skip(4);
  const std::uint32_t offset = r.ReadU32();
  r.Skip(4);
  BmpInfo info;
  info.width = r.ReadI32();
  info.height = r.ReadI32();
  r.Skip(2);
  info.bits = r.ReadU16();
  info.compression = static_cast<int>(r.ReadU32());
  const std::size_t rowBytes = (static_cast<std::size_t>(info.width) * 3 + 3) & ~std::size_t{3};
  if (fileSize != bytes.size() || offset + rowBytes * static_cast<std::size_t>(info.height) != bytes.size())
    return std::nullopt;
  return info;
}

class SampleWorld : public ::testing::Test {
protected:
  void SetUp() override { engine.StartUp(); }
  void ExpectNoMessages() {
    for (const auto& e : host.errors) ADD_FAILURE() << e.Full();
  }
  HeadlessHost host;
  TQZEngine engine{host, World.string()};
};

}  // namespace

TEST(SampleWorldGenerator, WritesACompleteSmallWorldIntoAFreshDirectory) {
  const fs::path out = fs::temp_directory_path() / ("brannock-world-" + std::to_string(::getpid()));
  fs::remove_all(out);
  const ShellRun run = Shell("'" + std::string(BRANNOCK_SAMPLE_WORLD_TOOL) + "' '" + (out / "nested" / "game").string() + "'");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  std::uintmax_t bytes = 0;
  for (const auto& entry : fs::recursive_directory_iterator(out))
    if (entry.is_regular_file()) bytes += entry.file_size();
  EXPECT_LT(bytes, 20u * 1024 * 1024);
  for (const char* file : {"editor.ini", "variable.ini", "enemy.ini", "sound/loadsound.ini", "art/loadtexture.ini",
                           "data/model/loadmodel.ini", "data/world/room/demo.rer"})
    EXPECT_TRUE(fs::exists(out / "nested" / "game" / file)) << file;
  fs::remove_all(out);
}

TEST(SampleWorldGenerator, RefusesAMissingArgument) {
  const ShellRun run = Shell("'" + std::string(BRANNOCK_SAMPLE_WORLD_TOOL) + "'");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("usage"), std::string::npos);
}

TEST_F(SampleWorld, StartsAndLoadsTheDemoRoomWithoutAMessage) {
  ASSERT_TRUE(engine.Room->LoadFromFile(DemoRoom.string()));
  ExpectNoMessages();
  EXPECT_EQ(engine.EditorLists.size(), 32u);
}

TEST_F(SampleWorld, EveryListedAndTileModelIsLoadedWithItsAnimations) {
  engine.Room->LoadFromFile(DemoRoom.string());
  TModelEngine& models = *engine.ModelEngine;
  for (std::int16_t slot = 1; slot <= models.GlobalCount; ++slot)
    EXPECT_TRUE(models.GetModel(slot)->Loaded) << models.GetModel(slot)->ModelName.str();
  // The names the cursor and the entity kinds look up.
  for (const char* name : {"EDITOR_CAMERA", "EDITOR_TRIGGER", "EDITOR_TOUCHFIELD", "EDITOR_SOUND", "EDITOR_MESSAGE",
                           "EDITOR_CONTROL", "EDITOR_MARKER", "EDITOR_SPAWNER", "EDITOR_VARIABLE", "EDITOR_MUSIC",
                           "EDITOR_STARTUP", "EDITOR_ANIMATION", "EDITOR_ITEM", "EDITOR_SAVEPOINT",
                           "EDITOR_TILEMOVER", "EDITOR_PORTAL", "EDITOR_PARTICLE", "GRASS_BLADE", "WALL_BLOCK",
                           "STONE_COLUMN", "STONE_STAIRS", "OLD_TREE", "WOODEN_DOOR"})
    EXPECT_GT(models.FindModel(name), 0) << name;
  for (const char* unit : {"UNIT_ENEMY_MUTANT", "UNIT_ENEMY_CLAWSHRIMP"}) {
    const TVEModel* model = models.GetModel(models.FindModel(unit));
    ASSERT_NE(model, nullptr) << unit;
    EXPECT_FALSE(model->Joints.empty()) << unit;
    ASSERT_EQ(model->Animations.size(), 2u) << unit;
    for (const auto& animation : model->Animations) {
      EXPECT_EQ(animation.Joints.size(), model->Joints.size()) << unit << " " << animation.Name.str();
      EXPECT_GT(animation.LastFrame, 1.0f) << unit << " " << animation.Name.str();
    }
  }
  const TVEModel* door = models.GetModel(models.FindModel("WOODEN_DOOR"));
  ASSERT_EQ(door->Animations.size(), 1u);
  EXPECT_EQ(door->Animations[0].Name.str(), "open");
  EXPECT_TRUE(models.GetModel(models.FindModel("WALL_BLOCK"))->DetailMap);
  EXPECT_FALSE(models.GetModel(models.FindModel("GRASS_BLADE"))->CullFace);
  ExpectNoMessages();
}

// Without a GL context the catalogue uploads nothing, so the skins are checked on disk:
// every skin number a textured material uses, and the detail map when one is on.
TEST_F(SampleWorld, EveryTexturedModelHasItsSkinsBeside) {
  engine.Room->LoadFromFile(DemoRoom.string());
  const TModelEngine& models = *engine.ModelEngine;
  const fs::path modelDir = World / "data" / "model";
  int textured = 0;
  for (std::int16_t slot = 1; slot <= models.Count; ++slot) {
    const TVEModel* model = models.GetModel(slot);
    if (!model || !model->Loaded) continue;
    for (const auto& material : model->Materials) {
      if (!material.HasTexture) continue;
      ++textured;
      const std::string suffix = material.TextureNumber == 0 ? "" : std::to_string(material.TextureNumber);
      EXPECT_TRUE(ReadBmpHeader(GameFile(modelDir, model->ModelName.str() + suffix, ".bmp")))
          << model->ModelName.str() << " skin " << material.TextureNumber;
    }
    if (model->DetailMap) {
      EXPECT_TRUE(ReadBmpHeader(GameFile(modelDir, model->ModelName.str() + "_d", ".bmp"))) << model->ModelName.str();
    }
  }
  EXPECT_GE(textured, 7) << "units and scenery wear skins";
}

TEST(SampleWorldFiles, EveryListedTextureIsAnUncompressed24BitBitmap) {
  const auto names = SectionEntries(World / "art" / "loadtexture.ini", "[TEXTURE_FILENAME]");
  ASSERT_FALSE(names.empty());
  EXPECT_LE(names.size(), 100u) << "the texture table holds 100 slots";
  for (const auto& name : names) {
    EXPECT_LE(name.size(), 32u) << name << ": longer names are never found";
    const auto info = ReadBmpHeader(GameFile(World / "art", name, ".bmp"));
    ASSERT_TRUE(info) << name;
    EXPECT_EQ(info->bits, 24) << name;
    EXPECT_EQ(info->compression, 0) << name;
    EXPECT_GT(info->height, 0) << name << ": bottom-up rows";
    EXPECT_LE(std::max(info->width, info->height), 512) << name;
  }
  const std::set<std::string> listed(names.begin(), names.end());
  for (const char* fixed : {"menu\\frame\\horizontal", "menu\\frame\\vertical", "menu\\frame\\topleft",
                            "menu\\frame\\topright", "menu\\frame\\bottomleft", "menu\\frame\\bottomright",
                            "menu\\frame\\pattern", "effect\\flare\\flare", "effect\\flare\\rings",
                            "effect\\flare\\center", "effect\\shadow", "world\\water\\water", "world\\water\\water2",
                            "effect\\fire\\fire", "effect\\water\\splat", "effect\\water\\rain"})
    EXPECT_EQ(listed.count(fixed), 1u) << fixed;
}

TEST(SampleWorldFiles, SpriteSheetsHoldTheCellsTheEffectsCutOut) {
  const auto size = [](const char* name) { return *ReadBmpHeader(GameFile(World / "art", name, ".bmp")); };
  const BmpInfo fire = size("effect\\fire\\fire");
  EXPECT_EQ(fire.width, 8 * 64);
  EXPECT_EQ(fire.height % 64, 0);
  EXPECT_GE(fire.height, 2 * 64) << "the flame lives 10 time units, frames 0 to 10";
  const BmpInfo rings = size("effect\\flare\\rings");
  EXPECT_GE(rings.width, 256) << "128-texel cells in column 1";
  EXPECT_GE(rings.height, 256) << "a 128-texel cell in row 1";
  EXPECT_GE(size("effect\\flare\\flare").width, 128);
  EXPECT_GE(size("effect\\flare\\center").width, 128);
}

TEST_F(SampleWorld, SkyBoxAndSurfaceTexturesOfTheDemoRoomResolve) {
  ASSERT_TRUE(engine.Room->LoadFromFile(DemoRoom.string()));
  const TRoom& room = *engine.Room;
  // The six faces are the listed slot of the sky box name and the five after it.
  const auto names = SectionEntries(World / "art" / "loadtexture.ini", "[TEXTURE_FILENAME]");
  const auto sky = std::find(names.begin(), names.end(), room.SkyBoxTexture.str());
  ASSERT_NE(sky, names.end());
  ASSERT_LE(sky + 6, names.end());
  for (auto face = sky; face != sky + 6; ++face) EXPECT_NE(face->find("sky"), std::string::npos) << *face;
  for (int i = 0; i <= room.LastSurface; ++i) {
    const TSurface& s = *room.Surfaces[i];
    if (!s.InUse()) continue;
    EXPECT_TRUE(ReadBmpHeader(GameFile(World / "data" / "model" / "world", s.textureName.str(), ".bmp")))
        << s.textureName.str();
  }
}

TEST_F(SampleWorld, DemoRoomUsesEveryFieldShapeEffectFlareAndEntityKind) {
  ASSERT_TRUE(engine.Room->LoadFromFile(DemoRoom.string()));
  const TRoom& room = *engine.Room;
  std::set<int> shapes, effects, flares, kinds;
  for (const TField& f : room.Fields) shapes.insert(f.Typus);
  for (const TLight& l : room.Lights)
    if (l.InUse()) {
      effects.insert(l.Effect);
      flares.insert(l.Flare);
    }
  for (const auto& e : room.Entities)
    if (e->InUse()) kinds.insert(e->Typus);
  EXPECT_EQ(shapes, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(effects, (std::set<int>{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(flares, (std::set<int>{0, 1, 2, 3, 4}));
  using namespace typus;
  EXPECT_EQ(kinds, (std::set<int>{Tile, Door, Camera, Trigger, TouchField, Sound, Message, Control, Marker, Spawner,
                                  Variable, Animation, Item, SavePoint, TileMover, Portal, Mutant, ClawShrimp, Grass,
                                  Fire, Fountain, Rain, Explosion}));
  EXPECT_NE(room.FogTypus, 0);
  EXPECT_NE(room.SunFlare, 0);
  EXPECT_LT(room.WaterFromX, room.WaterToX);
  EXPECT_LT(room.WaterFromZ, room.WaterToZ);
}

TEST_F(SampleWorld, DemoEntitiesAreWiredByName) {
  ASSERT_TRUE(engine.Room->LoadFromFile(DemoRoom.string()));
  const TRoom& room = *engine.Room;
  const auto first = [&](std::int16_t t) -> const TEntity& {
    for (const auto& e : room.Entities)
      if (e->InUse() && e->Typus == t) return *e;
    throw std::runtime_error("no entity of kind " + std::to_string(t));
  };
  const auto linksTo = [](const TEntity& from, const TEntity& to) {
    return std::find(from.Links.begin(), from.Links.end(), to.SlotIndex) != from.Links.end();
  };
  EXPECT_TRUE(linksTo(first(typus::TouchField), first(typus::Trigger)));
  EXPECT_TRUE(linksTo(first(typus::Trigger), first(typus::Door)));
  EXPECT_TRUE(linksTo(first(typus::Spawner), first(typus::Mutant)));
  EXPECT_TRUE(linksTo(first(typus::Item), first(typus::Variable)));
  EXPECT_TRUE(linksTo(first(typus::Animation), first(typus::Door)));
  // Every placed model is found; no entity falls back to the white marker box.
  for (const auto& e : room.Entities)
    if (e->InUse() && !e->ModelName.empty()) {
      EXPECT_GT(e->ModelIndex, 0) << e->Name.str();
    }
}

// A new object shows the first entry of each of these lists, which must therefore mean
// "nothing chosen"; a new door above all must not ask for the first item as its key.
// The demo door still asks for the key the demo item is.
TEST_F(SampleWorld, ListsANewObjectStartsOnOfferNothingAndTheDemoDoorNeedsTheDemoKey) {
  const MemoryForm& form = host.Memory(FormId::Entity);
  const TETDoor door(engine);
  const TEItem item(engine);
  const TEControl control(engine);
  const TESpawner spawner(engine);
  const std::vector<std::pair<std::string_view, int>> defaults{
      {"CBTDoorKey", door.KeyItem},           {"CBItemTypus", item.ItemTypus},
      {"CBTileCollisionForm", door.CollisionForm}, {"CBBlendingMode", door.BlendingMode},
      {"CBShadowTypus", item.ShadowTypus},    {"CBControlAction", control.Action},
      {"CBSpawnerEffect", spawner.SpawnEffect}};
  for (const auto& [combo, index] : defaults) {
    const auto entries = form.Items(combo);
    ASSERT_LT(index, static_cast<int>(entries.size())) << combo;
    EXPECT_EQ(entries[static_cast<std::size_t>(index)], "None") << combo;
  }
  ASSERT_TRUE(engine.Room->LoadFromFile(DemoRoom.string()));
  const auto keys = form.Items("CBTDoorKey");
  std::vector<std::string> asked;
  for (const auto& e : engine.Room->Entities) {
    if (!e->InUse()) continue;
    if (const auto* demoDoor = dynamic_cast<const TETDoor*>(e.get()))
      asked.push_back("door: " + keys.at(static_cast<std::size_t>(demoDoor->KeyItem)));
    if (const auto* demoItem = dynamic_cast<const TEItem*>(e.get()))
      asked.push_back("item: " + keys.at(static_cast<std::size_t>(demoItem->ItemTypus)));
  }
  EXPECT_EQ(asked, (std::vector<std::string>{"door: Key", "item: Key"}));
}

// The light-map texel of the floor surface under (x, z), as the sum of its channels.
int FloorLight(const TRoom& room, float x, float z) {
  for (int i = 0; i <= room.LastSurface; ++i) {
    const TSurface& s = *room.Surfaces[i];
    if (!s.InUse() || s.normal.y < 0.9f) continue;
    const TVector& c0 = s.corners[0].position;
    const TVector& c2 = s.corners[2].position;
    if (x < c0.x || x >= c2.x || z < c0.z || z >= c2.z) continue;
    const int col = static_cast<int>((x - c0.x) / (c2.x - c0.x) * static_cast<float>(s.lightMapWidth));
    const int row = static_cast<int>((z - c0.z) / (c2.z - c0.z) * static_cast<float>(s.lightMapHeight));
    const std::size_t at = static_cast<std::size_t>(row * s.lightMapWidth + col) * 3;
    return s.lightMapPixels[at] + s.lightMapPixels[at + 1] + s.lightMapPixels[at + 2];
  }
  ADD_FAILURE() << "no floor surface under " << x << "," << z;
  return -1;
}

TEST_F(SampleWorld, SurfaceLightMapsAreBakedWithShadows) {
  ASSERT_TRUE(engine.Room->LoadFromFile(DemoRoom.string()));
  const TRoom& room = *engine.Room;
  int surfaces = 0;
  std::uint8_t brightest = 0;
  for (int i = 0; i <= room.LastSurface; ++i) {
    const TSurface& s = *room.Surfaces[i];
    if (!s.InUse()) continue;
    ++surfaces;
    for (std::size_t b = 0; b < s.LightMapSize(); ++b) brightest = std::max(brightest, s.lightMapPixels[b]);
  }
  EXPECT_GT(surfaces, 150);
  EXPECT_GT(brightest, 150) << "lanterns leave bright pools";
  // The plaza lantern hangs beside the column at (-5, -4): the floor behind the column
  // lies in its shadow, the floor as far away on the lantern's own side does not.
  const int behind = FloorLight(room, -5.9f, -4.9f);
  const int open = FloorLight(room, -3.3f, -2.3f);
  EXPECT_LT(behind + 60, open) << "behind " << behind << ", open " << open;
  EXPECT_GT(FloorLight(room, 0.5f, 13.0f), 30) << "the moon reaches the open south edge";
}

// F6 ("Compute Surface Lighting") on a freshly loaded sample room, headless but as the
// editor runs it (its baker casting through the panel the window opens with), must
// leave every byte of the room as the generator wrote it.
TEST_F(SampleWorld, ComputingSurfaceLightingOnAnUntouchedSampleRoomChangesNothing) {
  LightMapBaker baker(*engine.Room);
  baker.View = PanelShadowView;
  engine.Room->LightMaps = &baker;
  for (const fs::path& file : {DemoRoom, BakeRoom}) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<std::uint8_t> stored(std::istreambuf_iterator<char>(in), {});
    ASSERT_TRUE(engine.Room->LoadFromFile(file.string())) << file;
    TRoom& room = *engine.Room;
    std::vector<std::vector<std::uint8_t>> before;
    for (int i = 0; i <= room.LastSurface; ++i) before.push_back(room.Surfaces[i]->lightMapPixels);
    host.Memory(FormId::Main).SetChecked("CBLightMapCompute", true);
    room.ComputeSurfaceShadows();
    int changed = 0;
    for (int i = 0; i <= room.LastSurface; ++i)
      changed += room.Surfaces[i]->InUse() && room.Surfaces[i]->lightMapPixels != before[static_cast<std::size_t>(i)];
    EXPECT_EQ(changed, 0) << "light maps changed in " << file.filename();
    EXPECT_TRUE(room.SaveToBytes() == stored) << file.filename();
  }
  engine.Room->LightMaps = nullptr;
}

TEST(SampleWorldFiles, ToolCheckFindsNothingInTheDemoRoom) {
  const ShellRun run =
      Shell("cd '" + World.string() + "' && '" + BRANNOCK_TOOL_PATH + "' check data/world/room/demo.rer");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
}
