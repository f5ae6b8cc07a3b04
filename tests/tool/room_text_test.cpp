// The room's complete JSON form both ways: rer -> JSON -> rer gives the same bytes and
// JSON -> rer -> JSON the same JSON, on the rooms the editor writes, on the hostile but
// valid rooms of the guard set, on odd bytes a reader ignores and on the sample world;
// an edit in the JSON changes exactly the bytes of that field.

#include <gtest/gtest.h>

#include <bit>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/sha256.h"
#include "entities/entity_fixture.h"
#include "entities/entity_typus.h"
#include "hostile/hostile_parts.h"
#include "support/distinct_entities.h"
#include "tool/json_text.h"
#include "tool/room_text.h"

using Json = nlohmann::ordered_json;

namespace {

// Where the records of a room begin (the format page has them all).
constexpr std::size_t FieldsAt = 8955;
constexpr std::size_t LightsAt = 52157;
constexpr std::size_t LightSize = 100;
constexpr std::size_t CommonSize = 163;

std::string FirstDifference(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
  if (a.size() != b.size()) return "sizes " + std::to_string(a.size()) + " and " + std::to_string(b.size());
  const auto at = std::mismatch(a.begin(), a.end(), b.begin());
  return at.first == a.end() ? "none" : "first at byte " + std::to_string(at.first - a.begin());
}

std::string Patch(const Json& from, const Json& to) {
  const std::string patch = Json::diff(from, to).dump();
  return patch.size() > 600 ? patch.substr(0, 600) + "..." : patch;
}

class RoomTextTest : public EntityTest {
protected:
  std::optional<Json> Complete(const std::vector<std::uint8_t>& bytes) { return room_text::CompleteJson(room, bytes); }

  // Through the text the tool prints, so every float must survive being written out.
  std::vector<std::uint8_t> Build(const Json& json) {
    try {
      return room_text::BuildRoomFile(room, room_text::ParseJson(json.dump(1)));
    } catch (const room_text::Error& error) {
      ADD_FAILURE() << error.what();
      return {};
    }
  }

  void ExpectRoundTrips(const std::vector<std::uint8_t>& bytes, const std::string& what) {
    SCOPED_TRACE(what);
    const auto json = Complete(bytes);
    ASSERT_TRUE(json.has_value()) << "the room reader refused it";
    const auto built = Build(*json);
    EXPECT_TRUE(built == bytes) << "rer -> JSON -> rer differs: " << FirstDifference(built, bytes);
    const auto again = Complete(built);
    ASSERT_TRUE(again.has_value());
    EXPECT_TRUE(*again == *json) << "JSON -> rer -> JSON differs: " << Patch(*json, *again);
  }

  // A room the editor writes with every record kind, each field unlike its default.
  std::vector<std::uint8_t> DistinctRoom() {
    room.Name = std::string(32, 'N');
    room.RegionName = "THE REGION";
    room.SkyBoxTexture = "sky\\dusk";
    room.TileList[0] = "tile_a";
    room.TileList[31] = "tile_z";
    room.FogDensity = 0.0625f;
    room.WaterColor = {0.1f, 0.2f, 0.3f};
    for (int x = 0; x < TRoom::GridSize; ++x)
      for (int z = 0; z < TRoom::GridSize; ++z) {
        TField& f = room.FieldOf(x, z);
        f.Typus = static_cast<std::int16_t>((x + z) % 8);
        f.Material = static_cast<std::int16_t>(x % 5);
        f.Height = static_cast<float>(x) * 0.1f - static_cast<float>(z) / 3.0f;
        f.Ceiling = 10.0f + static_cast<float>(z) * 0.7f;
      }
    TLight* light = room.AddLight({1.5f, 2.5f, 3.5f}, {0.9f, 0.8f, 0.7f}, 6.25f);
    light->Name = "LAMP\xC9";
    light->Active = 1;
    light->Effect = 3;
    light->Color2 = {0.1f, 0.2f, 0.3f};
    light->EffectSpeed = 2.5f;
    light->Flare = 2;
    room.AddLight({10, 1, 10}, {1, 1, 1}, 1e-3f);
    for (const auto& [typus, size] : KindSizes) {
      TEntity& entity = Add(typus);
      DistinguishCommon(entity);
      Distinguish(entity);
      entity.Name = "E" + std::to_string(typus);
    }
    TSurface* surface = room.AddSurface({0, 0, 5}, {4, 0, 5}, {4, 2, 5}, {0, 2, 5}, "textures\\wall");
    surface->name = "WALL";
    for (std::size_t i = 0; i < surface->LightMapSize(); ++i)
      surface->lightMapPixels[i] = static_cast<std::uint8_t>(i * 7 + 3);
    room.AddSurface({0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}, "textures\\floor")->lightMapHeight = 0;
    return room.SaveToBytes();
  }

