// `brannock-tool dump --complete` and `build` as processes: a room goes to JSON and back
// to the same file, and a damaged or hostile JSON gets one clear message naming its
// key, a non-zero exit and no room file.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "entities/entity_fixture.h"
#include "entities/entity_typus.h"
#include "support/temp_game_dir.h"
#include "tool/tool_runner.h"

using Json = nlohmann::ordered_json;
namespace fs = std::filesystem;

namespace {

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void Spill(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

class BuildTest : public EntityTest {
protected:
  std::string Path(const std::string& name) const { return dir.Path() + "/" + name; }
  ToolRun Tool(const std::string& args) { return RunTool(args, Path("stderr.txt")); }

  // A light, a marker, a trigger, a spawner and a surface with a 4 x 4 light map,
  // saved by the editor and dumped by the tool.
  Json SmallRoomJson() {
    room.AddLight({1, 2, 3}, {1, 1, 1}, 5);
    Add(typus::Marker, "MARKER1");
    Add(typus::Trigger, "TRIGGER1");
    Add(typus::Spawner, "SPAWNER1");
    TSurface* surface = room.AddSurface({0, 0, 5}, {1, 0, 5}, {1, 1, 5}, {0, 1, 5}, "textures\\wall");
    surface->lightMapWidth = 4;
    surface->lightMapHeight = 4;
    EXPECT_TRUE(room.SaveToFile(Path("small.rer")));
    const ToolRun dump = Tool("dump --complete '" + Path("small.rer") + "'");
    EXPECT_EQ(dump.status, 0) << dump.err;
    return Json::parse(dump.out);
  }

  TempGameDir dir;
};

TEST_F(BuildTest, ARoomGoesToJsonAndBackToTheSameFileAndTheSameJson) {
  const std::string demo = std::string(BRANNOCK_SAMPLE_DIR) + "/data/world/room/demo.rer";
  const ToolRun dump = Tool("dump --complete '" + demo + "'");
  ASSERT_EQ(dump.status, 0) << dump.err;
  EXPECT_TRUE(dump.err.empty()) << dump.err;
  Spill(Path("demo.json"), dump.out);
  const ToolRun build = Tool("build '" + Path("demo.json") + "' '" + Path("demo.rer") + "'");
  ASSERT_EQ(build.status, 0) << build.err;
  EXPECT_TRUE(build.out.empty() && build.err.empty()) << build.out << build.err;
  EXPECT_TRUE(Slurp(Path("demo.rer")) == Slurp(demo));
  const ToolRun again = Tool("dump --complete '" + Path("demo.rer") + "'");
  EXPECT_TRUE(again.out == dump.out) << "JSON -> rer -> JSON differs";

  // The plain dump's keys and values, the light maps besides.
  const Json complete = Json::parse(dump.out);
  const ToolRun plainRun = Tool("dump '" + demo + "'");
  const Json plain = Json::parse(plainRun.out);
  EXPECT_EQ(complete["room"], plain["room"]);
  EXPECT_EQ(complete["fields"], plain["fields"]);
  EXPECT_EQ(complete["lights"], plain["lights"]);
  EXPECT_EQ(complete["entities"], plain["entities"]);
  ASSERT_EQ(complete["surfaces"].size(), plain["surfaces"].size());
  for (std::size_t i = 0; i < plain["surfaces"].size(); ++i) {
    Json surface = complete["surfaces"][i];
    surface.erase("lightMapPixels");
    EXPECT_EQ(surface, plain["surfaces"][i]);
  }
}

TEST_F(BuildTest, ARefusedRoomFileHasNoCompleteDump) {
  Spill(Path("cut.rer"), Slurp(std::string(BRANNOCK_SAMPLE_DIR) + "/data/world/room/demo.rer").substr(0, 60000));
  const ToolRun dump = Tool("dump --complete '" + Path("cut.rer") + "'");
  EXPECT_NE(dump.status, 0);
  EXPECT_EQ(dump.out, "");
  EXPECT_EQ(dump.err, "QZ_ROOM: Error while loading room file!\n");
}

struct Damage {
  std::string name;
  std::function<void(Json&)> change;  // on the small room's JSON
  std::string message;                // after "QZ_ROOM: <file>: "; a prefix
};

const std::string LongName(33, 'N');

const std::vector<Damage> Damages = {
    {"the whole is no object", [](Json& j) { j = Json::array(); }, "the JSON: a list of 0 is not an object"},
    {"a list left out", [](Json& j) { j.erase("lights"); }, "lights: missing; every stored field is given"},
    {"a misspelt key", [](Json& j) { j["lights"][0]["Radus"] = j["lights"][0]["Radius"]; j["lights"][0].erase("Radius"); },
     "lights[0].Radius: missing; every stored field is given"},
    {"a key of no field", [](Json& j) { j["lights"][0]["Colour"] = Json::array({1, 1, 1}); },
     "lights[0].Colour: no field of that name in a light"},
    {"a key of no field at the top", [](Json& j) { j["notes"] = "hello"; }, "notes: no field of that name in a room"},
    {"65 lights", [](Json& j) { while (j["lights"].size() < 65) j["lights"].push_back(j["lights"][0]); },
     "lights: 65 lights; the room holds at most 64"},
    {"129 entities", [](Json& j) { while (j["entities"].size() < 129) j["entities"].push_back(j["entities"][0]); },
     "entities: 129 entities; the room holds at most 128"},
    {"257 surfaces", [](Json& j) { while (j["surfaces"].size() < 257) j["surfaces"].push_back(j["surfaces"][0]); },
     "surfaces: 257 surfaces; the room holds at most 256"},
    {"a name too long", [](Json& j) { j["entities"][0]["Name"] = LongName; },
     "entities[0].Name: 33 characters; at most 32 fit"},
    {"a character beyond Latin-1", [](Json& j) { j["entities"][1]["Name"] = "CAF\u20AC"; },
     "entities[1].Name: holds a character beyond Latin-1"},
    {"a number too big for 16 bits", [](Json& j) { j["lights"][0]["State"] = 40000; },
     "lights[0].State: 40000 is not a whole number from -32768 to 32767"},
    {"a fraction for a list index", [](Json& j) { j["fields"][61][0] = 1.5; },
     "fields[61][0] (Typus): 1.5 is not a whole number from -32768 to 32767"},
    {"a word for a float", [](Json& j) { j["lights"][0]["Radius"] = "wide"; },
     "lights[0].Radius: \"wide\" is not a number"},
    {"a float beyond 32 bits", [](Json& j) { j["room"]["FogDensity"] = 1e39; },
     "room.FogDensity: 1e+39 is beyond the range of a 32-bit float"},
    {"a NaN without its bits", [](Json& j) { j["room"]["FogDensity"] = "NaN:0x7f800000"; },
     "room.FogDensity: \"NaN:0x7f800000\" is not a number"},
    {"a number for a check box", [](Json& j) { j["entities"][0]["Active"] = 1; },
     "entities[0].Active: 1 is not true or false"},
    {"a vector of two", [](Json& j) { j["lights"][0]["Position"] = Json::array({1, 2}); },
     "lights[0].Position: a list of 2, not a list of 3 numbers"},
    {"a field short of the grid", [](Json& j) { j["fields"].erase(j["fields"].size() - 1); },
     "fields: a list of 3599, not a list of 3600 fields (60 x 60, column by column)"},
    {"a field of three values", [](Json& j) { j["fields"][61].erase(3); },
     "fields[61]: a list of 3, not a list of 4 values (Typus, Material, Height, Ceiling)"},
    {"seven targets", [](Json& j) { j["entities"][1]["Targets"].erase(7); },
     "entities[1].Targets: a list of 7, not a list of 8 texts"},
    {"a variable of two", [](Json& j) { j["entities"][1]["Condition"].erase(2); },
     "entities[1].Condition: a list of 2, not a list of 3 list indices"},
    {"a typus without a kind", [](Json& j) { j["entities"][0]["Typus"] = 4999; },
     "entities[0].Typus: 4999 is no entity kind"},
    {"another kind's class", [](Json& j) { j["entities"][0]["Class"] = "TESound"; },
     "entities[0].Class: \"TESound\" is not the class of typus 2007 (TEMarker)"},
    {"another kind's fields", [](Json& j) { j["entities"][0]["Typus"] = 2002; j["entities"][0].erase("Class"); },
     "entities[0].CountDown: missing; every stored field is given"},
    {"a light map too wide", [](Json& j) { j["surfaces"][0]["lightMapWidth"] = 512; },
     "surfaces[0].lightMapWidth: 512 texels; a light map has 0 to 256"},
    {"pixels short of the light map", [](Json& j) { j["surfaces"][0]["lightMapPixels"] = "AAAA"; },
     "surfaces[0].lightMapPixels: not the base64 of 48 bytes (width x height x 3)"},
    {"pixels that are not base64", [](Json& j) { j["surfaces"][0]["lightMapPixels"] = std::string(64, '*'); },
     "surfaces[0].lightMapPixels: \"*****"},
    {"the plain dump's surface", [](Json& j) { j["surfaces"][0].erase("lightMapPixels"); },
     "surfaces[0].lightMapPixels: missing; the plain dump has no pixels, dump --complete has"},
    {"three corners", [](Json& j) { j["surfaces"][0]["corners"].erase(3); },
     "surfaces[0].corners: a list of 3, not a list of 4 corners"},
    {"a corner without its S", [](Json& j) { j["surfaces"][0]["corners"][2].erase("S"); },
     "surfaces[0].corners[2].S: missing; every stored field is given"},
    {"stored bytes of no field", [](Json& j) { j["entities"][0]["storedBytes"] = {{"Nmae", {{"after", "AQ=="}}}}; },
     "entities[0].storedBytes.Nmae: no stored bytes of that name in a TEMarker entity"},
    {"a length byte with a short text", [](Json& j) { j["entities"][0]["storedBytes"] = {{"Name", {{"lengthByte", 40}}}}; },
     "entities[0].storedBytes.Name.lengthByte: a length byte above the capacity goes with a text of all 32 characters, "
     "not 7"},
    {"a stored byte for a false check box",
     [](Json& j) {
       j["entities"][0]["Visible"] = false;
       j["entities"][0]["storedBytes"] = {{"Visible", 7}};
     },
     "entities[0].Visible: false, but its stored byte is 7, which reads as true"},
    {"a gap of the wrong size", [](Json& j) { j["entities"][2]["storedBytes"] = {{"gapAfterTemplate", "AQ=="}}; },
     "entities[2].storedBytes.gapAfterTemplate: 1 bytes; the gap holds 3"},
    {"a header of the wrong size", [](Json& j) { j["storedBytes"] = {{"header", "AAAA"}}; },
     "storedBytes.header: 3 bytes; the header is 96"},
    {"no surface block, but surfaces", [](Json& j) { j["storedBytes"] = {{"surfaceBlock", false}}; },
     "storedBytes.surfaceBlock: false, but the room has surfaces"},
};

TEST_F(BuildTest, EveryDamagedJsonGetsItsMessageAndNoRoomFile) {
  const Json small = SmallRoomJson();
  ASSERT_TRUE(small.is_object());
  const auto check = [&](const std::string& name, const std::string& text, const std::string& message) {
    SCOPED_TRACE(name);
    const std::string in = Path("damaged.json"), out = Path("built.rer");
    Spill(in, text);
    fs::remove(out);
    const ToolRun run = Tool("build '" + in + "' '" + out + "'");
    EXPECT_NE(run.status, 0);
    const std::string expected = "QZ_ROOM: " + in + ": " + message;
    EXPECT_EQ(run.err.substr(0, expected.size()), expected) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_FALSE(fs::exists(out));
  };
  for (const Damage& damage : Damages) {
    Json json = small;
    damage.change(json);
    check(damage.name, json.dump(), damage.message);
  }
  // Damage to the text itself.
  const std::string text = small.dump();
  check("not JSON", text.substr(0, text.size() / 2), "not JSON: parse error at line 1, column ");
  std::string huge = text;
  ASSERT_NE(huge.find("\"SizeX\":"), std::string::npos);
  huge.insert(huge.find("\"SizeX\":") + 8, "1e999");
  check("a number past a double's range", huge, "not JSON: number overflow parsing '1e999");
  std::string twice = text;
  const std::string marker = "{\"Typus\":2007,";
  ASSERT_NE(twice.find(marker), std::string::npos);
  twice.replace(twice.find(marker), marker.size(), marker + "\"Typus\":2007,");
  check("a key given twice", twice, "entities[0].Typus: given twice");
}

TEST_F(BuildTest, AFailedBuildLeavesTheRoomFileAsItWas) {
  Json json = SmallRoomJson();
  Spill(Path("kept.rer"), "the room before");
  json["lights"][0]["Radius"] = "wide";
  Spill(Path("damaged.json"), json.dump());
  EXPECT_NE(Tool("build '" + Path("damaged.json") + "' '" + Path("kept.rer") + "'").status, 0);
  EXPECT_EQ(Slurp(Path("kept.rer")), "the room before");

  const ToolRun missing = Tool("build '" + Path("nothing.json") + "' '" + Path("kept.rer") + "'");
  EXPECT_NE(missing.status, 0);
  EXPECT_EQ(missing.err, "QZ_ROOM: Could not read \"" + Path("nothing.json") + "\"\n");
}

}  // namespace
