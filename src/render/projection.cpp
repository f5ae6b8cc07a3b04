#include "render/projection.h"

#include <array>
#include <cmath>

#include "core/edit_math.h"
#include "render/edit_gl.h"
#include "render/gl_2D.h"
#include "render/gl_api.h"
#include "render/gl_room.h"
#include "room/edit_room.h"

namespace {

constexpr GLsizei FeedbackSize = 20;
// A point that survives clipping comes back as its token plus 2 (GL_2D) or 3 (GL_3D) values.
constexpr GLint Values2D = 3;
constexpr GLint Values3D = 4;
// How much nearer than the target point a drawn depth must be to hide it, so the
// surface a point lies on does not hide the point.
constexpr float DepthMargin = 0.01f;

// The point's feedback values through the camera's view transform, or nothing when clipped.
std::array<GLfloat, FeedbackSize> Feedback(TEditGL& gl, const TVector& point, GLenum type, GLint& count) {
  std::array<GLfloat, FeedbackSize> buffer{};
  glColor3f(0.0f, 0.0f, 0.0f);
  glFeedbackBuffer(FeedbackSize, type, buffer.data());
  glRenderMode(GL_FEEDBACK);
  gl.SetViewTransform();
  glBegin(GL_POINTS);
  glVertex3f(point.x, point.y, point.z);
  glEnd();
  count = glRenderMode(GL_RENDER);
  return buffer;
}

}  // namespace

bool TProjection::ProjectToScreen(const TVector& point, float& x, float& y) {
  GLint count = 0;
  const auto buffer = Feedback(gl_, point, GL_2D, count);
  if (count != Values2D) {
    x = VirtualWidth / 2;
    y = VirtualHeight / 2;
    return false;
  }
  x = buffer[1] * VirtualWidth / static_cast<float>(gl_.ViewWidth());
  y = VirtualHeight - buffer[2] * VirtualHeight / static_cast<float>(gl_.ViewHeight());
  return true;
}

float TProjection::ProjectedDepth(const TVector& point) {
  GLint count = 0;
  const auto buffer = Feedback(gl_, point, GL_3D, count);
  return count == Values3D ? buffer[3] : -1.0f;
}

float TProjection::ReadDepthAt(float x, float y) {
  const auto px = static_cast<GLint>(std::lround(x / VirtualWidth * static_cast<float>(gl_.ViewWidth())));
  const auto py =
      static_cast<GLint>(std::lround((VirtualHeight - y) / VirtualHeight * static_cast<float>(gl_.ViewHeight())));
  // Outside the panel there is no depth to read; nothing drawn there means far away.
  if (px < 0 || py < 0 || px >= gl_.ViewWidth() || py >= gl_.ViewHeight()) return 1.0f;
  GLfloat depth = 1.0f;
  glReadPixels(px, py, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
  return depth;
}

void TProjection::DrawSprite(std::int16_t slot, bool flipS, bool flipT, float size, float x, float y, int row,
                             int column, float cellHeight, float cellWidth) {
  gl_.SelectTexture(slot);
  GLint width = 0;
  GLint height = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
  // A slot without a texture has no cells to cut.
  if (width <= 0 || height <= 0) return;
  const float w = static_cast<float>(width);
  const float h = static_cast<float>(height);
  float s0 = cellWidth * static_cast<float>(column) / w;
  float s1 = cellWidth * static_cast<float>(column + 1) / w;
  float t0 = 1.0f - cellHeight * static_cast<float>(row + 1) / h;
  float t1 = 1.0f - cellHeight * static_cast<float>(row) / h;
  if (flipS) std::swap(s0, s1);
  if (flipT) std::swap(t0, t1);
  const float hw = size * cellWidth / 2;
  const float hh = size * cellHeight / 2;
  glBegin(GL_QUADS);
  glTexCoord2f(s0, t0);
  glVertex2f(x - hw, y + hh);
  glTexCoord2f(s1, t0);
  glVertex2f(x + hw, y + hh);
  glTexCoord2f(s1, t1);
  glVertex2f(x + hw, y - hh);
  glTexCoord2f(s0, t1);
  glVertex2f(x - hw, y - hh);
  glEnd();
}

bool GLOcclusion::IsOccluded(std::int16_t skipEntity, std::int16_t skipSurface, const TVector& from,
                             const TVector& to) {
  TCamera& camera = gl_.Room().Camera;
  const TVector savedPosition = camera.Position;
  const TVector savedRotation = camera.Rotation;
  const auto savedMode = camera.Mode;
  const float savedZoom = camera.Zoom;
  camera.Position = from;
  camera.Rotation = TQZMath::AnglesTo(from, to);
  camera.Mode = TCamera::Mode3D;
  camera.Zoom = 1.0f;

  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  gl_.SetViewProjection();
  // Shadows are cast by filled polygons whatever "Wireframe Mode" says; outlines would
  // let the light through everywhere but along the edges.
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  gl_.RoomRenderer().DrawEntities(skipEntity, true);
  gl_.RoomRenderer().DrawSurfaces(skipSurface, true);
  gl_.RoomRenderer().ResetPolygonMode();
  TProjection& projection = gl_.Projection();
  float x = 0.0f;
  float y = 0.0f;
  bool visible = false;
  if (projection.ProjectToScreen(to, x, y)) {
    const float drawn = projection.ReadDepthAt(std::round(x), std::round(y));
    visible = drawn >= projection.ProjectedDepth(to) + DepthMargin;
  }

  camera.Position = savedPosition;
  camera.Rotation = savedRotation;
  camera.Mode = savedMode;
  camera.Zoom = savedZoom;
  return !visible;
}
