#pragma once
// TFormEntity, "Entity Attributes": the common fields on the left page control, one
// page per entity kind on the right (all hidden until the kind shows its own), and the
// OK, Cancel, "Delete", "Create Shadows on Texture" and "Convert Model to Surfaces"
// buttons. The two model buttons leave their request as the check state of a hidden
// control the entity dialog's algorithm reads after the dialog closed.

#include "ui/editor_dialog.h"

class QComboBox;
class QTabWidget;
struct PageControl;

class TFormEntity : public EditorDialog {
  Q_OBJECT

public:
  // The kind pages are read off the kinds' field lists, which the engine makes.
  explicit TFormEntity(TQZEngine& engine, QWidget* parent = nullptr);

  void BtnCamPosClick();
  void BtnCamRotClick();

protected:
  // Activation clears both requests, so one opening never repeats an earlier one's.
  void showEvent(QShowEvent* event) override;

private:
  QWidget* BuildCommonPages();
  QTabWidget* BuildKindPages(TQZEngine& engine);
  void FollowVariable(QComboBox* variableBox, const PageControl& control);
  void RequestAndClose(const char* request);
};
