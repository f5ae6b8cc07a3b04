#pragma once
// Base of the modal attribute dialogs: fixed size, centred, closed by OK (accepted),
// Cancel (rejected) or "Delete" (the document's No), and colour panels that open the
// engine's colour picker on their three edits.

#include <QDialog>
#include <string>

#include "core/host.h"
#include "ui/qt_form.h"

class QBoxLayout;
class QPushButton;
class ColorPanel;
class TQZEngine;

class EditorDialog : public QDialog {
  Q_OBJECT

public:
  // QDialog result of the "Delete" button; Accepted and Rejected are OK and Cancel.
  static constexpr int DeleteResult = 2;
  static ModalResult ToModalResult(int dialogResult);

  EditorDialog(const char* objectName, const char* caption, QWidget* parent = nullptr);

  // The dialogs exist before the engine does; the main window hands it over once made.
  void AttachEngine(TQZEngine* engine) { engine_ = engine; }
  QtForm& FormView() { return form_; }

protected:
  // OK (default button), Cancel and optionally "Delete", in a row at the bottom.
  void AddButtons(QBoxLayout& layout, bool withDelete);
  // Clicking the panel runs the colour picker on the three named edits.
  void WireColorPanel(ColorPanel& panel, std::string red, std::string green, std::string blue);
  TQZEngine* Engine() const { return engine_; }
  // Every opening starts on OK as the default button and on the first control: the
  // focus would otherwise stay on the button that closed the dialog last time, and a
  // Return after a Cancel would cancel again.
  void showEvent(QShowEvent* event) override;

private:
  QtForm form_;
  QPushButton* ok_ = nullptr;
  TQZEngine* engine_ = nullptr;
};
