#pragma once
// The browsers' grids of thumbnails. A tile, as both browsers draw it: the picture
// centred (shrunk to fit), or a placeholder whose text says why there is none, and the
// room's use count in a green mark.

#include <QColor>
#include <QPixmap>
#include <QString>

class QAbstractItemModel;
class QListView;
class QWidget;

struct ThumbnailTile {
  QPixmap picture;     // null: the placeholder
  QColor background;   // behind the picture
  QString why;         // the placeholder's text
  bool failed = false; // the picture will not come (else it is still on its way)
  int uses = 0;
};

QPixmap ComposeTile(const ThumbnailTile& tile, int side);

// A read-only grid of `side`-pixel tiles with three lines of caption under each, one
// pick at a time; `extraWidth` is the room the captions get beside a tile.
QListView* MakeThumbnailGrid(QWidget* parent, QAbstractItemModel* model, const char* name, int side, int extraWidth);
