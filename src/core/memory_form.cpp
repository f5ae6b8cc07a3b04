#include "core/memory_form.h"

#include <algorithm>

MemoryForm::Control& MemoryForm::Get(std::string_view control) const {
  auto it = controls_.find(control);
  if (it == controls_.end()) it = controls_.emplace(std::string(control), Control{}).first;
  return it->second;
}

void MemoryForm::SetItems(std::string_view control, const std::vector<std::string>& items) {
  Control& c = Get(control);
  c.items = items;
  // Like a toolkit combo box: replacing the items drops the selection.
  c.itemIndex = -1;
}

void MemoryForm::SetItemIndex(std::string_view control, int index) {
  Control& c = Get(control);
  c.itemIndex = (index >= 0 && index < static_cast<int>(c.items.size())) ? index : -1;
  // A drop-down combo shows the selected item as its text.
  if (c.itemIndex >= 0) c.text = c.items[static_cast<std::size_t>(c.itemIndex)];
}

void MemoryForm::SortItems(std::string_view control) {
  Control& c = Get(control);
  std::sort(c.items.begin(), c.items.end());
  c.itemIndex = -1;
}
