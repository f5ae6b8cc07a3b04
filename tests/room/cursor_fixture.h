#pragma once
// A started room whose cursor is driven by pixel positions of the top view: grid on,
// zoom 1, camera over the room's centre.

#include <cmath>

#include "room_fixture.h"
#include "room/view_mapping.h"

class CursorTest : public RoomTest {
protected:
  CursorTest() : main(host.Memory(FormId::Main)), cursor(room.Cursor) {
    main.SetChecked("UseGrid1", true);
    main.SetActivePage("PageControl", "TabSheetLights");
  }
  // The pixel of the view on which a point of the top view's floor is drawn.
  int PixelX(float x) const { return static_cast<int>(std::floor(DrawnAt({x, 0.0f, 0.0f}).x)); }
  int PixelY(float z) const { return static_cast<int>(std::floor(DrawnAt({0.0f, 0.0f, z}).y)); }
  TViewPoint DrawnAt(const TVector& point) const { return TViewMapping(room.Camera).ToView(point).value(); }
  void HoverOnPixel(TViewPoint at) {
    const int x = static_cast<int>(std::floor(at.x)), y = static_cast<int>(std::floor(at.y));
    cursor.SetPosition(room, x, y);
    cursor.SetPosition(room, x, y);
  }
  // The pointer comes to rest at a point, as the view's tracking reports it before a
  // press, so the press itself moves nothing.
  void HoverAt(float x, float z) {
    cursor.SetPosition(room, PixelX(x), PixelY(z));
    cursor.SetPosition(room, PixelX(x), PixelY(z));
  }
  void ClickAt(float x, float z) {
    HoverAt(x, z);
    cursor.Press(room);
    cursor.Release(room);
  }
  void DragFromTo(float x0, float z0, float x1, float z1) {
    HoverAt(x0, z0);
    cursor.Press(room);
    cursor.SetPosition(room, PixelX(x1), PixelY(z1));
    cursor.Drag(room);
    cursor.Release(room);
  }

  MemoryForm& main;
  TCursor& cursor;
};
