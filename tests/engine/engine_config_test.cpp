#include <gtest/gtest.h>

#include <algorithm>

#include "core/headless_host.h"
#include "engine/edit_engine.h"
#include "support/temp_game_dir.h"

namespace {

using Items = std::vector<std::string>;

struct ConfigFixture : ::testing::Test {
  TempGameDir dir;
  HeadlessHost host;
  std::unique_ptr<TQZEngine> engine;

  TQZEngine& Engine() {
    if (!engine) engine = std::make_unique<TQZEngine>(host, dir.Path());
    return *engine;
  }
  MemoryForm& Main() { return host.Memory(FormId::Main); }
  MemoryForm& Entity() { return host.Memory(FormId::Entity); }
  MemoryForm& Room() { return host.Memory(FormId::Room); }
  MemoryForm& Light() { return host.Memory(FormId::Light); }
};

}  // namespace

TEST_F(ConfigFixture, EditorIniFillsCombosAndListsOfEveryForm) {
  dir.Write("editor.ini",
            "[ROOM_FOG]\r\nNo fog\r\nLinear\r\n\r\n"
            "[FIELD_TYPUS]\nNone\nFloor\nBlock\n\n"
            "[FIELD_MATERIAL]\nEarth\nStone\n\n"
            "[LIGHT_FLARE]\nNone\nSun\n\n"
            "[LIGHT_EFFECT]\nNone\n\n"
            "[ENTITY_TYPUS]\nTiles\nSequences\n\n"
            "[ENTITY_SEQUENCES]\nCamera\nTrigger\n\n"
            "[CONDITION_TYPE]\nAlways\nEquals\n\n"
            "[ITEM_TYPUS]\nKey\n\n"
            "[VARIABLE_TYPE]\nSet\nAdd\n\n"
            "[ANIMATION_DIRECTION]\nStill\nForward\n\n");
  Main().SetLeft("LBEntityTiles", 17);
  Engine().LoadEditorIni();
  EXPECT_TRUE(host.errors.size() == 1 && host.errors[0].text.find("loadsound.ini") != std::string::npos)
      << "only the missing sound list is reported";

  EXPECT_EQ(Room().Items("CBFogTypus"), (Items{"No fog", "Linear"})) << "CR LF lines";
  EXPECT_EQ(Room().ItemIndex("CBFogTypus"), -1) << "a combo has no selection";
  EXPECT_EQ(Room().Inspect("CBFogTypus").dropDownCount, 22);
  EXPECT_EQ(Light().Items("CBEffect"), Items{"None"});
  EXPECT_TRUE(Room().Items("CBEffect").empty()) << "the room's own CBEffect is a different control";
  EXPECT_EQ(Main().ItemIndex("CBFieldTypus"), 1);
  EXPECT_EQ(Main().ItemIndex("CBFieldMaterial"), 0);
  EXPECT_EQ(Main().ItemIndex("LBEntitySequences"), 0) << "a list ends with its first entry selected";
  EXPECT_EQ(Main().ItemIndex("CBEntityTypus"), 0) << "palette group 0 shown";
  EXPECT_TRUE(Main().Visible("LBEntityTiles"));
  EXPECT_FALSE(Main().Visible("LBEntitySequences"));

  // The copied lists.
  EXPECT_EQ(Room().Items("CBSunFlare"), (Items{"None", "Sun"}));
  EXPECT_EQ(Entity().Items("CBTileMaterial"), (Items{"Earth", "Stone"}));
  EXPECT_EQ(Entity().Items("CBUnitConditionType"), (Items{"Always", "Equals"}));
  EXPECT_EQ(Entity().Items("CBTDoorConditionType"), (Items{"Always", "Equals"}));
  EXPECT_EQ(Entity().Items("CBTDoorKey"), Items{"Key"});
  EXPECT_EQ(Entity().Items("CBItemConditionType"), (Items{"Set", "Add"}));
  EXPECT_EQ(Entity().Items("CBSavePointTypus"), (Items{"Set", "Add"}));
  EXPECT_EQ(Entity().Items("CBEAnimationDirection"), (Items{"Still", "Forward"}));
  EXPECT_EQ(Entity().Inspect("CBTDoorKey").dropDownCount, 22);

  EXPECT_EQ(Main().Text("EditLightR"), "0.70");
  EXPECT_EQ(Main().Text("EditLightB"), "0.70");
  EXPECT_EQ(Main().Color("BtnLightColor"), 0xB3B3B3u);
  for (const char* palette : {"LBEntitySequences", "LBEntityUnits", "LBEntityPortals", "LBEntityParticles"})
    EXPECT_EQ(Main().Left(palette), 17) << palette;

  EXPECT_EQ(Engine().EditorLists.at("[FIELD_TYPUS]"), (Items{"None", "Floor", "Block"}));
  EXPECT_EQ(Engine().EditorLists.count("[ROOM_REGION]"), 0u);
}

TEST_F(ConfigFixture, MissingEditorIniIsOneMessageAndChangesNothing) {
  Main().SetText("EditLightR", "untouched");
  Engine().LoadEditorIni();
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_EQ(host.errors[0].Full(), "QZ_FILE: File \"" + Engine().BaseDir.str() + "editor.ini not found!");
  EXPECT_EQ(Main().Text("EditLightR"), "untouched");
}

