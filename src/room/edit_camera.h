#pragma once
// The view onto the room: top view, side view or free 3D flight. Holds only position,
// angles, mode and zoom; projection belongs to the renderer. Keys and the pointer come
// from the host once per frame; the main window's two scroll bars mirror the position
// in twentieths of a metre.

#include <cstdint>

#include "core/vector.h"
#include "room/view_mapping.h"

class TQZEngine;

class TCamera {
public:
  static constexpr int ModeTop = 0, ModeSide = 1, Mode3D = 2;

  explicit TCamera(TQZEngine& engine);

  TVector Position{0.0f, 2.0f, 0.0f};
  TVector Rotation;  // pitch, yaw, roll in degrees
  TVector SavedPosition;
  TVector SavedRotation;
  std::uint16_t Mode = ModeTop;
  float Zoom = 1.0f;
  std::uint8_t Captured = 0;
  // The view panel's size in pointer pixels, which the flat views' mapping needs.
  int ViewWidth = 641;
  int ViewHeight = 481;

  void SetMode(int mode);
  void ResetCamera();
  void ZoomIn();
  void ZoomOut();
  // Change events of ScrollBarX and ScrollBarYZ.
  void ScrollX();
  void ScrollYZ();
  void ToggleCapture();
  // 1 forward, 2 back, 3 left, 4 right, 5 up, 6 down; only while captured.
  void MoveStep(int direction);
  void DoFrame();

  // Navigation of the flat views (the 3D view ignores them). Both keep the point of the
  // room's middle plane (y = 0 from the top, z = 0 from the side) under the pointer.
  // One zoom step in or out about a view point.
  void ZoomAbout(TViewPoint at, bool in);
  // Moves the view so what is drawn at `from` comes to lie at `to`.
  void Pan(TViewPoint from, TViewPoint to);
  // Brings a point of the room to the middle of a flat view, through the scroll bars.
  void CentreOn(const TVector& point);

private:
  void MoveWithKeys();
  void SteerWithPointer();
  void ShowPosition(int yzPosition);
  void ShowZoom();
  // Moves to a position within the scroll bars' reach and shows it on them, keeping the
  // finer position the bars cannot hold.
  void MoveTo(const TVector& position);

  TQZEngine& engine_;
};
