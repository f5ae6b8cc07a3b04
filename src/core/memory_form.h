#pragma once
// A form held in memory: every control springs into existence, empty, the first time
// it is named. Used by the tests and by the command-line tool, which has no windows.

#include <map>
#include <string>

#include "core/form.h"

class MemoryForm : public Form {
public:
  struct Control {
    std::string text;
    std::vector<std::string> items;
    int itemIndex = -1;
    int dropDownCount = 8;
    bool checked = false;
    unsigned color = 0;
    bool visible = true;
    std::string activePage;
    int left = 0;
    int position = 0;
    int maximum = 100;
  };

  std::string Text(std::string_view control) const override { return Get(control).text; }
  void SetText(std::string_view control, std::string_view text) override { Get(control).text = text; }
  std::vector<std::string> Items(std::string_view control) const override { return Get(control).items; }
  void SetItems(std::string_view control, const std::vector<std::string>& items) override;
  int ItemIndex(std::string_view control) const override { return Get(control).itemIndex; }
  void SetItemIndex(std::string_view control, int index) override;
  void SetDropDownCount(std::string_view control, int count) override { Get(control).dropDownCount = count; }
  void SortItems(std::string_view control) override;
  bool Checked(std::string_view control) const override { return Get(control).checked; }
  void SetChecked(std::string_view control, bool checked) override { Get(control).checked = checked; }
  unsigned Color(std::string_view control) const override { return Get(control).color; }
  void SetColor(std::string_view control, unsigned rgb) override { Get(control).color = rgb; }
  bool Visible(std::string_view control) const override { return Get(control).visible; }
  void SetVisible(std::string_view control, bool visible) override { Get(control).visible = visible; }
  std::string ActivePage(std::string_view pageControl) const override { return Get(pageControl).activePage; }
  void SetActivePage(std::string_view pageControl, std::string_view sheet) override {
    Get(pageControl).activePage = sheet;
  }
  int Left(std::string_view control) const override { return Get(control).left; }
  void SetLeft(std::string_view control, int left) override { Get(control).left = left; }
  int Position(std::string_view control) const override { return Get(control).position; }
  void SetPosition(std::string_view control, int position) override { Get(control).position = position; }
  void SetMaximum(std::string_view control, int maximum) override { Get(control).maximum = maximum; }

  // The whole state of one control, for tests that look at several aspects at once.
  const Control& Inspect(std::string_view control) const { return Get(control); }

private:
  Control& Get(std::string_view control) const;

  mutable std::map<std::string, Control, std::less<>> controls_;
};
