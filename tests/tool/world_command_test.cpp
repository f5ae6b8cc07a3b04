// `brannock-tool world` on small worlds built for each case: a copy of the sample game
// directory whose room directory holds only the case's rooms. One table of cases: a
// world whose links all hold, a missing room, a missing marker, names in another letter
// case, a damaged room among good ones. Then the sample world itself, and the text and
// Graphviz forms.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "core/file_system.h"
#include "core/headless_host.h"
#include "engine/edit_engine.h"
#include "entities/edit_entity.h"
#include "entities/entity_portal.h"
#include "entities/entity_typus.h"
#include "entities/tile_door.h"
#include "room/edit_room.h"
#include "support/temp_game_dir.h"
#include "tool/tool_runner.h"

namespace fs = std::filesystem;

namespace {

struct FixtureLink {
  std::int16_t typus;  // typus::Door or typus::Portal
  std::string name;
  std::string toRoom;
  std::string toMarker;
};

struct FixtureRoom {
  std::string file;  // in the room directory
  std::vector<std::string> markers;
  std::vector<FixtureLink> links;
  bool damaged = false;  // cut off in the middle of its entities
};

struct WorldCase {
  const char* name;
  std::vector<FixtureRoom> rooms;
  int status;
  // "room.rer ENTITY" -> the link's problem (null: it holds); every link of the world.
  std::map<std::string, std::string> links;
  // The rooms whose problems are not empty.
  std::vector<std::string> roomsWithProblems;
};

// gtest names a case by its name, not by its bytes.
void PrintTo(const WorldCase& c, std::ostream* out) { *out << c.name; }

constexpr std::int16_t Door = typus::Door;
constexpr std::int16_t Portal = typus::Portal;
const std::string Holds = "holds";

const std::vector<WorldCase>& Cases() {
  static const std::vector<WorldCase> cases{
      {"AllLinksHold",
       {{"green.rer", {"GREEN_IN"}, {{Door, "TO_HALL", "data\\world\\room\\hall.rer", "HALL_IN"}}},
        // The short forms: a file name in the room directory, with and without ".rer".
        {"hall.rer",
         {"HALL_IN"},
         {{Portal, "TO_GREEN", "green", "GREEN_IN"}, {Door, "BACK", "green.rer", "GREEN_IN"}}}},
       0,
       {{"green.rer TO_HALL", Holds}, {"hall.rer TO_GREEN", Holds}, {"hall.rer BACK", Holds}},
       {}},
      {"MissingRoom",
       {{"green.rer", {"GREEN_IN"}, {{Door, "TO_GONE", "data\\world\\room\\gone.rer", "GONE_IN"}}}},
       1,
       {{"green.rer TO_GONE", "room not found"}},
       {}},
      {"MissingMarker",
       {{"green.rer", {"GREEN_IN"}, {{Door, "TO_HALL", "data\\world\\room\\hall.rer", "NOWHERE"}}},
        // An empty "Lead to Marker:" is a problem only when "Lead to Room:" is set.
        {"hall.rer",
         {"HALL_IN"},
         {{Portal, "NO_MARKER", "data\\world\\room\\green.rer", ""}, {Door, "NOWHERE_AT_ALL", "", ""}}}},
       1,
       {{"green.rer TO_HALL", "marker not found"}, {"hall.rer NO_MARKER", "marker not found"}},
       {}},
      // The game's file system ignores letter case in paths, but a marker is found only by its exact name.
      {"RoomNameInAnotherCase",
       {{"green.rer", {"GREEN_IN"}, {{Door, "TO_HALL", "DATA\\World\\Room\\HALL.RER", "HALL_IN"}}},
        {"hall.rer", {"HALL_IN"}, {{Portal, "TO_GREEN", "Green", "GREEN_IN"}}}},
       0,
       {{"green.rer TO_HALL", Holds}, {"hall.rer TO_GREEN", Holds}},
       {}},
      {"MarkerNameInAnotherCase",
       {{"green.rer", {"GREEN_IN"}, {{Door, "TO_HALL", "data\\world\\room\\hall.rer", "Hall_In"}}},
        {"hall.rer", {"HALL_IN"}, {{Portal, "TO_GREEN", "green", "GREEN_IN"}}}},
       1,
       {{"green.rer TO_HALL", "marker not found"}, {"hall.rer TO_GREEN", Holds}},
       {}},
      {"DamagedRoomAmongGoodOnes",
       {{"green.rer", {"GREEN_IN"}, {{Door, "TO_HALL", "data\\world\\room\\hall.rer", "HALL_IN"}}},
        {"broken.rer", {"BROKEN_IN"}, {{Door, "TO_GREEN", "green", "GREEN_IN"}}, true},
        {"hall.rer", {"HALL_IN"}, {{Portal, "TO_GREEN", "green", "GREEN_IN"}}}},
       1,
       // The door whose record broke off kept the fields read before the damage.
       {{"green.rer TO_HALL", Holds}, {"broken.rer TO_GREEN", Holds}, {"hall.rer TO_GREEN", Holds}},
       {"data/world/room/broken.rer"}},
  };
  return cases;
}

class WorldFixture : public ::testing::Test {
protected:
  void SetUp() override {
    fs::copy(BRANNOCK_SAMPLE_DIR, game_.Path(), fs::copy_options::recursive);
    for (const auto& entry : fs::directory_iterator(RoomDir())) fs::remove(entry.path());
  }

