#include "render/projection.h"

#include <array>
#include <cmath>
#include <optional>

#include "core/edit_math.h"
#include "engine/edit_engine.h"
#include "render/edit_gl.h"
#include "render/gl_2D.h"
#include "render/gl_api.h"
#include "render/gl_room.h"
#include "room/edit_room.h"
#include "room/view_mapping.h"

namespace {

struct WindowPoint {
  float x;
  float y;
  float depth;
};

// The point through the camera's view transform and the current projection, as GL's
// feedback mode reports it: window coordinates and depth, or nothing when the point is
// clipped. Computed from GL's own matrices rather than in feedback mode, which on
// Mesa's software rasteriser leaks its vertex buffers at every switch of the render
// mode (about half a megabyte a frame with a few lens flares).
std::optional<WindowPoint> Project(TEditGL& gl, const TVector& point) {
  glColor3f(0.0f, 0.0f, 0.0f);
  gl.SetViewTransform();
  std::array<GLdouble, 16> modelView{};
  std::array<GLdouble, 16> projection{};
  std::array<GLint, 4> viewport{};
  std::array<GLdouble, 2> depthRange{};
  glGetDoublev(GL_MODELVIEW_MATRIX, modelView.data());
  glGetDoublev(GL_PROJECTION_MATRIX, projection.data());
  glGetIntegerv(GL_VIEWPORT, viewport.data());
  glGetDoublev(GL_DEPTH_RANGE, depthRange.data());
  // Column-major matrices, as GL keeps them.
  const auto transform = [](const std::array<GLdouble, 16>& m, const std::array<double, 4>& v) {
    std::array<double, 4> out{};
    for (int row = 0; row < 4; ++row)
      for (int column = 0; column < 4; ++column) out[row] += m[column * 4 + row] * v[column];
    return out;
  };
  const auto clip = transform(projection, transform(modelView, {point.x, point.y, point.z, 1.0}));
  const double w = clip[3];
  // GL keeps a point only inside -w .. w on every axis.
  for (int axis = 0; axis < 3; ++axis)
    if (!(std::fabs(clip[axis]) <= w)) return std::nullopt;
  const auto window = [&](int axis) { return (clip[axis] / w + 1.0) / 2.0; };
  return WindowPoint{static_cast<float>(viewport[0] + window(0) * viewport[2]),
                     static_cast<float>(viewport[1] + window(1) * viewport[3]),
                     static_cast<float>(depthRange[0] + window(2) * (depthRange[1] - depthRange[0]))};
}

// The distance along the view axis of a window depth (depth range 0..1), undoing the
// current perspective projection.
double EyeDistance(double windowDepth) {
  std::array<GLdouble, 16> projection{};
  glGetDoublev(GL_PROJECTION_MATRIX, projection.data());
  return projection[14] / (2.0 * windowDepth - 1.0 + projection[10]);
}

}  // namespace

bool TProjection::ProjectToScreen(const TVector& point, float& x, float& y) {
  const auto projected = Project(gl_, point);
  if (!projected) {
    x = VirtualWidth / 2;
    y = VirtualHeight / 2;
    return false;
  }
  x = projected->x * VirtualWidth / static_cast<float>(gl_.ViewWidth());
  y = VirtualHeight - projected->y * VirtualHeight / static_cast<float>(gl_.ViewHeight());
  return true;
}

float TProjection::ProjectedDepth(const TVector& point) {
  const auto projected = Project(gl_, point);
  return projected ? projected->depth : -1.0f;
}

float TProjection::ReadDepthAt(float x, float y) {
  const auto px = static_cast<GLint>(std::lround(x / VirtualWidth * static_cast<float>(gl_.ViewWidth())));
  const auto py =
      static_cast<GLint>(std::lround((VirtualHeight - y) / VirtualHeight * static_cast<float>(gl_.ViewHeight())));
  return ReadDepthAtPixel(px, py);
}

float TProjection::ReadDepthAtPixel(int px, int py) {
  // Outside the panel there is no depth to read; nothing drawn there means far away.
  if (px < 0 || py < 0 || px >= gl_.ViewWidth() || py >= gl_.ViewHeight()) return 1.0f;
  GLfloat depth = 1.0f;
  glReadPixels(px, py, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
  return depth;
}

void TProjection::DrawSprite(std::int16_t slot, bool flipS, bool flipT, float size, float x, float y, int row,
                             int column, float cellHeight, float cellWidth) {
  const auto [width, height] = gl_.SelectSizedTexture(slot);
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
  // 4:3 whatever the panel's size, as the ray caster sees it.
  gl_.SetViewProjection(view_geometry::ViewAspect);
  // Shadows are cast by filled polygons whatever "Wireframe Mode" says; outlines would
  // let the light through everywhere but along the edges.
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  gl_.RoomRenderer().DrawEntities(skipEntity, true);
  gl_.RoomRenderer().DrawSurfaces(skipSurface, true);
  gl_.RoomRenderer().ResetPolygonMode();
  TProjection& projection = gl_.Projection();
  bool visible = false;
  if (const float own = projection.ProjectedDepth(to); own >= 0.0f) {
    // The camera looks straight at the target: the pixel on the view's centre.
    const float drawn = projection.ReadDepthAtPixel(gl_.ViewWidth() / 2, gl_.ViewHeight() / 2);
    visible = Rule == OcclusionRule::Literal
                  ? drawn >= own + LiteralDepthMargin
                  : EyeDistance(drawn) >= TQZEngine::Distance(from, to) + ExactDistanceMargin;
  }

  camera.Position = savedPosition;
  camera.Rotation = savedRotation;
  camera.Mode = savedMode;
  camera.Zoom = savedZoom;
  return !visible;
}
