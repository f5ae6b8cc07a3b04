#include "ui/color_panel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

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

// The caption "C" over the colour, dark on light colours and light on dark ones.
void ColorPanel::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  const QColor colour = QColor::fromRgb(static_cast<QRgb>(rgb_));
  painter.setPen(colour.lightness() > 127 ? Qt::black : Qt::white);
  painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("C"));
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
