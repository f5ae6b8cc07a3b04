#pragma once
// A started room whose cursor is driven by pixel positions of the top view: grid on,
// zoom 1, camera over the room's centre.

#include <cmath>

#include "room_fixture.h"

class CursorTest : public RoomTest {
protected:
  CursorTest() : main(host.Memory(FormId::Main)), cursor(room.Cursor) {
    main.SetChecked("UseGrid1", true);
    main.SetActivePage("PageControl", "TabSheetLights");
  }
  // Pixels of the 641 x 481 view for a point in the top view at zoom 1 and camera x = z = 0.
  static int PixelX(float x) { return 320 + static_cast<int>(std::lround(x / TCursor::MetresPerPixel)); }
  static int PixelY(float z) { return 240 + static_cast<int>(std::lround(z / TCursor::MetresPerPixel)); }
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
