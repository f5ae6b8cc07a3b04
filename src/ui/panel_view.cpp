#include "ui/panel_view.h"

#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QSurfaceFormat>

PanelView::PanelView(QWidget* parent) : QOpenGLWidget(parent) {
  setObjectName(QStringLiteral("PanelView"));
  setFixedSize(641, 481);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
}

void PanelView::UseCompatibilityFormat() {
  QSurfaceFormat format;
  format.setRenderableType(QSurfaceFormat::OpenGL);
  format.setProfile(QSurfaceFormat::CompatibilityProfile);
  format.setVersion(2, 1);
  format.setDepthBufferSize(24);
  format.setRedBufferSize(8);
  format.setGreenBufferSize(8);
  format.setBlueBufferSize(8);
  format.setAlphaBufferSize(8);
  format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
  QSurfaceFormat::setDefaultFormat(format);
}

bool PanelView::HasContext() const { return context() != nullptr && context()->isValid(); }

void PanelView::initializeGL() {}

void PanelView::paintGL() {
  if (render_) {
    render_();
    return;
  }
  QOpenGLFunctions* gl = context()->functions();
  gl->glClearColor(0.2f, 0.2f, 0.25f, 1.0f);
  gl->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void PanelView::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  emit pressed(event->button(), at.x(), at.y());
}

void PanelView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  emit moved(at.x(), at.y());
}

void PanelView::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  emit released(event->button(), at.x(), at.y());
}
