#pragma once
// A host without a screen: forms live in memory, errors are collected (and, for the
// command-line tool, echoed to a stream), modal forms answer from a script. The
// tests drive the document through it; brannock-tool runs the document on it.

#include <array>
#include <deque>
#include <functional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "core/host.h"
#include "core/memory_form.h"

class HeadlessHost : public Host {
public:
  struct Error {
    std::string tag;
    std::string text;
    std::string Full() const { return tag + ": " + text; }
  };

  // The main window's edits that hold a value before anything fills them are preset
  // as the designed window has them: surfaces read their light-map resolution from it
  // as soon as the room exists.
  explicit HeadlessHost(std::ostream* errorEcho = nullptr) : echo_(errorEcho) {
    Memory(FormId::Main).SetText("EditSurfaceLightMapPixelPerMeter", "4,00");
  }

  void ShowError(std::string_view tag, std::string_view text) override;
  Form& GetForm(FormId id) override { return forms_[static_cast<std::size_t>(id)]; }
  MemoryForm& Memory(FormId id) { return forms_[static_cast<std::size_t>(id)]; }

  // Each modal run takes the next scripted step: an action on the form (to type into
  // it like a user would) and the button that closes it. Without a script: Cancel.
  struct ModalStep {
    std::function<void(MemoryForm&)> edit;
    ModalResult result = ModalResult::Cancel;
  };
  void ScriptModal(ModalStep step) { modalScript_.push_back(std::move(step)); }
  ModalResult RunModal(FormId id) override;
  std::vector<FormId> modalRuns;

  void SetStatusText(int panel, std::string_view text) override;
  std::string StatusText(int panel) const { return status_.at(static_cast<std::size_t>(panel)); }
  void SetCaption(std::string_view text) override { caption = text; }
  std::string Caption() const override { return caption; }
  void ProcessEvents() override {
    ++eventsProcessed;
    if (onProcessEvents) onProcessEvents();
  }
  // Lets a test look at the forms whenever a long computation yields.
  std::function<void()> onProcessEvents;
  void ResetCancel() override { cancelRequested = false; }
  bool CancelRequested() const override { return cancelRequested; }
  bool cancelRequested = false;

  std::optional<Rgb> PickColor(Rgb initial) override;
  std::optional<Rgb> colorAnswer;  // nothing = the user cancels
  std::vector<Rgb> colorPresets;

  void PollKeyboard() override { ++keyboardPolls; }
  bool KeyDown(int virtualKey) override { return keysDown.count(virtualKey) > 0; }
  ScreenPoint ViewOrigin() override { return viewOrigin; }
  ScreenPoint PointerPosition() override { return pointer; }
  void WarpPointer(ScreenPoint screen) override { pointer = screen; }
  void SetPointerHidden(bool hidden) override { pointerHidden = hidden; }
  void FocusView() override { ++viewFocused; }
  char DecimalSeparator() const override { return decimalSeparator; }

  std::vector<Error> errors;
  std::string caption;
  int eventsProcessed = 0;
  int keyboardPolls = 0;
  int viewFocused = 0;
  std::set<int> keysDown;
  ScreenPoint viewOrigin;
  ScreenPoint pointer;
  bool pointerHidden = false;
  char decimalSeparator = '.';

private:
  std::ostream* echo_;
  std::array<MemoryForm, 6> forms_;
  std::array<std::string, 7> status_;
  std::deque<ModalStep> modalScript_;
};
