#include "room/edit_camera.h"

#include <algorithm>
#include <cmath>

#include "engine/edit_engine.h"

namespace {

constexpr int BarRange = 1000;         // scroll bars run from -1000 to 1000
constexpr float BarUnitsPerMetre = 20.0f;
constexpr ScreenPoint PanelCentre{320, 240};

// A toolkit scroll bar holds its position inside its range; a coordinate beyond
// +-50 m comes back clamped through the bar's change event.
int BarPosition(float metres) {
  const float units = std::nearbyint(metres * BarUnitsPerMetre);
  if (!(units > -BarRange)) return -BarRange;  // also catches NaN
  return static_cast<int>(std::min(units, static_cast<float>(BarRange)));
}

}  // namespace

TCamera::TCamera(TQZEngine& engine) : SavedPosition(Position), SavedRotation(Rotation), engine_(engine) {}

// A bar raises its change event only when its value changes, and the camera then
// follows the bar's value. A bar left where it was keeps the camera's finer position,
// so movement of less than one bar step per frame adds up instead of snapping back.
void TCamera::ShowPosition(int yzPosition) {
  Form& main = engine_.GetHost().GetForm(FormId::Main);
  if (const int x = BarPosition(Position.x); main.Position("ScrollBarX") != x) {
    main.SetPosition("ScrollBarX", x);
    ScrollX();
  }
  if (main.Position("ScrollBarYZ") != yzPosition) {
    main.SetPosition("ScrollBarYZ", yzPosition);
    ScrollYZ();
  }
}

void TCamera::SetMode(int mode) {
  Form& main = engine_.GetHost().GetForm(FormId::Main);
  main.SetVisible("ScrollBarX", true);
  main.SetVisible("ScrollBarYZ", true);
  Mode = static_cast<std::uint16_t>(mode);
  if (mode == ModeTop || mode == Mode3D) {
    main.SetPosition("ScrollBarYZ", BarPosition(Position.z));
    ScrollYZ();
  } else if (mode == ModeSide) {
    main.SetPosition("ScrollBarYZ", -BarPosition(Position.y));
    ScrollYZ();
  }
}

void TCamera::ResetCamera() {
  SetMode(ModeTop);
  Zoom = 1.0f;
}

void TCamera::ZoomIn() {
  if (Zoom < 8.0f) Zoom *= 2.0f;
}

void TCamera::ZoomOut() {
  if (Zoom > 0.5f) Zoom *= 0.5f;
}

void TCamera::ScrollX() {
  Position.x = static_cast<float>(engine_.GetHost().GetForm(FormId::Main).Position("ScrollBarX")) / BarUnitsPerMetre;
}

void TCamera::ScrollYZ() {
  const auto position = static_cast<float>(engine_.GetHost().GetForm(FormId::Main).Position("ScrollBarYZ"));
  if (Mode == ModeTop) {
    Position.z = position / BarUnitsPerMetre;
  } else if (Mode == ModeSide) {
    Position.y = -position / BarUnitsPerMetre;
  }
}

void TCamera::ToggleCapture() {
  Host& host = engine_.GetHost();
  Captured = Captured ? 0 : 1;
  host.SetPointerHidden(Captured != 0);
  const ScreenPoint origin = host.ViewOrigin();
  host.WarpPointer({origin.x + PanelCentre.x, origin.y + PanelCentre.y});
  host.FocusView();
}

void TCamera::MoveStep(int direction) {
  if (!Captured) return;
  switch (direction) {
    case 1: Position = TQZEngine::MoveForward(Rotation, Position, 0.3f); break;
    case 2: Position = TQZEngine::MoveForward(Rotation, Position, -0.3f); break;
    case 3: Position = TQZEngine::MoveSideways(Rotation, Position, -0.3f); break;
    case 4: Position = TQZEngine::MoveSideways(Rotation, Position, 0.3f); break;
    case 5: Position = TQZEngine::MoveVertical(Rotation, Position, 0.15f); break;
    case 6: Position = TQZEngine::MoveVertical(Rotation, Position, -0.15f); break;
    default: break;
  }
}

