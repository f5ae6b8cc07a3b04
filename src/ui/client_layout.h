#pragma once
// Lets the main window's client area grow beyond its designed 944 x 520 while the
// controls keep their designed places: the view takes the extra width and height, what
// stands right of it (the palette) moves along by the extra width, what stands below it
// moves down and stretches with it, and panels over the view stay centred on it.

#include <QObject>
#include <QRect>
#include <QSize>
#include <map>

class QWidget;

class ClientLayout : public QObject {
public:
  // `view` is the client's child the extra room goes to; the client's children stand
  // as designed when this is made.
  ClientLayout(QWidget& client, QWidget& view);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void Place();
  QRect Placed(const QRect& designed, QSize extra) const;

  QWidget& client_;
  QWidget& view_;
  QSize designedClient_;
  QRect designedView_;
  std::map<QWidget*, QRect> designed_;
};
