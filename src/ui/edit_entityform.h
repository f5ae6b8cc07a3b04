#pragma once
// TFormEntity, "Entity Attributes": the common fields on the left page control, one
// page per entity kind on the right (all hidden until the kind shows its own), and the
// OK, Cancel, "Delete", "Create Shadows on Texture" and "Convert Model to Surfaces"
// buttons.

#include "ui/editor_dialog.h"

class TFormEntity : public EditorDialog {
  Q_OBJECT

public:
  explicit TFormEntity(QWidget* parent = nullptr);

  // Set by the two model buttons, cleared whenever the dialog becomes active.
  bool ShadowsRequested = false;
  bool ConvertRequested = false;

  void BtnCamPosClick();
  void BtnCamRotClick();
  // Refills the value box for the variable now chosen, keeping the value's index.
  void changeCondition(const char* variableBox, const char* valueBox);

protected:
  void showEvent(QShowEvent* event) override;
};
