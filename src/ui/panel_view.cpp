#include "ui/panel_view.h"

#include <QKeyEvent>
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

void PanelView::wheelEvent(QWheelEvent* event) {
  // Fine-grained wheels and touch pads report parts of a notch; they add up.
  constexpr int Notch = 120;
  wheelAngle_ += event->angleDelta().y();
  const int steps = wheelAngle_ / Notch;
  wheelAngle_ -= steps * Notch;
  const QPoint at = event->position().toPoint();
  if (steps != 0) emit wheelTurned(at.x(), at.y(), steps);
  event->accept();
}

void PanelView::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Left: emit arrowPressed(-1, 0); break;
    case Qt::Key_Right: emit arrowPressed(1, 0); break;
    case Qt::Key_Up: emit arrowPressed(0, -1); break;
    case Qt::Key_Down: emit arrowPressed(0, 1); break;
    default: QOpenGLWidget::keyPressEvent(event); return;
  }
  event->accept();
}