void TCamera::MoveWithKeys() {
  Host& host = engine_.GetHost();
  host.PollKeyboard();
  if (host.KeyDown(vk::Alt)) return;
  constexpr int keys[] = {vk::W, vk::S, vk::A, vk::D, vk::Space, vk::Ctrl};
  for (int direction = 1; direction <= 6; ++direction) {
    if (host.KeyDown(keys[direction - 1])) MoveStep(direction);
  }
}

void TCamera::SteerWithPointer() {
  Host& host = engine_.GetHost();
  const ScreenPoint origin = host.ViewOrigin();
  const ScreenPoint centre{origin.x + PanelCentre.x, origin.y + PanelCentre.y};
  const ScreenPoint pointer = host.PointerPosition();
  const auto dx = static_cast<float>(pointer.x - centre.x);
  const auto dy = static_cast<float>(pointer.y - centre.y);
  switch (Mode) {
    case ModeTop:
      Position.x -= dx * 0.02f / Zoom;
      Position.z -= dy * 0.02f / Zoom;
      ShowPosition(BarPosition(Position.z));
      break;
    case ModeSide:
      Position.x -= dx * 0.02f / Zoom;
      Position.y += dy * 0.02f / Zoom;
      ShowPosition(-BarPosition(Position.y));
      break;
    case Mode3D:
      Rotation.x -= dy * 0.2f;
      Rotation.y -= dx * 0.2f;
      ShowPosition(BarPosition(Position.z));
      break;
    default:
      break;
  }
  Rotation.x = std::clamp(Rotation.x, -90.0f, 90.0f);
  host.WarpPointer(centre);
}

void TCamera::ShowZoom() {
  const std::string zoom = Zoom >= 1.0f ? TQZEngine::IntToStr32(static_cast<int>(std::nearbyint(Zoom)))
                                        : engine_.FloatToStr32(Zoom, 1);
  engine_.GetHost().SetStatusText(3, "Zoom x " + zoom);
}

void TCamera::MoveTo(const TVector& position) {
  constexpr float Reach = BarRange / BarUnitsPerMetre;
  Position = position;
  Position.x = std::clamp(Position.x, -Reach, Reach);
  float& across = Mode == ModeSide ? Position.y : Position.z;
  across = std::clamp(across, -Reach, Reach);
  Form& main = engine_.GetHost().GetForm(FormId::Main);
  main.SetPosition("ScrollBarX", BarPosition(Position.x));
  main.SetPosition("ScrollBarYZ", Mode == ModeSide ? -BarPosition(Position.y) : BarPosition(Position.z));
}

void TCamera::ZoomAbout(TViewPoint at, bool in) {
  if (Mode == Mode3D) return;
  const TVector before = TViewMapping(*this).ToRoom(at, 0.0f);
  in ? ZoomIn() : ZoomOut();
  const TVector after = TViewMapping(*this).ToRoom(at, 0.0f);
  MoveTo(TQZEngine::Add(Position, TQZEngine::Subtract(before, after)));
}

void TCamera::Pan(TViewPoint from, TViewPoint to) {
  if (Mode == Mode3D) return;
  const TViewMapping mapping(*this);
  MoveTo(TQZEngine::Add(Position, TQZEngine::Subtract(mapping.ToRoom(from, 0.0f), mapping.ToRoom(to, 0.0f))));
}

void TCamera::CentreOn(const TVector& point) {
  if (Mode == Mode3D) return;
  TVector target = Position;
  target.x = point.x;
  if (Mode == ModeSide) {
    target.y = point.y;
  } else {
    target.z = point.z;
  }
  MoveTo(target);
}

void TCamera::DoFrame() {
  if (Captured) {
    MoveWithKeys();
    SteerWithPointer();
    if (Mode == Mode3D) {
      SavedPosition = Position;
      SavedRotation = Rotation;
    }
  }
  ShowZoom();
}
