#include "ui/view_navigation.h"

#include <cstdlib>

#include "room/edit_room.h"
#include "ui/panel_view.h"

namespace {

// An arrow key moves the view by this share of its width or height.
constexpr float KeyPanShare = 1.0f / 8.0f;

}  // namespace

ViewNavigation::ViewNavigation(PanelView& view, std::function<TRoom*()> room)
    : QObject(&view), room_(std::move(room)) {
  connect(&view, &PanelView::wheelTurned, this, &ViewNavigation::Zoom);
  connect(&view, &PanelView::arrowPressed, this, &ViewNavigation::PanByKey);
}

TRoom* ViewNavigation::FlatRoom() const {
  TRoom* room = room_();
  return room && room->Camera.Mode != TCamera::Mode3D ? room : nullptr;
}

bool ViewNavigation::Press(Qt::MouseButton button, int x, int y) {
  if (button != Qt::MiddleButton || !FlatRoom()) return false;
  panning_ = true;
  lastX_ = x;
  lastY_ = y;
  return true;
}

bool ViewNavigation::Move(int x, int y) {
  if (!panning_) return false;
  if (TRoom* room = FlatRoom()) room->Camera.Pan(PixelCentre(lastX_, lastY_), PixelCentre(x, y));
  lastX_ = x;
  lastY_ = y;
  return true;
}

bool ViewNavigation::Release(Qt::MouseButton button) {
  if (button != Qt::MiddleButton || !panning_) return false;
  panning_ = false;
  return true;
}

void ViewNavigation::Zoom(int x, int y, int steps) {
  TRoom* room = FlatRoom();
  if (!room) return;
  for (int step = 0; step < std::abs(steps); ++step) room->Camera.ZoomAbout(PixelCentre(x, y), steps > 0);
}

void ViewNavigation::PanByKey(int dx, int dy) {
  TRoom* room = FlatRoom();
  if (!room) return;
  const TCamera& camera = room->Camera;
  const TViewPoint centre{static_cast<float>(camera.ViewWidth) / 2.0f, static_cast<float>(camera.ViewHeight) / 2.0f};
  // The view moves towards the arrow: what was there comes to the centre.
  const TViewPoint towards{centre.x + static_cast<float>(dx) * static_cast<float>(camera.ViewWidth) * KeyPanShare,
                           centre.y + static_cast<float>(dy) * static_cast<float>(camera.ViewHeight) * KeyPanShare};
  room->Camera.Pan(towards, centre);
}
