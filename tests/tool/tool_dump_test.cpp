// `brannock-tool dump` on a room holding one entity of every kind, each field set to a
// value no constructor gives it: every kind shows its own fields, under their own
// names, in their order, and the links the load's Bind made.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "entities/entity_animation.h"
#include "entities/entity_camera.h"
#include "entities/entity_control.h"
#include "entities/entity_fixture.h"
#include "entities/entity_item.h"
#include "entities/entity_marker.h"
#include "entities/entity_message.h"
#include "entities/entity_portal.h"
#include "entities/entity_savepoint.h"
#include "entities/entity_sound.h"
#include "entities/entity_spawner.h"
#include "entities/entity_tilemover.h"
#include "entities/entity_touchfield.h"
#include "entities/entity_trigger.h"
#include "entities/entity_typus.h"
#include "entities/entity_variable.h"
#include "entities/tile_door.h"
#include "entities/unit_main.h"
#include "particles/particle_explosion.h"
#include "particles/particle_fire.h"
#include "particles/particle_fountain.h"
#include "particles/particle_grass.h"
#include "particles/particle_rain.h"
#include "support/temp_game_dir.h"
#include "tool/tool_runner.h"

using Json = nlohmann::ordered_json;

namespace {

const std::vector<std::string> CommonKeys = {
    "Typus",        "Class",       "Name",     "Position",    "Rotation",      "ModelName",    "Health",
    "Active",       "Size",        "Visible",  "ApplyLighting", "Color",       "BlendingMode", "Density",
    "ShadowTypus",  "ShadowRadius", "AnimName", "AnimDirection", "AnimSpeed",  "AnimLoop"};

void SetTile(TETile& tile, TVector autoRotate, std::int16_t form, TVector collision, std::int16_t material) {
  tile.AutoRotate = autoRotate;
  tile.CollisionForm = form;
  tile.CollisionSize = collision;
  tile.Material = material;
  tile.CanClimb = true;
}

void SetUnit(TEUnit& unit, std::int16_t enemy, TVariableCondition condition, std::int16_t behavior, bool sees,
             const std::array<const char*, 5>& names) {
  unit.EnemyVariable = enemy;
  unit.Condition = condition;
  unit.Behavior = behavior;
  unit.CanSee = sees;
  unit.CanHear = false;
  unit.CanMove = !sees;
  unit.CanAttack = false;
  unit.MovementTarget = names[0];
  unit.AttackTarget = names[1];
  unit.OnRecognize = names[2];
  unit.OnDamage = names[3];
  unit.OnDeath = names[4];
}

class DumpTest : public EntityTest {
protected:
  // One entity of every kind in slots 0 to 22, with the kind fields the expectations
  // below name.
  Json DumpEveryKind() {
    SetTile(Add<TETile>(typus::Tile), {1, 2, 3}, 2, {0.25f, 4, 5}, 3);
    auto& door = Add<TETDoor>(typus::Door);
    SetTile(door, {0, 45, 0}, 1, {1, 2.5f, 1}, 4);
    door.ToRoom = "world\\cellar.rer";
    door.ToMarker = "CELLAR_GATE";
    door.Dimensions = {1.5f, 2.5f, 0.75f};
    door.PlayerAnimation = "push";
    door.WaitBeforeEnter = 0.5f;
    door.DoorAnimation = "open";
    door.DoorAnimSpeed = 2;
    door.WaitBeforeAnim = 0.25f;
    door.ActivationTarget = "MARKER1";
    door.Sound = "TRIGGER1";  // not a sound, linked all the same
    door.KeyItem = 2;
    door.OnLocked = "MESSAGE1";
    door.OnUnlock = "CONTROL1";
    door.Condition = {5, 1, 3};
    auto& mover = Add<TETileMover>(typus::TileMover);
    mover.Target = "TILE1";
    mover.Delay = 1.5f;
    mover.Marker = "MARKER1";
    mover.Speed = 3;
    mover.RotateSpeed = 0.5f;
    auto& trigger = Add<TETrigger>(typus::Trigger);
    trigger.CountDown = 4;
    trigger.ShowCountDown = true;
    trigger.Delay = 2.5f;
    trigger.Activations = 3;
    trigger.Condition = {7, 2, 4};
    trigger.Action = 5;
    trigger.Targets = {"DOOR1", "NOBODY", "MARKER1", "", "", "", "", "LAST"};
    auto& touch = Add<TETouchField>(typus::TouchField);
    touch.Dimensions = {3, 1, 2};
    touch.OnEnter = "TRIGGER1";
    touch.OnExit = "SPAWNER1";
    touch.Activations = 2;
    touch.ByHero = false;
    touch.ByAll = true;
    touch.ByEntity = "MUTANT1";
    auto& message = Add<TEMessage>(typus::Message);
    message.MessageFile = "text\\intro.txt";
    message.Sound = "SOUND1";
    message.Delay = 0.75f;
    auto& control = Add<TEControl>(typus::Control);
    control.GameStatus = 2;
    control.Action = 3;
    control.Delay = 1.25f;
    control.Duration = 6;
    control.NextControl = "CONTROL1";
    auto& marker = Add<TEMarker>(typus::Marker);
    marker.TargetMarker = "MARKER1";  // itself: links do not leave the entity out
    marker.Delay = 4.5f;
    marker.TriggerOnEnter = "TRIGGER1";
    auto& spawner = Add<TESpawner>(typus::Spawner);
    spawner.Template = "MUTANT1";
    spawner.DelayBeforeFirst = 2;
    spawner.TotalCount = 5;
    spawner.SpawnAtOnce = 2;
    spawner.DelayInbetween = 3.5f;
    spawner.SpawnPosition = "MARKER1";
    spawner.SpawnEffect = 1;
    spawner.Sound = "SOUND1";
    Add<TEVariable>(typus::Variable).Assignment = {12, 1, 2};
    Add<TESavePoint>(typus::SavePoint).Assignment = {3, 2, 5};
    auto& sound = Add<TESound>(typus::Sound);
    sound.SoundFile = "sound\\drip.wav";
    sound.Volume = 80;
    sound.Speed = 1.5f;
    sound.Loop = true;
    sound.Source = 1;
    sound.SourceEntity = "FIRE1";
    sound.Activation = 2;
    sound.RandomPercent = 40;
    sound.ReplayAfter = 7.5f;
    auto& animation = Add<TEAnimation>(typus::Animation);
    animation.AnimationName = "wave";
    animation.Direction = 0;
    animation.Speed = 0.5f;
    animation.Loop = true;
    animation.Targets = {"TILE1", "DOOR1", "MUTANT1", "CLAWSHRIMP1"};
    auto& item = Add<TEItem>(typus::Item);
    item.ItemTypus = 3;
    item.Amount = 7;
    item.OnCollect = "TRIGGER1";
    item.CollectAnimation = "ANIMATION1";
    item.DelayBeforeCollect = 0.25f;
    item.Assignment = {9, 1, 4};
    item.ItemModel = "key_gold";
    auto& portal = Add<TEPortal>(typus::Portal);
    portal.ToRoom = "world\\tower.rer";
    portal.ToMarker = "TOP";
    portal.Dimensions = {2, 3, 0.5f};
    portal.ActivationDistance = 1.75f;
    portal.Target = "DOOR1";
    portal.TargetAnimation = "spin";
    portal.TargetSpeed = 2.5f;
    portal.Sound = "SOUND1";
    auto& camera = Add<TECamera>(typus::Camera);
    camera.CameraTypus = 2;
    camera.RadiusX = 5;
    camera.RadiusZ = 3;
    camera.RotationFactor = 0.5f;
    camera.MovementFactor = 0.25f;
    camera.ZoomFactor = 1.5f;
    camera.Target = "CAMERA1";
    camera.MovementSpeed = 2;
    camera.ZoneMinX = -6;
    camera.ZoneMinZ = -5;
    camera.ZoneMaxX = 14;
    camera.ZoneMaxZ = 1;
    SetUnit(Add<TEUnit>(typus::Mutant), 4, {1, 2, 3}, 2, false,
            {"MARKER1", "CLAWSHRIMP1", "TRIGGER1", "SPAWNER1", "CONTROL1"});
    SetUnit(Add<TEUnit>(typus::ClawShrimp), 6, {2, 0, 1}, 1, true,
            {"PORTAL1", "MUTANT1", "ITEM1", "SOUND1", "MESSAGE1"});
    auto& grass = Add<TEPGrass>(typus::Grass);
    grass.GrassModel = "grass_tuft";
    grass.SizeMin = 0.5f;
    grass.SizeMax = 1.5f;
    grass.Amount = 12;
    grass.ExtentX = 4;
    grass.ExtentZ = 2;
    grass.IntoGround = 0.125f;
    grass.Form = TEPGrass::FormEllipse;
    grass.RotationSpread = {5, 90, 10};
    auto& fire = Add<TEPFire>(typus::Fire);
    fire.FireSize = 2.5f;
    fire.FireRadius = 0.75f;
    auto& fountain = Add<TEPFountain>(typus::Fountain);
    fountain.FountainSize = 1.5f;
    fountain.FountainRadius = 0.25f;
    fountain.PitchSpread = 12;
    fountain.HeadingSpread = 90;
    fountain.PitchLoss = 6;
    fountain.StartPitch = 70;
    fountain.VanishHeight = -1;
    fountain.ParticleSpeed = 0.5f;
    fountain.ParticleCount = 9;
    auto& rain = Add<TEPRain>(typus::Rain);
    rain.RainSize = 3;
    rain.StartX = -10;
    rain.StartZ = -8;
    rain.EndX = 12;
    rain.EndZ = 9;
    rain.HeadingX = 60;
    rain.HeadingY = 45;
    rain.StartHeight = 14;
    rain.VanishHeight = 1;
    rain.ParticleCount = 30;
    Add<TEPExplosion>(typus::Explosion).ExplosionSize = 3.5f;
    return Dump();
  }