TEST_F(ConfigFixture, MisplacedHeadersFollowTheLineGrammar) {
  dir.Write("editor.ini",
            "[ROOM_FOG] \nignored\n\n"
            "[ROOM_REGION]\nNorth\n[ROOM_EFFECT]\nQuake\n\n");
  Engine().LoadEditorIni();
  EXPECT_TRUE(Room().Items("CBFogTypus").empty());
  EXPECT_EQ(Room().Items("CBRegion"), (Items{"North", "[ROOM_EFFECT]", "Quake"}));
  EXPECT_TRUE(Room().Items("CBEffect").empty());
}

TEST_F(ConfigFixture, ReloadingVariablesBlanksRemovedOnes) {
  dir.Write("variable.ini", "[GAME_VARIABLE]\n000 Stage:\n\t\t001 Begun\n200 Last\n");
  dir.Write("enemy.ini", "[GAME_ENEMY]\n100 Warden\n007 Crawler\n");
  Engine().LoadVariables();
  Engine().LoadEnemies();
  EXPECT_EQ(Engine().Variables[0].Name.str(), "Stage");
  EXPECT_EQ(Engine().Variables[0].Values[1].str(), "Begun");
  EXPECT_EQ(Engine().Variables[200].Name.str(), "Last");
  EXPECT_EQ(Engine().Enemies[100].str(), "Warden");

  dir.Write("variable.ini", "[GAME_VARIABLE]\n000 Stage\n");
  dir.Remove("enemy.ini");
  Engine().LoadVariables();
  Engine().LoadEnemies();
  EXPECT_EQ(Engine().Variables[0].Name.str(), "Stage");
  EXPECT_TRUE(Engine().Variables[0].Values[1].empty()) << "values of the old file are gone";
  EXPECT_EQ(Engine().Variables[200].Name.str(), " ");
  EXPECT_EQ(Engine().Enemies[100].str(), " ") << "a missing enemy.ini still resets the table";
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_EQ(host.errors[0].tag, "QZ_FILE");

  Engine().FillVariableCombo(Entity(), "CBVariable");
  EXPECT_EQ(Entity().Items("CBVariable")[200], " ");
}

TEST_F(ConfigFixture, SoundComboComesFromTheSoundDirectory) {
  Entity().SetItems("CBSoundSound", {"stale"});
  dir.Write("Sound/LoadSound.ini", "notes\n[SOUND_FILENAME]\nwind.wav\nfx\\bell.wav\n\nafter.wav\n");
  Engine().FillSoundCombo(Entity(), "CBSoundSound");
  EXPECT_EQ(Entity().Items("CBSoundSound"), (Items{"wind.wav", "fx\\bell.wav"}));
  EXPECT_EQ(Entity().Inspect("CBSoundSound").dropDownCount, 22);

  dir.Remove("Sound/LoadSound.ini");
  Engine().FillSoundCombo(Entity(), "CBSoundSound");
  EXPECT_TRUE(Entity().Items("CBSoundSound").empty()) << "cleared before the file is looked for";
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_EQ(host.errors[0].text, "File \"" + Engine().SoundDir.str() + "loadsound.ini not found!");
}

TEST_F(ConfigFixture, OversizedFileIsRefusedNotLoaded) {
  dir.Write("enemy.ini", "[GAME_ENEMY]\n001 Big\n" + std::string(ConfigLineReader::MaxFileBytes, 'x'));
  Engine().LoadEnemies();
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_EQ(host.errors[0].Full(), "QZ_FILE: File \"" + Engine().BaseDir.str() + "enemy.ini could not be read!");
  EXPECT_EQ(Engine().Enemies[1].str(), " ");
}

// The generated sample world must satisfy the editor's configuration readers.
TEST(SampleData, StartsWithoutConfigurationErrors) {
  HeadlessHost host;
  TQZEngine engine(host, BRANNOCK_SAMPLE_DIR);
  engine.LoadEditorIni();
  engine.LoadVariables();
  engine.LoadEnemies();
  for (const auto& error : host.errors) ADD_FAILURE() << error.Full();
  EXPECT_EQ(engine.EditorLists.size(), 32u) << "every section present";
  for (const auto& [header, entries] : engine.EditorLists) EXPECT_FALSE(entries.empty()) << header;
  EXPECT_EQ(engine.EditorLists.at("[FIELD_TYPUS]").size(), 8u) << "typus 0 to 7 have built-in shapes";
  EXPECT_EQ(engine.EditorLists.at("[ENTITY_SEQUENCES]").size(), 15u);
  EXPECT_EQ(engine.EditorLists.at("[ENTITY_PORTALS]").size(), 4u);
  EXPECT_EQ(engine.EditorLists.at("[ENTITY_PARTICLES]").size(), 5u);
  EXPECT_EQ(engine.EditorLists.at("[GL_BLENDING]").size(), 5u);
  EXPECT_FALSE(host.Memory(FormId::Entity).Items("CBSoundSound").empty());
  const auto named = [](const String32& name) { return name.str() != " "; };
  EXPECT_TRUE(std::any_of(engine.Variables.begin(), engine.Variables.end(),
                          [&](const TGameVariable& v) { return named(v.Name); }));
  EXPECT_TRUE(std::any_of(engine.Enemies.begin(), engine.Enemies.end(), named));
}
