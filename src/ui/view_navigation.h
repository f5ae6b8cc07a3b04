#pragma once
// Moving around the flat views with the mouse and keyboard: the wheel zooms about the
// pointer, a middle-button drag pans, the arrow keys pan by an eighth of the view. The
// 3D view keeps its own flight controls.

#include <QObject>
#include <functional>

class PanelView;
class TRoom;

class ViewNavigation : public QObject {
public:
  // room gives the edited room, or null when there is none (before start-up, after shut-down).
  ViewNavigation(PanelView& view, std::function<TRoom*()> room);

  // The view's mouse, before the cursor or the camera's steering get it: true when the
  // event belonged to a middle-button pan and is done with.
  bool Press(Qt::MouseButton button, int x, int y);
  bool Move(int x, int y);
  bool Release(Qt::MouseButton button);

private:
  void Zoom(int x, int y, int steps);
  void PanByKey(int dx, int dy);
  TRoom* FlatRoom() const;

  std::function<TRoom*()> room_;
  bool panning_ = false;
  int lastX_ = 0;
  int lastY_ = 0;
};