  // Two lights, a door and a marker, one surface with a 4 x 4 light map.
  std::vector<std::uint8_t> SmallRoom() {
    room.AddLight({1, 2, 3}, {1, 1, 1}, 5);
    room.AddLight({4, 5, 6}, {1, 0.5f, 0.25f}, 7);
    Add(typus::Door, "DOOR1");
    Add(typus::Spawner, "SPAWNER1");
    TSurface* surface = room.AddSurface({0, 0, 5}, {1, 0, 5}, {1, 1, 5}, {0, 1, 5}, "textures\\wall");
    surface->lightMapWidth = 4;
    surface->lightMapHeight = 4;
    for (std::size_t i = 0; i < surface->LightMapSize(); ++i) surface->lightMapPixels[i] = static_cast<std::uint8_t>(i);
    return room.SaveToBytes();
  }
};

TEST_F(RoomTextTest, EveryRoomTheEditorWritesGoesToJsonAndBackByteForByte) {
  room.ClearRoom();
  ExpectRoundTrips(room.SaveToBytes(), "a new room");
  ExpectRoundTrips(DistinctRoom(), "every record kind with distinct fields");

  room.ClearRoom();
  for (int i = 0; i < TRoom::LightSlots; ++i) room.AddLight({static_cast<float>(i % 60), 1, 2}, {1, 1, 1}, 3);
  for (int i = 0; i < TRoom::EntitySlots; ++i) Add(KindSizes[static_cast<std::size_t>(i) % std::size(KindSizes)].first);
  for (int i = 0; i < TRoom::SurfaceSlots; ++i) {
    const auto x = static_cast<float>(i % 50);
    const auto z = static_cast<float>(i / 50);
    ASSERT_NE(room.AddSurface({x, 0, z}, {x + 1, 0, z}, {x + 1, 1, z}, {x, 1, z}, "textures\\wall"), nullptr);
  }
  ExpectRoundTrips(room.SaveToBytes(), "every slot table full");
}

TEST_F(RoomTextTest, TheHostileButValidRoomsOfTheGuardSetGoToJsonAndBack) {
  std::vector<HostileFile> files;
  hostile::AddRoomFiles(engine, files);
  int valid = 0;
  for (const HostileFile& file : files) {
    if (!file.accepted) {
      EXPECT_FALSE(Complete(file.bytes).has_value()) << file.name << ": a refused file has no complete form";
      continue;
    }
    ++valid;
    ExpectRoundTrips(file.bytes, file.name);
  }
  EXPECT_GE(valid, 15);
}

TEST_F(RoomTextTest, EveryRoomOfTheSampleWorldGoesToJsonAndBack) {
  int rooms = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(BRANNOCK_SAMPLE_DIR)) {
    if (entry.path().extension() != ".rer") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    ExpectRoundTrips(bytes, entry.path().string());
    ++rooms;
  }
  EXPECT_GE(rooms, 2);
}

