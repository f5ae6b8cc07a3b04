// The edit cursor's selection gestures: Shift+click toggles the object under the pointer,
// a drag from where nothing lies draws a box that selects what it encloses, and Shift+drag
// with a field tool selects a rectangle of fields. A plain click stays the tool's.
#include <algorithm>
#include <cmath>

#include "entities/edit_entity.h"
#include "room/edit_cursor.h"
#include "room/edit_room.h"
#include "room/selection_edit.h"

namespace {

using Kind = TSelection::Kind;

// The kind an editing tool picks, for the tools that select.
Kind PickedKind(int mode) {
  switch (mode) {
    case 2002:
    case 2003: return Kind::Lights;
    case 3002:
    case 3003:
    case 3004: return Kind::Entities;
    case 4002: return Kind::Surfaces;
    default: return Kind::None;
  }
}

bool FieldTool(int mode) { return mode >= 1001 && mode <= 1003; }

// How far (view pixels) the pointer must move before a press on nothing becomes a box.
constexpr float BoxThreshold = 3.0f;

}  // namespace

void TCursor::Select(TRoom& room, Kind kind, int slot, bool keepGroup) {
  if (keepGroup && room.Selection.Holds(kind, slot)) return;
  room.Selection.Set(kind, slot);
}

void TCursor::SurfaceChosen(TRoom& room) {
  if (SelectedSurface) Select(room, Kind::Surfaces, SelectedSurface->slotIndex);
  ShowSelectedSurface(room);
}

bool TCursor::BeginSelectGesture(TRoom& room) {
  gesture_ = SelectGesture::None;
  if (room.Camera.Mode == TCamera::Mode3D || room.Camera.Captured) return false;
  if (FieldTool(Mode) && AddToSelection) {
    gesture_ = SelectGesture::FieldBox;
    fieldBoxStart_ = TRoom::CellOf(Position);
    return ContinueSelectGesture(room);
  }
  const Kind kind = PickedKind(Mode);
  if (kind == Kind::None) return false;
  const bool nothingThere = kind == Kind::Surfaces || (kind == Kind::Lights ? LightHits(room).empty() : EntityHits(room).empty());
  BoxStart = Pointer;
  if (nothingThere) {
    // The tool still has the press; only a drag turns it into a box.
    gesture_ = SelectGesture::MaybeBox;
    return false;
  }
  if (!AddToSelection) return false;
  gesture_ = SelectGesture::Toggle;
  if (kind == Kind::Lights) {
    if (TLight* light = PickLight(room)) room.Selection.Toggle(kind, room.LightSlot(*light));
  } else if (TEntity* entity = PickEntity(room)) {
    room.Selection.Toggle(kind, entity->SlotIndex);
  }
  return true;
}

bool TCursor::ContinueSelectGesture(TRoom& room) {
  switch (gesture_) {
    case SelectGesture::None: return false;
    case SelectGesture::Toggle: return true;
    case SelectGesture::MaybeBox:
      if (std::hypot(Pointer.x - BoxStart.x, Pointer.y - BoxStart.y) < BoxThreshold) return false;
      // The tool's press found nothing; from here the drag is the box's.
      gesture_ = SelectGesture::Box;
      PressStateNow = Idle;
      return true;
    case SelectGesture::Box: return true;
    case SelectGesture::FieldBox: {
      const TCell end = TRoom::CellOf(Position);
      const auto clamp = [](int v) { return std::max(0, std::min(TRoom::GridSize - 1, v)); };
      room.Selection.SetFields({clamp(std::min(fieldBoxStart_.x, end.x)), clamp(std::min(fieldBoxStart_.z, end.z)),
                                clamp(std::max(fieldBoxStart_.x, end.x)), clamp(std::max(fieldBoxStart_.z, end.z))});
      return true;
    }
  }
  return false;
}

bool TCursor::EndSelectGesture(TRoom& room) {
  if (gesture_ == SelectGesture::FieldBox) ContinueSelectGesture(room);
  if (gesture_ == SelectGesture::Box) selection::SelectInBox(room, PickedKind(Mode), BoxStart, Pointer, AddToSelection);
  const bool taken = gesture_ == SelectGesture::Toggle || gesture_ == SelectGesture::Box || gesture_ == SelectGesture::FieldBox;
  gesture_ = SelectGesture::None;
  return taken;
}
