#pragma once
// The edit cursor: turns pointer positions on the top and side views into room
// coordinates and carries out the active tool - painting fields, deriving floor heights
// from the tiles, placing, editing and moving lights and entities, dropping entities,
// resizing camera zones, drawing and editing surfaces - and the surface commands.
// Reads the main window's controls through its Form.

#include <cstdint>
#include <vector>

#include "core/short_string.h"
#include "core/vector.h"
#include "room/room_selection.h"
#include "room/view_mapping.h"

class Form;
class TECamera;
class TEntity;
class TLight;
class TRoom;
class TSurface;

class TCursor {
public:
  enum PressState : std::int16_t { Idle = 0, Pressed = 1, Held = 2, Released = 3 };
  // Frames to wait after creating a light or entity, so one click creates one object.
  static constexpr int CoolDownFrames = 6;
  // How far (view pixels) a click may lie from the last pick and still count as the same place.
  static constexpr float SamePlacePixels = 2.0f;
  // What the Lights sheet's colour and radius edits hold at start.
  static constexpr float PaletteLightColor = 0.7f;
  static constexpr float PaletteLightRadius = 5.0f;

  TVector Position;
  TVector PreviousPosition;
  std::int16_t Mode = 0;  // tool code, 0 = no tool
  std::int16_t PressStateNow = Idle;
  TVector SurfaceStart;
  std::int16_t CoolDown = 0;
  // Name of the entity being edited before and after its dialog; OldEntityName is
  // empty when no rename is in progress.
  String32 OldEntityName;
  String32 NewEntityName;
  TLight* SelectedLight = nullptr;
  TEntity* SelectedEntity = nullptr;
  TECamera* SelectedZone = nullptr;
  // Part of the selected zone being dragged.
  enum ZonePart : std::int16_t { NoHandle = 0, MinXEdge = 1, MinZEdge = 2, MaxXEdge = 3, MaxZEdge = 4, WholeZone = 5 };
  std::int16_t ZoneHandle = NoHandle;
  TSurface* SelectedSurface = nullptr;
  // The last pointer position on the view; picks take what is drawn there.
  TViewPoint Pointer{0.0f, 0.0f};
  // Shift held at the press: the gesture adds to the selection or takes from it.
  bool AddToSelection = false;
  // The rectangle a drag from where nothing lies draws to select what it encloses.
  bool BoxSelecting() const { return gesture_ == SelectGesture::Box; }
  TViewPoint BoxStart{0.0f, 0.0f};

  // Keeps the selected surface only for the surface tools (codes above 4000).
  void SetMode(int code);
  // x, y in view-panel pixels; nothing happens in the 3D view. The position is the room
  // point drawn under the pointer on the plane the cursor works in (its own height from
  // the top, its own z from the side).
  void SetPosition(TRoom& room, int x, int y);
  void Press(TRoom& room);
  void Drag(TRoom& room);
  void Release(TRoom& room);
  // The press under way ends without its release doing anything.
  void CancelPress() {
    PressStateNow = Idle;
    ZoneHandle = NoHandle;
    gesture_ = SelectGesture::None;
  }
  // Once per frame.
  void Tick();
  // The Delete key: removes what the tool in hand has selected (a light, an entity or a
  // surface) as that object's dialog's "Delete" would; false when nothing was selected.
  bool DeleteSelected(TRoom& room);
  // An entity object is about to be destroyed: no selection may keep pointing at it.
  void Forget(const TEntity& entity);

  // Height of the cursor from TrackBarY (tenths of a metre, downward positive).
  void ApplyTrackBarHeight(TRoom& room, bool apply);
  void SetHeight(TRoom& room, bool apply, float y);

  void SelectPreviousSurface(TRoom& room);
  void SelectNextSurface(TRoom& room);
  void InvertSurface(TRoom& room);
  void RotateSurfaceLeft(TRoom& room);
  void RotateSurfaceRight(TRoom& room);
  void ComputeSurface(TRoom& room);
  // Opens the selected surface's dialog; after a delete the next surface in use is selected.
  void EditSurface(TRoom& room);
  // The status bar names the selected surface as it is now (after a rename, an undo).
  void FollowSelectedSurface(TRoom& room) const;

private:
  // Selection gestures (edit_cursor_selection.cpp) run instead of the tool: Shift+click
  // on an object toggles it, a drag from where nothing lies draws a box, Shift+drag with
  // a field tool selects fields. A plain click stays the tool's.
  enum class SelectGesture { None, Toggle, MaybeBox, Box, FieldBox };
  SelectGesture gesture_ = SelectGesture::None;
  TCell fieldBoxStart_;
  // Each is true when the selection gesture takes the event from the tool.
  bool BeginSelectGesture(TRoom& room);
  bool ContinueSelectGesture(TRoom& room);
  bool EndSelectGesture(TRoom& room);
  // A plain pick makes the object the selection; the Move tools keep a selection that
  // holds it, so the whole selection moves.
  void Select(TRoom& room, TSelection::Kind kind, int slot, bool keepGroup = false);
  void Act(TRoom& room);
  void PaintFields(TRoom& room, Form& main);
  // Floor heights from the scenery tiles (edit_cursor_heightmap.cpp).
  void ImportHeightMap(TRoom& room);
  // Camera-zone rectangles picked by edge or whole (edit_cursor_zone.cpp).
  void DragZone(TRoom& room);
  void PickZone(TRoom& room);
  std::int16_t ZoneHandleAt(const TECamera& zone) const;
  void NewLight(TRoom& room, Form& main);
  void EditLight(TRoom& room);
  void MoveLight(TRoom& room);
  void NewEntity(TRoom& room, Form& main);
  void EditEntity(TRoom& room);
  void MoveEntity(TRoom& room);
  void DropEntity(TRoom& room);
  void NewSurface(TRoom& room);
  // The objects whose hit test holds where the pointer lies at their own depth; of
  // several, the last in slot order, or after a click at the same place the one before
  // the object that click took (round again after the first).
  TLight* PickLight(TRoom& room);
  TEntity* PickEntity(TRoom& room);
  std::vector<TLight*> LightHits(TRoom& room) const;
  std::vector<TEntity*> EntityHits(TRoom& room) const;
  template <class T>
  T* ChoosePick(const TRoom& room, const std::vector<T*>& hits);
  // The room point under the pointer at a depth along the viewing axis.
  TVector PointerAt(const TRoom& room, float depth) const;
  // "Surface <slot>: <name>" in the status bar, or that none is selected.
  void ShowSelectedSurface(TRoom& room) const;
  // The surface commands chose SelectedSurface: it is the selection and the status bar names it.
  void SurfaceChosen(TRoom& room);

  struct PickMemory {
    TViewPoint at{0.0f, 0.0f};
    TVector camera;
    float zoom = 0.0f;
    int mode = -1;
    const void* picked = nullptr;
  };
  PickMemory lastPick_;
  TSurface* SelectedInUse() const;
  void ShowPosition(TRoom& room, Form& main) const;
};