// Bytes the room reader reads past: each is kept under "storedBytes" and comes back.
TEST_F(RoomTextTest, BytesTheReaderIgnoresAreKeptAndComeBack) {
  const auto small = SmallRoom();
  const std::size_t door = LightsAt + 2 * LightSize + 2;     // the door's typus
  const std::size_t spawner = door + 2 + CommonSize + 548;  // the spawner's typus
  const std::size_t spawnerBody = spawner + 2 + CommonSize;
  struct Odd {
    std::string name;
    std::function<void(std::vector<std::uint8_t>&)> patch;
    std::function<void(const Json&)> expect;
  };
  const std::vector<Odd> odds = {
      {"a foreign header", [](auto& b) { b[3] = 'X'; },
       [](const Json& j) { EXPECT_TRUE(j["storedBytes"].contains("header")); }},
      {"characters after a light's name", [&](auto& b) { b[LightsAt + 30] = 0xAB; b[LightsAt + 32] = 1; },
       [](const Json& j) { EXPECT_EQ(j["lights"][0]["storedBytes"]["Name"]["after"], "qwAB"); }},
      {"a name's length byte above its capacity", [&](auto& b) { b[door + 2] = 200; std::fill_n(&b[door + 3], 32, 'D'); },
       [](const Json& j) {
         EXPECT_EQ(j["entities"][0]["Name"], std::string(32, 'D'));
         EXPECT_EQ(j["entities"][0]["storedBytes"]["Name"]["lengthByte"], 200);
       }},
      {"a check box byte of 2", [&](auto& b) { b[door + 2 + 92] = 2; },
       [](const Json& j) {
         EXPECT_EQ(j["entities"][0]["Active"], true);
         EXPECT_EQ(j["entities"][0]["storedBytes"]["Active"], 2);
       }},
      {"a spawner's gap that is not zero", [&](auto& b) { b[spawnerBody + 33] = 9; },
       [](const Json& j) { EXPECT_EQ(j["entities"][1]["storedBytes"]["gapAfterTemplate"], "CQAA"); }},
      {"bytes after the last surface", [](auto& b) { b.insert(b.end(), {1, 2, 3}); },
       [](const Json& j) { EXPECT_EQ(j["storedBytes"]["trailing"], "AQID"); }},
      {"a file that ends after its entities", [](auto& b) { b.resize(b.size() - 2 - 419 - 48); },
       [](const Json& j) { EXPECT_EQ(j["storedBytes"]["surfaceBlock"], false); }},
      {"a NaN with a sign and a free light",
       [&](auto& b) {
         hostile::Poke(b, FieldsAt + 4, std::bit_cast<float>(0xffc00001u));
         hostile::Poke(b, LightsAt + LightSize + 33, std::int16_t{-7});
       },
       [](const Json& j) {
         EXPECT_EQ(j["fields"][0][2], "NaN:0xffc00001");
         EXPECT_EQ(j["lights"][1]["State"], -7) << "a light not in use is a record of the file all the same";
       }},
      {"minus zero and the smallest float",
       [&](auto& b) {
         hostile::Poke(b, FieldsAt + 12 + 4, -0.0f);
         hostile::Poke(b, FieldsAt + 12 + 8, std::bit_cast<float>(1u));
       },
       [](const Json&) {}},
  };
  for (const Odd& odd : odds) {
    auto bytes = small;
    odd.patch(bytes);
    const auto json = Complete(bytes);
    ASSERT_TRUE(json.has_value()) << odd.name;
    try {
      odd.expect(*json);
    } catch (const Json::exception& missing) {
      ADD_FAILURE() << odd.name << ": " << missing.what();
    }
    ExpectRoundTrips(bytes, odd.name);
  }
}

