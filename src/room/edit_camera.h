#pragma once
// The view onto the room: top view, side view or free 3D flight. Holds only position,
// angles, mode and zoom; projection belongs to the renderer. Keys and the pointer come
// from the host once per frame; the main window's two scroll bars mirror the position
// in twentieths of a metre.

#include <cstdint>

#include "core/vector.h"

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

private:
  void MoveWithKeys();
  void SteerWithPointer();
  void ShowPosition(int yzPosition);
  void ShowZoom();

  TQZEngine& engine_;
};