  // The room saved and dumped by the tool.
  Json Dump() {
    const TempGameDir dir;
    const std::string file = dir.Path() + "/every_kind.rer";
    EXPECT_TRUE(room.SaveToFile(file));
    const ToolRun run = RunTool("dump '" + file + "'", dir.Path() + "/stderr.txt");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Json::accept(run.out)) << run.out.substr(0, 200);
    return Json::parse(run.out, nullptr, false);
  }
};

// Per class, the kind's own fields in the order they are shown, with the values set above.
const char* const ExpectedKinds = R"([
 {"Class": "TETile", "AutoRotate": [1, 2, 3], "CollisionForm": 2, "CollisionSize": [0.25, 4, 5], "Material": 3,
  "CanClimb": true},
 {"Class": "TETDoor", "AutoRotate": [0, 45, 0], "CollisionForm": 1, "CollisionSize": [1, 2.5, 1], "Material": 4,
  "CanClimb": true, "ToRoom": "world\\cellar.rer", "ToMarker": "CELLAR_GATE", "Dimensions": [1.5, 2.5, 0.75],
  "PlayerAnimation": "push", "WaitBeforeEnter": 0.5, "DoorAnimation": "open", "DoorAnimSpeed": 2,
  "WaitBeforeAnim": 0.25, "ActivationTarget": "MARKER1", "Sound": "TRIGGER1", "KeyItem": 2, "OnLocked": "MESSAGE1",
  "OnUnlock": "CONTROL1", "Condition": [5, 1, 3]},
 {"Class": "TETileMover", "Target": "TILE1", "Delay": 1.5, "Marker": "MARKER1", "Speed": 3, "RotateSpeed": 0.5},
 {"Class": "TETrigger", "CountDown": 4, "ShowCountDown": true, "Delay": 2.5, "Activations": 3,
  "Condition": [7, 2, 4], "Action": 5, "Targets": ["DOOR1", "NOBODY", "MARKER1", "", "", "", "", "LAST"]},
 {"Class": "TETouchField", "Dimensions": [3, 1, 2], "OnEnter": "TRIGGER1", "OnExit": "SPAWNER1", "Activations": 2,
  "ByHero": false, "ByAll": true, "ByEntity": "MUTANT1"},
 {"Class": "TEMessage", "MessageFile": "text\\intro.txt", "Sound": "SOUND1", "Delay": 0.75},
 {"Class": "TEControl", "GameStatus": 2, "Action": 3, "Delay": 1.25, "Duration": 6, "NextControl": "CONTROL1"},
 {"Class": "TEMarker", "TargetMarker": "MARKER1", "Delay": 4.5, "TriggerOnEnter": "TRIGGER1"},
 {"Class": "TESpawner", "Template": "MUTANT1", "DelayBeforeFirst": 2, "TotalCount": 5, "SpawnAtOnce": 2,
  "DelayInbetween": 3.5, "SpawnPosition": "MARKER1", "SpawnEffect": 1, "Sound": "SOUND1"},
 {"Class": "TEVariable", "Assignment": [12, 1, 2]},
 {"Class": "TESavePoint", "Assignment": [3, 2, 5]},
 {"Class": "TESound", "SoundFile": "sound\\drip.wav", "Volume": 80, "Speed": 1.5, "Loop": true, "Source": 1,
  "SourceEntity": "FIRE1", "Activation": 2, "RandomPercent": 40, "ReplayAfter": 7.5},
 {"Class": "TEAnimation", "AnimationName": "wave", "Direction": 0, "Speed": 0.5, "Loop": true,
  "Targets": ["TILE1", "DOOR1", "MUTANT1", "CLAWSHRIMP1"]},
 {"Class": "TEItem", "ItemTypus": 3, "Amount": 7, "OnCollect": "TRIGGER1", "CollectAnimation": "ANIMATION1",
  "DelayBeforeCollect": 0.25, "Assignment": [9, 1, 4], "ItemModel": "key_gold"},
 {"Class": "TEPortal", "ToRoom": "world\\tower.rer", "ToMarker": "TOP", "Dimensions": [2, 3, 0.5],
  "ActivationDistance": 1.75, "Target": "DOOR1", "TargetAnimation": "spin", "TargetSpeed": 2.5, "Sound": "SOUND1"},
 {"Class": "TECamera", "CameraTypus": 2, "RadiusX": 5, "RadiusZ": 3, "RotationFactor": 0.5, "MovementFactor": 0.25,
  "ZoomFactor": 1.5, "Target": "CAMERA1", "MovementSpeed": 2, "ZoneMinX": -6, "ZoneMinZ": -5, "ZoneMaxX": 14,
  "ZoneMaxZ": 1},
 {"Class": "TEUEMutant", "EnemyVariable": 4, "Condition": [1, 2, 3], "Behavior": 2, "CanSee": false,
  "CanHear": false, "CanMove": true, "CanAttack": false, "MovementTarget": "MARKER1", "AttackTarget": "CLAWSHRIMP1",
  "OnRecognize": "TRIGGER1", "OnDamage": "SPAWNER1", "OnDeath": "CONTROL1"},
 {"Class": "TEUEClawShrimp", "EnemyVariable": 6, "Condition": [2, 0, 1], "Behavior": 1, "CanSee": true,
  "CanHear": false, "CanMove": false, "CanAttack": false, "MovementTarget": "PORTAL1", "AttackTarget": "MUTANT1",
  "OnRecognize": "ITEM1", "OnDamage": "SOUND1", "OnDeath": "MESSAGE1"},
 {"Class": "TEPGrass", "GrassModel": "grass_tuft", "SizeMin": 0.5, "SizeMax": 1.5, "Amount": 12, "ExtentX": 4,
  "ExtentZ": 2, "IntoGround": 0.125, "Form": 1, "RotationSpread": [5, 90, 10]},
 {"Class": "TEPFire", "FireSize": 2.5, "FireRadius": 0.75},
 {"Class": "TEPFountain", "FountainSize": 1.5, "FountainRadius": 0.25, "PitchSpread": 12, "HeadingSpread": 90,
  "PitchLoss": 6, "StartPitch": 70, "VanishHeight": -1, "ParticleSpeed": 0.5, "ParticleCount": 9},
 {"Class": "TEPRain", "RainSize": 3, "StartX": -10, "StartZ": -8, "EndX": 12, "EndZ": 9, "HeadingX": 60,
  "HeadingY": 45, "StartHeight": 14, "VanishHeight": 1, "ParticleCount": 30},
 {"Class": "TEPExplosion", "ExplosionSize": 3.5}
])";

