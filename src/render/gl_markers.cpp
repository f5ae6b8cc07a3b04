// Translucent boxes, cylinders and arrows that stand for invisible entity data.
#include <cmath>
#include <numbers>

#include "core/edit_math.h"
#include "render/edit_gl.h"
#include "render/gl_primitives.h"
#include "render/gl_room.h"

namespace {

constexpr double MarkerAlpha = 0.15;

double Degrees(double radians) { return radians * 180.0 / std::numbers::pi; }

}  // namespace

void TRoomRenderer::DrawMarkerBox(const TVector& position, const TVector& size, float scale, const TVector& color) {
  gl_.SetViewTransform();
  glTranslatef(position.x, position.y + size.y / 2 * scale, position.z);
  gl_.SetGLStates(true, true, false, false, false, false, false);
  // Translucent: the box must not hide what stands inside it.
  glDepthMask(GL_FALSE);
  TEditGL::SetBlendMode(1, color.x, color.y, color.z, MarkerAlpha);
  const double width = size.x * scale * 2, height = size.y * scale, depth = size.z * scale * 2;
  DrawSolidBox(width, height, depth);
  glLineWidth(2.0f);
  DrawWireBox(width, height, depth);
  glLineWidth(1.0f);
  glDepthMask(GL_TRUE);
}

void TRoomRenderer::DrawMarkerCylinder(const TVector& position, float radius, float height, float scale,
                                       const TVector& color) {
  gl_.SetViewTransform();
  glTranslatef(position.x, position.y + (height - 1) * scale, position.z);
  gl_.SetGLStates(false, true, false, false, false, false, false);
  TEditGL::SetBlendMode(1, color.x, color.y, color.z, MarkerAlpha);
  DrawSolidCylinder(radius * scale, height * scale);
  glLineWidth(2.0f);
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  DrawWireCylinder(radius * scale, height * scale);
  ResetPolygonMode();
  glLineWidth(1.0f);
}

void TRoomRenderer::DrawTargetArrow(const TVector& from, const TVector& to) {
  const float distance = TQZMath::Distance(from, to);
  if (distance == 0.0f) return;
  const double horizontal = std::hypot(to.x - from.x, to.z - from.z);
  double yaw = Degrees(std::acos((to.z - from.z) / distance)) + 180.0;
  if (to.x > from.x) yaw = 180.0 - yaw;
  const double pitch = horizontal > 0 ? Degrees(std::acos(std::clamp((to.y - from.y) / horizontal, -1.0, 1.0))) : 0.0;
  gl_.SetViewTransform();
  gl_.SetGLStates(false, true, false, false, false, false, false);
  TEditGL::SetBlendMode(1, 1.0, 0.8, 0.0, 0.4);
  glTranslatef(from.x, from.y, from.z);
  glRotated(yaw, 0.0, 1.0, 0.0);
  glRotated(pitch, 0.0, 0.0, 1.0);
  glBegin(GL_LINES);
  glColor4d(1.0, 0.8, 0.0, 0.2);
  glVertex3d(0.0, 0.0, 0.0);
  glColor4d(1.0, 0.8, 0.0, 0.6);
  glVertex3d(horizontal - 0.5, 0.0, 0.0);
  glEnd();
  glTranslated(horizontal - 0.5, 0.0, 0.0);
  glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
  DrawWireCone(0.05, 0.1);
}
