// The selection over everything: a bracket box round each selected light and entity, the
// outline of each selected surface and of a selected field rectangle, and the box being
// drawn to select. Boxes keep about the same size on screen at every zoom.
#include "entities/edit_entity.h"
#include "render/edit_gl.h"
#include "render/gl_room.h"
#include "room/edit_room.h"

namespace {

constexpr float Cyan[3] = {0.2f, 0.9f, 1.0f};
// Half the box's side: 12 view pixels in the flat views, 0.4 m in the 3D view.
constexpr float BoxPixels = 12.0f;
constexpr float MetresPerPixel = 0.026f;

void WireBox(const TVector& at, float half) {
  const float x0 = at.x - half, x1 = at.x + half, y0 = at.y - half, y1 = at.y + half, z0 = at.z - half,
              z1 = at.z + half;
  const float corners[8][3] = {{x0, y0, z0}, {x1, y0, z0}, {x1, y0, z1}, {x0, y0, z1},
                               {x0, y1, z0}, {x1, y1, z0}, {x1, y1, z1}, {x0, y1, z1}};
  constexpr int edges[12][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {4, 5}, {5, 6},
                                {6, 7}, {7, 4}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};
  glBegin(GL_LINES);
  for (const auto& edge : edges)
    for (const int corner : edge) glVertex3fv(corners[corner]);
  glEnd();
}

}  // namespace

void TRoomRenderer::DrawSelection() {
  TRoom& room = gl_.Room();
  const TSelection& chosen = room.Selection;
  gl_.SetViewTransform();
  gl_.SetGLStates(false, false, false, false, false, false, false);
  glColor3fv(Cyan);
  glLineWidth(2.0f);
  const bool flat = room.Camera.Mode != TCamera::Mode3D;
  const float half = flat ? BoxPixels * MetresPerPixel / room.Camera.Zoom : 0.4f;
  for (const int slot : chosen.Slots()) {
    const auto at = static_cast<std::size_t>(slot);
    if (chosen.What() == TSelection::Kind::Lights && room.Lights[at].InUse()) WireBox(room.Lights[at].Position, half);
    if (chosen.What() == TSelection::Kind::Entities && room.Entities[at]->InUse())
      WireBox(room.Entities[at]->Position, half);
    if (chosen.What() == TSelection::Kind::Surfaces && room.Surfaces[at]->InUse()) {
      glBegin(GL_LINE_LOOP);
      for (const TSurfaceCorner& c : room.Surfaces[at]->corners) glVertex3f(c.position.x, c.position.y, c.position.z);
      glEnd();
    }
  }
  if (chosen.What() == TSelection::Kind::Fields) {
    const TFieldRect& f = chosen.Fields();
    // Field x covers x - 30 to x - 29 metres.
    const auto x = [](int i) { return static_cast<float>(i - 30); };
    glBegin(GL_LINE_LOOP);
    glVertex3f(x(f.minX), 0.0f, x(f.minZ));
    glVertex3f(x(f.maxX + 1), 0.0f, x(f.minZ));
    glVertex3f(x(f.maxX + 1), 0.0f, x(f.maxZ + 1));
    glVertex3f(x(f.minX), 0.0f, x(f.maxZ + 1));
    glEnd();
  }
  if (flat && room.Cursor.BoxSelecting()) {
    // The box in view pixels, over the picture.
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, room.Camera.ViewWidth, room.Camera.ViewHeight, 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    const TViewPoint a = room.Cursor.BoxStart, b = room.Cursor.Pointer;
    glBegin(GL_LINE_LOOP);
    glVertex2f(a.x, a.y);
    glVertex2f(b.x, a.y);
    glVertex2f(b.x, b.y);
    glVertex2f(a.x, b.y);
    glEnd();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
  }
  glLineWidth(1.0f);
}
