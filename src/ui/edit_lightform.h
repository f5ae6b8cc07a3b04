#pragma once
// TFormLight, "Light Attributes": settings, effect and lens flare of one light.

#include "ui/editor_dialog.h"

class TFormLight : public EditorDialog {
  Q_OBJECT

public:
  explicit TFormLight(QWidget* parent = nullptr);
};