  fs::path RoomDir() const { return fs::path(game_.Path()) / "data" / "world" / "room"; }

  void Build(const std::vector<FixtureRoom>& rooms) {
    HeadlessHost host;
    TQZEngine engine(host, game_.Path());
    engine.StartUp();
    TRoom& room = *engine.Room;
    for (const FixtureRoom& plan : rooms) {
      room.ClearRoom();
      room.Name = fs::path(plan.file).stem().string();
      float x = -10.0f;
      for (const std::string& marker : plan.markers)
        room.AddEntity(typus::Marker, {x += 1.0f, 0.0f, 0.0f}, {}, 1.0f)->Name = marker;
      for (const FixtureLink& link : plan.links) {
        TEntity* entity = room.AddEntity(link.typus, {x += 1.0f, 0.0f, 2.0f}, {}, 1.0f);
        ASSERT_NE(entity, nullptr);
        entity->Name = link.name;
        if (auto* door = dynamic_cast<TETDoor*>(entity)) {
          door->ToRoom = link.toRoom;
          door->ToMarker = link.toMarker;
        } else if (auto* portal = dynamic_cast<TEPortal*>(entity)) {
          portal->ToRoom = link.toRoom;
          portal->ToMarker = link.toMarker;
        }
      }
      room.CountEntities();
      std::vector<std::uint8_t> bytes = room.SaveToBytes();
      // Twenty bytes short of the end: the last entity's record breaks off.
      if (plan.damaged) bytes.resize(bytes.size() - 20);
      std::ofstream((RoomDir() / plan.file).string(), std::ios::binary)
          .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    ASSERT_TRUE(host.errors.empty()) << host.errors.front().Full();
  }

  ToolRun World(const std::string& args) { return RunTool(args, fs::path(game_.Path()) / "stderr.txt"); }

  TempGameDir game_;
};

class WorldCommandTest : public WorldFixture, public ::testing::WithParamInterface<WorldCase> {};

TEST_P(WorldCommandTest, ReportsEveryLinkAndEveryRoomWithItsProblems) {
  const WorldCase& c = GetParam();
  Build(c.rooms);
  // A room directory given without --base: its game directory is found above it.
  const ToolRun run = World("world '" + RoomDir().string() + "' --json");
  EXPECT_EQ(run.status, c.status) << run.out << run.err;
  const auto json = nlohmann::json::parse(run.out);

  std::map<std::string, std::string> links;
  for (const auto& link : json["links"]) {
    const std::string room = fs::path(link["room"].get<std::string>()).filename().string();
    links[room + " " + link["entity"].get<std::string>()] =
        link["problem"].is_null() ? Holds : link["problem"].get<std::string>();
    if (link["problem"].is_null()) {
      EXPECT_TRUE(link["resolved"].get<std::string>().starts_with("data/world/room/")) << link.dump();
    } else if (link["problem"] == "room not found") {
      EXPECT_TRUE(link["resolved"].is_null()) << link.dump();
    }
    for (const char* field : {"typus", "toRoom", "toMarker"}) EXPECT_TRUE(link.contains(field)) << field;
  }
  EXPECT_EQ(links, c.links);

  ASSERT_EQ(json["rooms"].size(), c.rooms.size());
  std::vector<std::string> withProblems;
  for (const auto& room : json["rooms"]) {
    EXPECT_TRUE(room["file"].get<std::string>().starts_with("data/world/room/")) << room.dump();
    EXPECT_EQ(room["name"], fs::path(room["file"].get<std::string>()).stem().string());
    if (!room["problems"].empty()) withProblems.push_back(room["file"]);
  }
  EXPECT_EQ(withProblems, c.roomsWithProblems);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, WorldCommandTest, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<WorldCase>& info) { return std::string(info.param.name); });

TEST_F(WorldFixture, TextSaysWhatWasNotFoundAndNotesWhatNothingLeadsTo) {
  Build({{"green.rer", {"GREEN_IN", "LONELY"}, {{Door, "TO_HALL", "data\\world\\room\\hall.rer", "Hall_In"}}},
         {"hall.rer", {"HALL_IN"}, {{Portal, "TO_GONE", "data\\world\\room\\gone.rer", "X"}}}});
  const ToolRun run = World("--base '" + game_.Path() + "' world");
  EXPECT_EQ(run.status, 1);
  for (const char* line :
       {"data/world/room/green.rer \"green\": 1 problem\n",
        "  entity 2 \"TO_HALL\": Lead to Marker \"Hall_In\" is no marker of data/world/room/hall.rer (its marker "
        "\"HALL_IN\" differs only in letter case)\n",
        "  entity 1 \"TO_GONE\": Lead to Room \"data\\world\\room\\gone.rer\" finds no room file\n",
        "  note: marker \"LONELY\": no door or portal of the world leads to it\n",
        "  note: no door or portal of another room leads here\n", "2 rooms, 2 links, 2 broken, 0 rooms with errors\n"})
    EXPECT_NE(run.out.find(line), std::string::npos) << line << "\nin:\n" << run.out;

  const ToolRun dot = World("--base '" + game_.Path() + "' world --dot");
  EXPECT_EQ(dot.status, 1);
  EXPECT_TRUE(dot.out.starts_with("digraph world {")) << dot.out;
  EXPECT_NE(dot.out.find("\"data/world/room/green.rer\" -> \"data/world/room/hall.rer\""), std::string::npos)
      << dot.out;
  EXPECT_NE(dot.out.find("\"not found: data\\\\world\\\\room\\\\gone.rer\" [color=red"), std::string::npos) << dot.out;
  EXPECT_NE(World("--base '" + game_.Path() + "' world --json --dot").status, 0) << "one form at a time";
}

TEST(WorldCommand, TheSampleWorldIsLinkedAndHoldsTogether) {
  const ToolRun run = RunTool("world --json", fs::temp_directory_path() / "brannock-world-sample-stderr.txt");
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  const auto json = nlohmann::json::parse(run.out);
  std::vector<std::string> files;
  for (const auto& room : json["rooms"]) {
    files.push_back(room["file"]);
    EXPECT_TRUE(room["problems"].empty()) << room.dump();
  }
  EXPECT_EQ(files, (std::vector<std::string>{"data/world/room/abbey.rer", "data/world/room/bake.rer",
                                             "data/world/room/cellar.rer", "data/world/room/demo.rer"}));
  // Every room is reached from another one.
  std::set<std::string> reached;
  for (const auto& link : json["links"]) {
    EXPECT_TRUE(link["problem"].is_null()) << link.dump();
    if (link["room"] != link["resolved"]) reached.insert(link["resolved"].get<std::string>());
  }
  EXPECT_EQ(reached.size(), files.size());
}

}  // namespace
