// One entity of every kind, placed where it makes sense and wired together by name:
// stepping into the touch field before the house fires the trigger, which opens the
// door, plays its creak and starts the door animation; the key on the plaza sets a
// variable; the spawner on the terrace brings mutants to the marker, with an
// explosion; the camera zone frames the plaza; and so on.

#include <stdexcept>
#include <tuple>

#include "entities/entity_animation.h"
#include "entities/entity_camera.h"
#include "entities/entity_control.h"
#include "entities/entity_item.h"
#include "entities/entity_marker.h"
#include "entities/entity_message.h"
#include "entities/entity_portal.h"
#include "entities/entity_savepoint.h"
#include "entities/entity_sound.h"
#include "entities/entity_spawner.h"
#include "entities/entity_tile.h"
#include "entities/entity_tilemover.h"
#include "entities/entity_touchfield.h"
#include "entities/entity_trigger.h"
#include "entities/entity_typus.h"
#include "entities/entity_variable.h"
#include "entities/tile_door.h"
#include "entities/unit_e_clawshrimp.h"
#include "entities/unit_e_mutant.h"
#include "particles/particle_explosion.h"
#include "particles/particle_fire.h"
#include "particles/particle_fountain.h"
#include "particles/particle_grass.h"
#include "particles/particle_rain.h"
#include "room/edit_room.h"
#include "sample_world/demo_parts.h"
#include "sample_world/models.h"

namespace demo {
namespace {

// The key of [ITEM_TYPUS], after "None".
constexpr std::int16_t KeyItem = 1;

class Placer {
public:
  explicit Placer(TRoom& room) : room_(room) {}

