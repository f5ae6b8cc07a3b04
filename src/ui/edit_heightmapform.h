#pragma once
// TFormHeightMap, "Create Heightmap": created with the other forms, opened by nothing.

#include "ui/editor_dialog.h"

class TFormHeightMap : public EditorDialog {
  Q_OBJECT

public:
  explicit TFormHeightMap(QWidget* parent = nullptr);
};
