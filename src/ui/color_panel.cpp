#include "ui/color_panel.h"

#include <QKeyEvent>
#include <QMouseEvent>

ColorPanel::ColorPanel(QWidget* parent) : QFrame(parent) {
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Sunken);
  setAutoFillBackground(true);
  setFixedSize(22, 22);
  setFocusPolicy(Qt::TabFocus);
  setCursor(Qt::PointingHandCursor);
  SetRgb(0);
}

void ColorPanel::SetRgb(unsigned rgb) {
  rgb_ = rgb & 0xFFFFFFu;
  QPalette colours = palette();
  colours.setColor(QPalette::Window, QColor::fromRgb(static_cast<QRgb>(rgb_)));
  setPalette(colours);
}

void ColorPanel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

// Reachable by keyboard too: space or Enter on the focused panel picks a colour.
void ColorPanel::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    emit clicked();
    return;
  }
  QFrame::keyPressEvent(event);
}