  // Adds an entity of the kind on the floor at (x, z); heading in degrees.
  template <typename Kind>
  Kind& Add(std::int16_t typus, float x, float z, float heading = 0.0f, float size = 1.0f) {
    TEntity* entity = room_.AddEntity(typus, OnFloor(room_, x, z), {0.0f, heading, 0.0f}, size);
    auto* kind = dynamic_cast<Kind*>(entity);
    if (!kind) throw std::logic_error("entity table full or typus without its class");
    return *kind;
  }
  TETile& Tile(const char* model, float x, float z, float heading = 0.0f, float size = 1.0f) {
    TETile& tile = Add<TETile>(typus::Tile, x, z, heading, size);
    tile.ModelName = model;
    return tile;
  }

private:
  TRoom& room_;
};

void AddScenery(Placer& place) {
  for (float x = -12.0f; x <= 12.0f; x += 2.0f) place.Tile("WALL_BLOCK", x, -13.6f);
  for (float x : {-5.0f, 5.0f})
    for (float z : {-4.0f, 6.0f}) place.Tile("STONE_COLUMN", x, z);
  // Stairs climb towards -z once turned half round (models face +z when placed).
  place.Tile("STONE_STAIRS", -9.0f, -6.5f, 180.0f, 1.5f);
  for (auto [x, z, size] : {std::tuple{11.5f, -11.0f, 1.2f}, {-11.0f, -11.0f, 1.0f}, {12.0f, 11.0f, 1.3f},
                            {-11.5f, 11.5f, 0.9f}, {6.0f, 12.0f, 1.1f}})
    place.Tile("OLD_TREE", x, z, x * 10.0f, size);
}

}  // namespace

void AddEntities(TRoom& room) {
  Placer place(room);
  AddScenery(place);

  TETDoor& door = place.Add<TETDoor>(typus::Door, -13.7f, 0.0f, 90.0f);
  door.ModelName = "WOODEN_DOOR";
  door.DoorAnimation = "open";
  door.ToRoom = "data\\world\\room\\demo.rer";
  door.KeyItem = KeyItem;

  TEMarker& arrival = place.Add<TEMarker>(typus::Marker, 0.0f, -11.0f);
  arrival.Name = "TERRACE_ARRIVAL";
  door.ToMarker = arrival.Name;

  TESound& creak = place.Add<TESound>(typus::Sound, -12.5f, 0.0f);
  creak.SoundFile = "effects\\door_creak.wav";
  creak.Activation = 1;  // on trigger
  TESound& frogs = place.Add<TESound>(typus::Sound, -9.0f, 9.0f);
  frogs.SoundFile = "ambient\\frogs_night.wav";
  frogs.Loop = true;

  TEMessage& locked = place.Add<TEMessage>(typus::Message, -12.0f, -1.5f);
  locked.MessageFile = "text\\door_locked.txt";
  locked.Sound = creak.Name;
  door.OnLocked = locked.Name;

  TEAnimation& swing = place.Add<TEAnimation>(typus::Animation, -12.0f, 1.5f);
  swing.AnimationName = "open";
  swing.Targets[0] = door.Name;

  TETrigger& trigger = place.Add<TETrigger>(typus::Trigger, -11.5f, 0.0f);
  trigger.Delay = 0.5f;
  trigger.Targets[0] = door.Name;
  trigger.Targets[1] = creak.Name;
  trigger.Targets[2] = swing.Name;
  door.ActivationTarget = trigger.Name;

  TETouchField& step = place.Add<TETouchField>(typus::TouchField, -11.0f, 0.0f);
  step.Dimensions = {1.0f, 2.0f, 1.5f};
  step.OnEnter = trigger.Name;

  TEVariable& gotKey = place.Add<TEVariable>(typus::Variable, 1.0f, -1.0f);
  gotKey.Assignment = {2, 0, 1};  // abbey gate := open

  TEItem& key = place.Add<TEItem>(typus::Item, 1.5f, -2.0f);
  key.ItemTypus = KeyItem;
  key.OnCollect = gotKey.Name;
  door.OnUnlock = gotKey.Name;

  TEControl& cutScene = place.Add<TEControl>(typus::Control, 2.5f, -2.5f);
  cutScene.Action = 1;  // open
  cutScene.Duration = 3.0f;
  cutScene.NextControl = cutScene.Name;

  TESavePoint& save = place.Add<TESavePoint>(typus::SavePoint, 0.0f, -6.0f);
  save.Assignment = {20, 0, 1};

  TEUEMutant& mutant = place.Add<TEUEMutant>(typus::Mutant, 3.5f, -1.0f, 200.0f);
  mutant.AnimName = "idle";
  mutant.MovementTarget = arrival.Name;
  mutant.OnDeath = gotKey.Name;
  TEUEClawShrimp& shrimp = place.Add<TEUEClawShrimp>(typus::ClawShrimp, -5.0f, 8.5f, 120.0f);
  shrimp.AnimName = "walk";
  shrimp.EnemyVariable = 1;
  shrimp.MovementTarget = frogs.Name;

  TEPExplosion& burst = place.Add<TEPExplosion>(typus::Explosion, 6.0f, -11.0f);
  TESpawner& spawner = place.Add<TESpawner>(typus::Spawner, 6.0f, -11.0f);
  spawner.Template = mutant.Name;
  spawner.SpawnPosition = arrival.Name;
  spawner.SpawnEffect = 1;
  spawner.Sound = creak.Name;

  TETileMover& lift = place.Add<TETileMover>(typus::TileMover, -9.0f, -5.0f);
  lift.Marker = arrival.Name;
  TETile& crate = place.Tile("WALL_BLOCK", -9.0f, -9.5f, 0.0f, 0.5f);
  lift.Target = crate.Name;

  TEPortal& portal = place.Add<TEPortal>(typus::Portal, 10.0f, -11.0f);
  portal.ToRoom = "data\\world\\room\\demo.rer";
  portal.ToMarker = "TERRACE_ARRIVAL";
  portal.Target = burst.Name;

  TECamera& camera = place.Add<TECamera>(typus::Camera, 0.0f, 12.0f);
  camera.Target = mutant.Name;
  camera.ZoneMinX = -6.0f;
  camera.ZoneMinZ = -5.0f;
  camera.ZoneMaxX = 6.0f;
  camera.ZoneMaxZ = 7.0f;

  for (auto [x, z] : {std::pair{-7.0f, 11.0f}, {9.0f, 3.0f}, {-3.0f, -11.5f}}) {
    TEPGrass& grass = place.Add<TEPGrass>(typus::Grass, x, z);
    grass.GrassModel = GrassModelName;
    grass.Amount = 40;
    grass.Form = TEPGrass::FormEllipse;
  }
  place.Add<TEPFire>(typus::Fire, 2.0f, 2.0f).FireSize = 1.5f;
  TEPFountain& fountain = place.Add<TEPFountain>(typus::Fountain, -9.0f, 4.0f);
  fountain.FountainSize = 1.5f;
  fountain.VanishHeight = WaterLevel;
  TEPRain& rain = place.Add<TEPRain>(typus::Rain, 11.0f, 0.0f);
  rain.StartX = 8.0f;
  rain.EndX = 14.0f;
  rain.StartZ = -7.0f;
  rain.EndZ = 8.0f;
  rain.ParticleCount = 40;
  rain.StartHeight = 8.0f;

  room.CountEntities();
  for (int i = 0; i <= room.LastEntity; ++i)
    if (room.Entities[i]->InUse()) room.Entities[i]->Bind();
}

}  // namespace demo
