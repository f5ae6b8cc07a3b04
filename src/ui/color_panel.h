#pragma once
// The small "C" panel beside three colour edits: shows a colour and opens the colour
// picker when clicked.

#include <QFrame>

class ColorPanel : public QFrame {
  Q_OBJECT

public:
  explicit ColorPanel(QWidget* parent = nullptr);

  // 0xRRGGBB, as the document's Form passes colours.
  unsigned Rgb() const { return rgb_; }
  void SetRgb(unsigned rgb);

signals:
  void clicked();

protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  unsigned rgb_ = 0;
};
