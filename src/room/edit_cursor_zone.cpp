// The camera-zone tool: a press picks a zone rectangle by one of its edges or as a
// whole, dragging moves that edge or the rectangle.

#include <algorithm>
#include <cmath>

#include "entities/entity_camera.h"
#include "entities/entity_typus.h"
#include "room/edit_cursor.h"
#include "room/edit_room.h"

namespace {

constexpr float HandleReach = 0.25f;  // how close to an edge the cursor grabs it
constexpr float MinimumExtent = 0.5f;  // an edge stops this far short of its opposite

TECamera* ZoneIn(TRoom& room, int slot) {
  TEntity& entity = *room.Entities[static_cast<std::size_t>(slot)];
  return entity.InUse() && entity.IsTypus(typus::Camera) ? dynamic_cast<TECamera*>(&entity) : nullptr;
}

}  // namespace

std::int16_t TCursor::ZoneHandleAt(const TECamera& zone) const {
  // Later tests override earlier ones: at a corner the edge tested last is dragged.
  std::int16_t handle = WholeZone;
  if (std::fabs(Position.x - zone.ZoneMinX) <= HandleReach) handle = MinXEdge;
  if (std::fabs(Position.z - zone.ZoneMinZ) <= HandleReach) handle = MinZEdge;
  if (std::fabs(Position.x - zone.ZoneMaxX) <= HandleReach) handle = MaxXEdge;
  if (std::fabs(Position.z - zone.ZoneMaxZ) <= HandleReach) handle = MaxZEdge;
  return handle;
}

void TCursor::PickZone(TRoom& room) {
  SelectedZone = nullptr;
  ZoneHandle = NoHandle;
  // An edge under the cursor beats a zone merely containing it, so nested zones stay
  // resizable.
  for (int slot = 0; slot <= room.LastEntity; ++slot) {
    TECamera* zone = ZoneIn(room, slot);
    if (zone && zone->ZoneContains(Position) && ZoneHandleAt(*zone) != WholeZone) SelectedZone = zone;
  }
  if (!SelectedZone) {
    for (int slot = 0; slot <= room.LastEntity; ++slot) {
      TECamera* zone = ZoneIn(room, slot);
      if (zone && zone->ZoneContains(Position)) SelectedZone = zone;
    }
  }
  if (SelectedZone) ZoneHandle = ZoneHandleAt(*SelectedZone);
}

void TCursor::DragZone(TRoom& room) {
  if (PressStateNow == Pressed) PickZone(room);
  if (PressStateNow != Held || !SelectedZone || ZoneHandle == NoHandle) return;
  TECamera& zone = *SelectedZone;
  switch (ZoneHandle) {
    case MinXEdge: zone.ZoneMinX = std::min(Position.x, zone.ZoneMaxX - MinimumExtent); break;
    case MinZEdge: zone.ZoneMinZ = std::min(Position.z, zone.ZoneMaxZ - MinimumExtent); break;
    case MaxXEdge: zone.ZoneMaxX = std::max(Position.x, zone.ZoneMinX + MinimumExtent); break;
    case MaxZEdge: zone.ZoneMaxZ = std::max(Position.z, zone.ZoneMinZ + MinimumExtent); break;
    case WholeZone: {
      const float dx = Position.x - PreviousPosition.x, dz = Position.z - PreviousPosition.z;
      zone.ZoneMinX += dx;
      zone.ZoneMaxX += dx;
      zone.ZoneMinZ += dz;
      zone.ZoneMaxZ += dz;
      break;
    }
    default: break;
  }
}
