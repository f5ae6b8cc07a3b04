// Entities: their models or marker boxes, collision shapes, camera zones, shadows,
// kind-specific boxes and the arrows to their targets.
#include "entities/edit_entity.h"
#include "entities/entity_camera.h"
#include "entities/entity_portal.h"
#include "entities/entity_tile.h"
#include "entities/entity_touchfield.h"
#include "entities/entity_typus.h"
#include "entities/tile_door.h"
#include "particles/particle_main.h"
#include "render/edit_gl.h"
#include "render/gl_model.h"
#include "render/gl_room.h"
#include "room/edit_room.h"

namespace {

const TVector White{1.0f, 1.0f, 1.0f};
const TVector CollisionColor{1.0f, 0.3f, 0.3f};
const TVector CameraZoneColor{0.5f, 0.2f, 0.0f};
const TVector DoorColor{1.0f, 0.4f, 0.0f};
const TVector TouchFieldColor{0.0f, 0.5f, 0.7f};
const TVector PortalColor{1.0f, 0.4f, 0.0f};
const TVector NoModelMarker{0.5f, 1.0f, 0.5f};
constexpr float NoFieldZoneHeight = 3.0f;
constexpr float ShadowLift = 0.02f;

bool IsTile(const TEntity& entity) { return dynamic_cast<const TETile*>(&entity) != nullptr; }

bool IsEmitter(const TEntity& entity) { return dynamic_cast<const TEParticle*>(&entity) != nullptr; }

}  // namespace

void TRoomRenderer::DrawEntities(std::int16_t skipEntity, bool lightPassOnly) {
  TRoom& room = gl_.Room();
  for (int slot = 0; slot < TRoom::EntitySlots; ++slot) {
    TEntity* entity = room.Entities[static_cast<std::size_t>(slot)].get();
    if (entity == nullptr || !entity->InUse() || !entity->IsShown() || slot == skipEntity) continue;
    // Only tiles and model-less markers cast light-pass shadows.
    if (lightPassOnly && (!entity->Visible || (entity->ModelIndex != -1 && !IsTile(*entity)))) continue;
    DrawEntity(*entity, lightPassOnly);
  }
  // The second loop draws only translucent decorations, which leave no depth behind.
  if (lightPassOnly) return;
  for (int slot = 0; slot < TRoom::EntitySlots; ++slot) {
    TEntity* entity = room.Entities[static_cast<std::size_t>(slot)].get();
    if (entity == nullptr || !entity->InUse() || !entity->IsShown()) continue;
    DrawEntityExtras(*entity);
  }
}

void TRoomRenderer::DrawEntity(TEntity& entity, bool lightPassOnly) {
  const TCamera& camera = gl_.Room().Camera;
  if (entity.ModelIndex == -1) {
    DrawMarkerBox(entity.Position, NoModelMarker, entity.Size, White);
  } else if (!(IsEmitter(entity) && camera.Mode == TCamera::Mode3D)) {
    DrawModel(gl_, {entity.ModelIndex, entity.Position, entity.Rotation, entity.ApplyLighting, entity.BlendingMode,
                    entity.Density, entity.Color, entity.AnimState.Animation, entity.AnimState.Frame, entity.Size});
  }
  // Collision shapes leave no depth, and the cylinder would put the wireframe mode
  // back in the middle of the filled shadow pass.
  if (const auto* tile = dynamic_cast<const TETile*>(&entity);
      tile != nullptr && !lightPassOnly && gl_.MenuChecked(view_menu::ShowCollisionRadius)) {
    if (tile->CollisionForm == 1) {
      DrawMarkerCylinder(entity.Position, tile->CollisionSize.x, tile->CollisionSize.y, entity.Size, CollisionColor);
    }
    if (tile->CollisionForm == 2) DrawMarkerBox(entity.Position, tile->CollisionSize, entity.Size, CollisionColor);
  }
  if (entity.IsTypus(typus::Camera) && gl_.MenuChecked(view_menu::ShowCameraRadii) &&
      camera.Mode != TCamera::ModeSide) {
    DrawCameraZone(entity);
  }
  if (auto* emitter = dynamic_cast<TEParticle*>(&entity); emitter != nullptr && !lightPassOnly) DrawParticles(*emitter);
}

void TRoomRenderer::DrawCameraZone(TEntity& entity) {
  const auto* zone = dynamic_cast<const TECamera*>(&entity);
  if (zone == nullptr) return;
  TRoom& room = gl_.Room();
  const TVector centre{(zone->ZoneMinX + zone->ZoneMaxX) / 2, 0.0f, (zone->ZoneMinZ + zone->ZoneMaxZ) / 2};
  const TField* field = room.FieldAt(centre);
  // The floor as the room reports it there (slopes and ramps included); the height is
  // the field's own ceiling over its floor.
  const float height = field != nullptr ? field->Ceiling - field->Height : NoFieldZoneHeight;
  const TVector base{centre.x, room.HeightAt(centre), centre.z};
  const TVector halfExtents{(zone->ZoneMaxX - zone->ZoneMinX) / 2, height, (zone->ZoneMaxZ - zone->ZoneMinZ) / 2};
  DrawMarkerBox(base, halfExtents, 1.0f, CameraZoneColor);
  DrawTargetArrow(entity.Position, base);
}

void TRoomRenderer::DrawEntityExtras(TEntity& entity) {
  if (entity.ShadowTypus == 1) DrawBlobShadow(entity);
  if (const auto* door = dynamic_cast<const TETDoor*>(&entity)) {
    DrawMarkerBox(entity.Position, door->Dimensions, entity.Size, DoorColor);
  } else if (const auto* touch = dynamic_cast<const TETouchField*>(&entity)) {
    DrawMarkerBox(entity.Position, touch->Dimensions, entity.Size, TouchFieldColor);
  } else if (const auto* portal = dynamic_cast<const TEPortal*>(&entity)) {
    DrawMarkerBox(entity.Position, portal->Dimensions, entity.Size, PortalColor);
  }
  if (!gl_.MenuChecked(view_menu::ShowEntityTargets)) return;
  TRoom& room = gl_.Room();
  for (const std::int16_t link : entity.Links) {
    if (link < 0 || link >= TRoom::EntitySlots) continue;
    const TEntity* target = room.Entities[static_cast<std::size_t>(link)].get();
    if (target != nullptr && target->InUse()) DrawTargetArrow(entity.Position, target->Position);
  }
}

void TRoomRenderer::DrawBlobShadow(const TEntity& entity) {
  gl_.SetViewTransform();
  gl_.SetGLStates(true, true, false, false, false, false, true);
  TEditGL::SetBlendMode(3, 1.0, 1.0, 1.0, 0.3);
  gl_.SelectTexture(gl_.FixedTextures().Shadow);
  glDepthMask(GL_FALSE);
  const float half = entity.ShadowRadius * entity.Size;
  const TVector& p = entity.Position;
  const float y = p.y + ShadowLift;
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 1.0f);
  glVertex3f(p.x - half, y, p.z - half);
  glTexCoord2f(1.0f, 1.0f);
  glVertex3f(p.x + half, y, p.z - half);
  glTexCoord2f(1.0f, 0.0f);
  glVertex3f(p.x + half, y, p.z + half);
  glTexCoord2f(0.0f, 0.0f);
  glVertex3f(p.x - half, y, p.z + half);
  glEnd();
  glDepthMask(GL_TRUE);
}
