#pragma once
// What the document asks of the platform. The Qt program answers with real widgets,
// tests with a scripted fake, the command-line tool with stderr and defaults.

#include <optional>
#include <string>
#include <string_view>

#include "core/vector.h"

class Form;

// The six windows of the editor, in the order the program creates them.
enum class FormId { Main, Light, Entity, Room, HeightMap, Surface };

// How a modal form was closed. The entity, light and surface dialogs have a
// "Delete" button that closes them with No.
enum class ModalResult { Ok, Cancel, No };

struct ScreenPoint {
  int x = 0;
  int y = 0;
};

// Virtual-key codes the camera polls.
namespace vk {
constexpr int Space = 32, Ctrl = 17, Alt = 18, A = 65, D = 68, S = 83, W = 87;
}

class Host {
public:
  virtual ~Host() = default;

  // Modal error box whose text is tag + ": " + text.
  virtual void ShowError(std::string_view tag, std::string_view text) = 0;

  virtual Form& GetForm(FormId id) = 0;
  virtual ModalResult RunModal(FormId id) = 0;

  // Status-bar panel 0..6 of the main window.
  virtual void SetStatusText(int panel, std::string_view text) = 0;
  virtual void SetCaption(std::string_view text) = 0;
  virtual std::string Caption() const = 0;
  // Lets the toolkit handle pending events during long work.
  virtual void ProcessEvents() = 0;
  // Long work starts with no cancel pending, then asks after each step whether the
  // designer cancelled it from its progress panel.
  virtual void ResetCancel() {}
  virtual bool CancelRequested() const { return false; }

  // Colour dialog preset with red, green, blue bytes; the chosen colour or nothing.
  struct Rgb {
    int r = 0, g = 0, b = 0;
  };
  virtual std::optional<Rgb> PickColor(Rgb initial) = 0;

  // Keyboard state, refreshed once per frame by PollKeyboard.
  virtual void PollKeyboard() = 0;
  virtual bool KeyDown(int virtualKey) = 0;

  // The view panel's client origin and the pointer, in screen pixels.
  virtual ScreenPoint ViewOrigin() = 0;
  virtual ScreenPoint PointerPosition() = 0;
  virtual void WarpPointer(ScreenPoint screen) = 0;
  virtual void SetPointerHidden(bool hidden) = 0;
  virtual void FocusView() = 0;

  // Decimal separator of the user's locale, used when showing numbers.
  virtual char DecimalSeparator() const { return '.'; }
};
