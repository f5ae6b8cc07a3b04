#include "ui/thumbnail_tile.h"

#include <QFontMetrics>
#include <QListView>
#include <QPainter>
#include <algorithm>

QPixmap ComposeTile(const ThumbnailTile& tile, int side) {
  QPixmap canvas(side, side);
  const bool picture = !tile.picture.isNull();
  canvas.fill(picture ? tile.background : tile.failed ? QColor(240, 200, 200) : QColor(205, 205, 205));
  QPainter painter(&canvas);
  if (picture) {
    const QPixmap shown = tile.picture.width() > side || tile.picture.height() > side
                              ? tile.picture.scaled(side, side, Qt::KeepAspectRatio)
                              : tile.picture;
    painter.drawPixmap((side - shown.width()) / 2, (side - shown.height()) / 2, shown);
  } else {
    QFont font = painter.font();
    font.setPixelSize(9);
    painter.setFont(font);
    painter.setPen(tile.failed ? QColor(140, 20, 20) : QColor(80, 80, 80));
    painter.drawRect(0, 0, side - 1, side - 1);
    painter.drawText(QRect(3, 3, side - 6, side - 6), Qt::AlignCenter | Qt::TextWordWrap, tile.why);
  }
  if (tile.uses > 0) {
    const QString count = QString::number(tile.uses);
    QFont font = painter.font();
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    const int width = std::max(18, QFontMetrics(font).horizontalAdvance(count) + 8);
    const QRect mark(side - width - 1, 1, width, 16);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 1.5));
    painter.setBrush(QColor(30, 150, 60));
    painter.drawRoundedRect(mark, 8, 8);
    painter.drawText(mark, Qt::AlignCenter, count);
  }
  painter.end();
  return canvas;
}

QListView* MakeThumbnailGrid(QWidget* parent, QAbstractItemModel* model, const char* name, int side, int extraWidth) {
  auto* list = new QListView(parent);
  list->setObjectName(QString::fromLatin1(name));
  list->setModel(model);
  list->setViewMode(QListView::IconMode);
  list->setMovement(QListView::Static);
  list->setResizeMode(QListView::Adjust);
  list->setUniformItemSizes(true);
  list->setWordWrap(true);
  list->setIconSize({side, side});
  list->setGridSize({side + extraWidth, side + 3 * list->fontMetrics().height() + 12});
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  return list;
}
