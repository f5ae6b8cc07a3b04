#include "entities/entity_registry.h"

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

namespace {
template <class Kind>
std::unique_ptr<TEntity> Make(TQZEngine& engine) {
  return std::make_unique<Kind>(engine);
}
}  // namespace

// The unit and particle bases (3000, 4000) and the retired codes 2010 and 2011 have
// no class of their own.
std::unique_ptr<TEntity> CreateEntity(TQZEngine& engine, std::int16_t code) {
  switch (code) {
    case typus::Tile: return Make<TETile>(engine);
    case typus::Door: return Make<TETDoor>(engine);
    case typus::Camera: return Make<TECamera>(engine);
    case typus::Trigger: return Make<TETrigger>(engine);
    case typus::TouchField: return Make<TETouchField>(engine);
    case typus::Sound: return Make<TESound>(engine);
    case typus::Message: return Make<TEMessage>(engine);
    case typus::Control: return Make<TEControl>(engine);
    case typus::Marker: return Make<TEMarker>(engine);
    case typus::Spawner: return Make<TESpawner>(engine);
    case typus::Variable: return Make<TEVariable>(engine);
    case typus::Animation: return Make<TEAnimation>(engine);
    case typus::Item: return Make<TEItem>(engine);
    case typus::SavePoint: return Make<TESavePoint>(engine);
    case typus::TileMover: return Make<TETileMover>(engine);
    case typus::Portal: return Make<TEPortal>(engine);
    case typus::Mutant: return Make<TEUEMutant>(engine);
    case typus::ClawShrimp: return Make<TEUEClawShrimp>(engine);
    case typus::Grass: return Make<TEPGrass>(engine);
    case typus::Fire: return Make<TEPFire>(engine);
    case typus::Fountain: return Make<TEPFountain>(engine);
    case typus::Rain: return Make<TEPRain>(engine);
    case typus::Explosion: return Make<TEPExplosion>(engine);
    default: return nullptr;
  }
}