TEST_F(RoomTextTest, AStoredRoomWithoutOddBytesNeedsNoStoredBytes) {
  const auto json = Complete(DistinctRoom());
  ASSERT_TRUE(json.has_value());
  EXPECT_EQ(json->dump().find("storedBytes"), std::string::npos);
  // The complete form holds the plain dump's keys in the plain dump's order.
  const Json& door = (*json)["entities"][1];
  EXPECT_EQ(door["Class"], "TETDoor");
  EXPECT_TRUE(door.contains("Links"));
  const Json& surface = (*json)["surfaces"][0];
  const auto pixels = json_text::FromBase64(surface["lightMapPixels"].get<std::string>());
  ASSERT_TRUE(pixels.has_value());
  EXPECT_EQ(pixels->size(), surface["lightMapWidth"].get<std::size_t>() * surface["lightMapHeight"].get<std::size_t>() * 3);
  EXPECT_GT(pixels->size(), 0u);
  EXPECT_EQ(surface["lightMapSha256"], Sha256Hex(*pixels));
}

// Each edit changes its own field's bytes and nothing else; the built room's JSON is
// the edited JSON.
TEST_F(RoomTextTest, AnEditInTheJsonChangesExactlyThoseBytes) {
  const auto original = SmallRoom();
  const auto base = Complete(original);
  ASSERT_TRUE(base.has_value());
  const std::size_t door = LightsAt + 2 * LightSize + 2;
  const std::size_t spawner = door + 2 + CommonSize + 548;
  struct Edit {
    std::string name;
    std::function<void(Json&)> edit;
    std::size_t from, to;  // the bytes that may change
  };
  const std::vector<Edit> edits = {
      {"a light's position", [](Json& j) { j["lights"][1]["Position"][1] = 7.25; }, LightsAt + LightSize + 35,
       LightsAt + LightSize + 47},
      {"the room's name", [](Json& j) { j["room"]["Name"] = "CELLAR"; }, 96, 129},
      {"a field's height", [](Json& j) { j["fields"][61][2] = 2.5; }, FieldsAt + 61 * 12 + 4, FieldsAt + 61 * 12 + 8},
      {"an entity's name", [](Json& j) { j["entities"][1]["Name"] = "SPAWNER_EAST"; }, spawner + 2, spawner + 2 + 33},
      {"a door's condition value", [](Json& j) { j["entities"][0]["Condition"][2] = 4; }, door + 2 + CommonSize + 542,
       door + 2 + CommonSize + 548},
      {"a pixel",
       [](Json& j) {
         auto pixels = *json_text::FromBase64(j["surfaces"][0]["lightMapPixels"].get<std::string>());
         pixels[45] = 200;
         j["surfaces"][0]["lightMapPixels"] = json_text::Base64(pixels);
       },
       original.size() - 3, original.size()},
  };
  for (const Edit& edit : edits) {
    SCOPED_TRACE(edit.name);
    Json edited = *base;
    edit.edit(edited);
    const auto built = Build(edited);
    ASSERT_EQ(built.size(), original.size());
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < built.size(); ++i)
      if (built[i] != original[i]) changed.push_back(i);
    ASSERT_FALSE(changed.empty());
    EXPECT_GE(changed.front(), edit.from);
    EXPECT_LT(changed.back(), edit.to);

    auto again = Complete(built);
    ASSERT_TRUE(again.has_value());
    for (Json* json : {&edited, &*again})
      for (auto& surface : (*json)["surfaces"]) surface.erase("lightMapSha256");
    EXPECT_TRUE(*again == edited) << Patch(edited, *again);
  }
}

TEST_F(RoomTextTest, DerivedKeysMayBeLeftOutOrStale) {
  const auto original = SmallRoom();
  auto json = *Complete(original);
  json["entities"][0].erase("Class");
  json["entities"][0].erase("Links");
  json["entities"][1]["Links"] = Json::array({5});
  json["surfaces"][0]["lightMapSha256"] = "stale";
  EXPECT_TRUE(Build(json) == original);
}

}  // namespace
