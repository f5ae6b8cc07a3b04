#pragma once
// A window's controls addressed by their names ("EditFogDensity", "CBTriggerTarget3",
// "ShowFog1"). The document fills and reads dialogs through this, so every dialog
// algorithm runs and is tested without a toolkit. Unknown names are the caller's
// mistake; implementations may assert on them.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class Form {
public:
  virtual ~Form() = default;

  // Edit boxes, labels, combo texts, captions.
  virtual std::string Text(std::string_view control) const = 0;
  virtual void SetText(std::string_view control, std::string_view text) = 0;

  // Combo and list boxes. An item index of -1 means nothing selected.
  virtual std::vector<std::string> Items(std::string_view control) const = 0;
  virtual void SetItems(std::string_view control, const std::vector<std::string>& items) = 0;
  virtual int ItemIndex(std::string_view control) const = 0;
  virtual void SetItemIndex(std::string_view control, int index) = 0;
  virtual void SetDropDownCount(std::string_view control, int count) = 0;
  virtual void SortItems(std::string_view control) = 0;

  // Check boxes, radio buttons and checkable menu items.
  virtual bool Checked(std::string_view control) const = 0;
  virtual void SetChecked(std::string_view control, bool checked) = 0;

  // Colour panels, as 0xRRGGBB.
  virtual unsigned Color(std::string_view control) const = 0;
  virtual void SetColor(std::string_view control, unsigned rgb) = 0;

  virtual bool Visible(std::string_view control) const = 0;
  virtual void SetVisible(std::string_view control, bool visible) = 0;

  // Page controls: the name of the active tab sheet.
  virtual std::string ActivePage(std::string_view pageControl) const = 0;
  virtual void SetActivePage(std::string_view pageControl, std::string_view sheet) = 0;

  // Horizontal position, used to stack the entity palettes in one place.
  virtual int Left(std::string_view control) const = 0;
  virtual void SetLeft(std::string_view control, int left) = 0;

  // Scroll bars and track bars.
  virtual int Position(std::string_view control) const = 0;
  virtual void SetPosition(std::string_view control, int position) = 0;
  // Progress bars count from 0 to their maximum.
  virtual void SetMaximum(std::string_view control, int maximum) = 0;

  void AddItem(std::string_view control, std::string_view item) {
    const int selected = ItemIndex(control);
    auto items = Items(control);
    items.emplace_back(item);
    SetItems(control, items);
    if (selected >= 0) SetItemIndex(control, selected);
  }
  void ClearItems(std::string_view control) { SetItems(control, {}); }

  // Numbers are shown rounded. The form remembers the exact value behind each text it
  // showed, so an edit the designer left alone reads back as the stored value, not as
  // its rounding.
  void ShowNumber(std::string_view control, std::string_view text, float value);
  // The value shown in the control, while its text is still the one shown.
  std::optional<float> UnchangedNumber(std::string_view control) const;

private:
  std::map<std::string, std::pair<std::string, float>, std::less<>> shownNumbers_;
};
