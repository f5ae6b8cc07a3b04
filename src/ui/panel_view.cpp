#include "ui/panel_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QSurfaceFormat>

#include "surfaces/light_map.h"

PanelView::PanelView(QWidget* parent) : QOpenGLWidget(parent) {
  setObjectName(QStringLiteral("PanelView"));
  // The main window's layout gives the view whatever room it has beyond this.
  setMinimumSize(PanelShadowView.width, PanelShadowView.height);
  resize(PanelShadowView.width, PanelShadowView.height);
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

QSize PanelView::PixelSize() const { return size() * devicePixelRatio(); }

QPoint PanelView::Pixel(const QPointF& at) const { return (at * devicePixelRatio()).toPoint(); }

void PanelView::resizeGL(int, int) {
  if (resized_) resized_(PixelSize());
}

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
  pressModifiers_ = event->modifiers();
  const QPoint at = Pixel(event->position());
  emit pressed(event->button(), at.x(), at.y());
}

void PanelView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = Pixel(event->position());
  emit moved(at.x(), at.y());
}

void PanelView::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint at = Pixel(event->position());
  emit released(event->button(), at.x(), at.y());
}

void PanelView::wheelEvent(QWheelEvent* event) {
  // Fine-grained wheels and touch pads report parts of a notch; they add up.
  constexpr int Notch = 120;
  wheelAngle_ += event->angleDelta().y();
  const int steps = wheelAngle_ / Notch;
  wheelAngle_ -= steps * Notch;
  const QPoint at = Pixel(event->position());
  if (steps != 0) emit wheelTurned(at.x(), at.y(), steps);
  event->accept();
}

void PanelView::keyPressEvent(QKeyEvent* event) {
  int dx = 0, dy = 0;
  switch (event->key()) {
    case Qt::Key_Left: dx = -1; break;
    case Qt::Key_Right: dx = 1; break;
    case Qt::Key_Up: dy = -1; break;
    case Qt::Key_Down: dy = 1; break;
    default: QOpenGLWidget::keyPressEvent(event); return;
  }
  if (event->modifiers() & Qt::ShiftModifier) {
    emit shiftArrowPressed(dx, dy);
  } else {
    emit arrowPressed(dx, dy);
  }
  event->accept();
}
