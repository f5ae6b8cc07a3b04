// The room's free surfaces with their light maps.
#include <cmath>

#include "render/edit_gl.h"
#include "render/gl_room.h"
#include "room/edit_room.h"

namespace {

struct TexCoord {
  float s, t;
};

// Half a texel inside the light map's border, so the outer texel centres meet the corners.
std::array<TexCoord, 4> LightMapCorners(const TSurface& surface) {
  const float e = surface.lightMapWidth > 0 ? 0.5f / surface.lightMapWidth : 0.0f;
  const float g = surface.lightMapHeight > 0 ? 0.5f / surface.lightMapHeight : 0.0f;
  return {{{e, g}, {1 - e, g}, {1 - e, 1 - g}, {e, 1 - g}}};
}

void EmitQuad(TMultitexture& units, const TSurface& surface) {
  const auto lightMap = LightMapCorners(surface);
  glBegin(GL_QUADS);
  for (int c = 3; c >= 0; --c) {
    const TSurfaceCorner& corner = surface.corners[static_cast<std::size_t>(c)];
    units.MultiTexCoord(corner.s, corner.t, lightMap[static_cast<std::size_t>(c)].s,
                        lightMap[static_cast<std::size_t>(c)].t);
    glVertex3f(corner.position.x, corner.position.y, corner.position.z);
  }
  glEnd();
}

}  // namespace

void TRoomRenderer::DrawSurfaces(std::int16_t skipSurface, bool lightPassOnly) {
  TRoom& room = gl_.Room();
  TMultitexture& units = gl_.Multitexture();
  gl_.SetViewTransform();
  for (int slot = 0; slot < TRoom::SurfaceSlots; ++slot) {
    const TSurface* surface = room.Surfaces[static_cast<std::size_t>(slot)].get();
    if (surface == nullptr || !surface->InUse() || slot == skipSurface) continue;
    gl_.SetGLStates(true, false, true, false, false, !lightPassOnly, true);
    units.SetTwoTextures(surface->textureHandle, surface->lightMapHandle);
    glNormal3f(surface->normal.x, surface->normal.y, surface->normal.z);
    glColor3f(1.0f, 1.0f, 1.0f);
    EmitQuad(units, *surface);
    gl_.AddPolygons(2);
  }
  units.EndMultitexture();
}

void TRoomRenderer::DrawSelectedSurface() {
  TRoom& room = gl_.Room();
  const TSurface* surface = room.Cursor.SelectedSurface;
  if (surface == nullptr || !surface->InUse()) return;
  if (gl_.MainForm().ActivePage(view_menu::ToolPalette) != view_menu::SurfacesSheet) return;
  // Over everything and from both sides: a surface seen from behind, edge on or under
  // others is still found.
  gl_.SetViewTransform();
  gl_.SetGLStates(false, true, false, false, false, false, false);
  const double pulse = 0.25 * std::sin(room.Time) + 0.75;
  TEditGL::SetBlendMode(1, 0.25 * pulse, 0.5 * pulse, 0.1 * pulse, 1.0);
  glBegin(GL_QUADS);
  for (const TSurfaceCorner& c : surface->corners) glVertex3f(c.position.x, c.position.y, c.position.z);
  glEnd();
  TEditGL::SetBlendMode(0, 1.0, 1.0, 0.2, 1.0);
  glLineWidth(3.0f);
  glBegin(GL_LINE_LOOP);
  for (const TSurfaceCorner& c : surface->corners) glVertex3f(c.position.x, c.position.y, c.position.z);
  glEnd();
  glLineWidth(1.0f);
}
