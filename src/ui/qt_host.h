#pragma once
// Host on Qt: error boxes, the six forms, modal runs, the status bar, the keyboard
// state polled once per frame and the mouse pointer over the view panel.

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/host.h"
#include "core/memory_form.h"
#include "ui/qt_form.h"

class QDialog;
class QLabel;
class QWidget;

// The user's decimal separator as the program writes numbers with it ('.' where the
// locale's is not a single plain character).
char LocaleDecimalSeparator();

class QtHost : public QObject, public Host {
  Q_OBJECT

public:
  QtHost();
  ~QtHost() override;

  // The window that plays the form's part. Dialogs are QDialogs; the main window is not.
  void RegisterForm(FormId id, QWidget& window);
  void SetStatusPanels(std::vector<QLabel*> panels);
  void SetView(QWidget& view);
  // Makes the view's GL context current again. The document loads textures from menu,
  // mouse and dialog handlers, while repainting other windows switches contexts; so
  // this runs before every input event and after every nested event loop.
  void SetGLCurrentKeeper(std::function<void()> keeper) { keepGLCurrent_ = std::move(keeper); }

  void ShowError(std::string_view tag, std::string_view text) override;
  Form& GetForm(FormId id) override;
  ModalResult RunModal(FormId id) override;
  void SetStatusText(int panel, std::string_view text) override;
  // The main window's title as the window composes it (room, unsaved mark). What the
  // document adds to the caption (" -ERROR- " after a failed animation) stays after it.
  void SetTitle(const QString& title);
  void SetCaption(std::string_view text) override;
  std::string Caption() const override;
  // Processes what is pending in the middle of long work (a bake, between rows): the
  // window repaints and frames go on, but of the designer's input only the progress
  // panel's Cancel button (CancelButton) and Esc get through, and handlers that would
  // drop the document ask InLongWork() first.
  void ProcessEvents() override;
  bool InLongWork() const { return longWorkDepth_ > 0; }
  static constexpr const char* CancelButton = "BtnCancelWork";
  void RequestCancel() { cancelRequested_ = true; }
  void ResetCancel() override { cancelRequested_ = false; }
  bool CancelRequested() const override { return cancelRequested_; }
  std::optional<Rgb> PickColor(Rgb initial) override;
  void PollKeyboard() override;
  bool KeyDown(int virtualKey) override;
  ScreenPoint ViewOrigin() override;
  ScreenPoint PointerPosition() override;
  void WarpPointer(ScreenPoint screen) override;
  void SetPointerHidden(bool hidden) override;
  void FocusView() override;
  char DecimalSeparator() const override;

  // Every error shown, "tag: text", in order; lets callers tell whether an operation
  // already reported its own failure.
  const std::vector<std::string>& ErrorLog() const { return errorLog_; }
  // Names the document asked for that no form carries (see QtForm).
  std::set<std::string> MissingControls() const;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // True when the event must not reach its target.
  bool HoldBackDuringLongWork(QObject& watched, QEvent& event);

private:
  std::array<std::unique_ptr<QtForm>, 6> forms_;
  std::array<QPointer<QWidget>, 6> windows_;
  // A form asked for before its window exists (only during construction) lands here.
  MemoryForm placeholder_;
  std::vector<QPointer<QLabel>> statusPanels_;
  QPointer<QWidget> view_;
  std::set<int> keysHeld_;    // live, from key events
  std::set<int> keysPolled_;  // the snapshot of the last poll
  std::vector<std::string> errorLog_;
  std::function<void()> keepGLCurrent_;
  QString title_ = QStringLiteral("Brannock");
  QString captionMark_;  // what the document set beyond the title
  QElapsedTimer processedAt_;  // the last round of pending events in long work
  int longWorkDepth_ = 0;
  bool cancelRequested_ = false;

  void KeepGLCurrent() {
    if (keepGLCurrent_) keepGLCurrent_();
  }
};
