#include "room/room_selection.h"

#include "entities/edit_entity.h"
#include "room/edit_room.h"

int TSelection::Count() const {
  if (kind_ != Kind::Fields) return static_cast<int>(slots_.size());
  return fields_.Empty() ? 0 : (fields_.maxX - fields_.minX + 1) * (fields_.maxZ - fields_.minZ + 1);
}

void TSelection::Clear() {
  kind_ = Kind::None;
  slots_.clear();
  fields_ = {};
}

void TSelection::Set(Kind kind, int slot) {
  Clear();
  Add(kind, slot);
}

void TSelection::Add(Kind kind, int slot) {
  if (kind_ != kind) Clear();
  kind_ = kind;
  slots_.insert(slot);
}

void TSelection::Toggle(Kind kind, int slot) {
  if (Holds(kind, slot)) {
    slots_.erase(slot);
    if (slots_.empty()) Clear();
    return;
  }
  Add(kind, slot);
}

void TSelection::SetFields(const TFieldRect& rect) {
  Clear();
  if (rect.Empty()) return;
  kind_ = Kind::Fields;
  fields_ = rect;
}

void TSelection::DropUnused(const TRoom& room) {
  std::erase_if(slots_, [&](int slot) {
    switch (kind_) {
      case Kind::Lights: return !room.Lights[static_cast<std::size_t>(slot)].InUse();
      case Kind::Entities: return !room.Entities[static_cast<std::size_t>(slot)]->InUse();
      case Kind::Surfaces: return !room.Surfaces[static_cast<std::size_t>(slot)]->InUse();
      default: return false;
    }
  });
  if (kind_ != Kind::Fields && slots_.empty()) Clear();
}
