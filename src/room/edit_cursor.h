#pragma once
// The edit cursor: turns pointer positions on the top and side views into room
// coordinates and carries out the active tool - painting fields, deriving floor heights
// from the tiles, placing, editing and moving lights and entities, dropping entities,
// resizing camera zones, drawing and editing surfaces - and the surface commands.
// Reads the main window's controls through its Form.

#include <cstdint>

#include "core/short_string.h"
#include "core/vector.h"

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
  // Metres per view pixel at zoom 1.
  static constexpr float MetresPerPixel = 0.026f;

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

  // Keeps the selected surface only for the surface tools (codes above 4000).
  void SetMode(int code);
  // x, y in view-panel pixels; nothing happens in the 3D view.
  void SetPosition(TRoom& room, int x, int y);
  void Press(TRoom& room);
  void Drag(TRoom& room);
  void Release(TRoom& room);
  // Once per frame.
  void Tick();

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

private:
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
  TLight* PickLight(TRoom& room) const;
  TEntity* PickEntity(TRoom& room) const;
  TSurface* SelectedInUse() const;
  void ShowPosition(TRoom& room, Form& main) const;
};