std::vector<std::string> Keys(const Json& object) {
  std::vector<std::string> keys;
  for (const auto& [key, value] : object.items()) keys.push_back(key);
  return keys;
}

TEST_F(DumpTest, EveryKindShowsItsOwnFieldsInOrderAfterTheCommonOnes) {
  const Json dump = DumpEveryKind();
  ASSERT_TRUE(dump.is_object());
  const Json& entities = dump["entities"];
  const Json expected = Json::parse(ExpectedKinds);
  ASSERT_EQ(entities.size(), expected.size());
  for (std::size_t slot = 0; slot < expected.size(); ++slot) {
    const Json& entity = entities[slot];
    const Json& kind = expected[slot];
    SCOPED_TRACE(kind["Class"].get<std::string>());
    EXPECT_EQ(entity["Class"], kind["Class"]);

    std::vector<std::string> keys = CommonKeys;
    for (const auto& key : Keys(kind))
      if (key != "Class") keys.push_back(key);
    keys.push_back("Links");
    EXPECT_EQ(Keys(entity), keys);
    for (const auto& [key, value] : kind.items()) EXPECT_EQ(entity[key], value) << key;
  }
}

TEST_F(DumpTest, LinksAreTheSlotsBindFoundByName) {
  const Json dump = DumpEveryKind();
  ASSERT_TRUE(dump.is_object());
  const Json& entities = dump["entities"];
  const auto links = [&](std::size_t slot) { return entities[slot]["Links"].get<std::vector<int>>(); };
  // Targets DOOR1, NOBODY, MARKER1: an unknown name takes no entry, the rest close up.
  EXPECT_EQ(links(3), (std::vector<int>{1, 7, -1, -1, -1, -1, -1, -1, -1, -1}));
  // Activation target, sound (a trigger), on locked, on unlock.
  EXPECT_EQ(links(1), (std::vector<int>{7, 3, 5, 6, -1, -1, -1, -1, -1, -1}));
  // The marker's target is the marker itself.
  EXPECT_EQ(links(7), (std::vector<int>{7, 3, -1, -1, -1, -1, -1, -1, -1, -1}));
  // The portal's marker belongs to another room and is never linked.
  EXPECT_EQ(links(14), (std::vector<int>{1, 11, -1, -1, -1, -1, -1, -1, -1, -1}));
  // Kinds without references only clear their links.
  EXPECT_EQ(links(9), std::vector<int>(10, -1));
  EXPECT_EQ(links(22), std::vector<int>(10, -1));
}

