#pragma once
// PanelView: the GL view of the main window, a compatibility-profile context with a
// depth buffer. Mouse presses, moves, releases, wheel turns and arrow keys leave as
// signals in the panel's real pixels (device pixels, on a scaled display more than the
// widget's size); each repaint runs the frame's drawing, or clears to a colour while no
// renderer is set.

#include <QOpenGLWidget>
#include <functional>

class PanelView : public QOpenGLWidget {
  Q_OBJECT

public:
  explicit PanelView(QWidget* parent = nullptr);

  // The default surface format every GL widget of the program is made with; set before
  // the application object exists.
  static void UseCompatibilityFormat();

  void SetRenderer(std::function<void()> render) { render_ = std::move(render); }
  // Called with the new size in real pixels, the panel's context current.
  void SetResizer(std::function<void(QSize)> resized) { resized_ = std::move(resized); }
  QSize PixelSize() const;
  // The keyboard modifiers of the last mouse press.
  Qt::KeyboardModifiers PressModifiers() const { return pressModifiers_; }
  // Whether a GL context was made for the panel.
  bool HasContext() const;

signals:
  void pressed(Qt::MouseButton button, int x, int y);
  void moved(int x, int y);
  void released(Qt::MouseButton button, int x, int y);
  // steps: whole notches, positive away from the user.
  void wheelTurned(int x, int y, int steps);
  // One arrow key: -1, 0 or 1 across and down.
  void arrowPressed(int dx, int dy);
  // The same with Shift held: the selection is nudged instead of the view panned.
  void shiftArrowPressed(int dx, int dy);

protected:
  void initializeGL() override;
  void paintGL() override;
  void resizeGL(int width, int height) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  QPoint Pixel(const QPointF& at) const;

  std::function<void()> render_;
  std::function<void(QSize)> resized_;
  int wheelAngle_ = 0;  // eighths of a degree not yet a whole notch
  Qt::KeyboardModifiers pressModifiers_;
};
