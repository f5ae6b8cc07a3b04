#include "ui/edit_heightmapform.h"

#include <QLabel>
#include <QVBoxLayout>

TFormHeightMap::TFormHeightMap(QWidget* parent) : EditorDialog("FormHeightMap", "Create Heightmap", parent) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Heights are imported from the tiles with \"Import Heightmap\".")));
  AddButtons(*layout, false);
}