// A stored light map without texels is dumped and resaved as it stands, and the
// surfaces after it stay.
TEST_F(DumpTest, ALightMapWithoutTexelsIsDumpedAndResavedAsStored) {
  room.AddSurface({0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}, "textures\\stone")->lightMapHeight = 0;
  room.AddSurface({2, 0, 0}, {3, 0, 0}, {3, 0, 1}, {2, 0, 1}, "textures\\stone");
  const Json dump = Dump();
  ASSERT_EQ(dump["surfaces"].size(), 2u);
  EXPECT_EQ(dump["surfaces"][0]["lightMapHeight"], 0);
  EXPECT_EQ(dump["surfaces"][0]["lightMapSha256"], "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855")
      << "the hash of no bytes";

  const TempGameDir dir;
  const std::string in = dir.Path() + "/in.rer", out = dir.Path() + "/out.rer";
  ASSERT_TRUE(room.SaveToFile(in));
  const ToolRun run = RunTool("resave '" + in + "' '" + out + "'", dir.Path() + "/stderr.txt");
  EXPECT_EQ(run.status, 0) << run.err;
  const auto bytes = [](const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
  };
  EXPECT_EQ(bytes(out), bytes(in));
}

TEST_F(DumpTest, EightBitNamesAreShownAsTheirCharacters) {
  Add(typus::Marker, "CAF\xC9");
  Add<TETrigger>(typus::Trigger).Targets[0] = "CAF\xC9";
  const Json dump = Dump();
  ASSERT_TRUE(dump.is_object());
  EXPECT_EQ(dump["entities"][0]["Name"], "CAF\u00C9");
  EXPECT_EQ(dump["entities"][1]["Targets"][0], "CAF\u00C9");
  EXPECT_EQ(dump["entities"][1]["Links"][0], 0);
}

}  // namespace
