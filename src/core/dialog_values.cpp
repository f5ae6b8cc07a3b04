#include "core/dialog_values.h"

#include <limits>

#include "core/numbers.h"

namespace dialog_values {

namespace {

constexpr std::string_view ExtraMark = " (not in ";

// The number an extra entry stands for, or nothing for an ordinary item.
std::optional<int> ExtraIndex(std::string_view item) {
  const auto mark = item.find(ExtraMark);
  if (mark == std::string_view::npos || !item.ends_with(')')) return std::nullopt;
  return numbers::ParseInt(item.substr(0, mark));
}

}  // namespace

std::optional<float> ReadFloat(const Form& form, std::string_view edit) {
  if (const auto unchanged = form.UnchangedNumber(edit)) return unchanged;
  return numbers::ParseFloat(form.Text(edit));
}

std::optional<std::int16_t> ReadInt16(const Form& form, std::string_view edit) {
  const auto value = numbers::ParseInt(form.Text(edit));
  if (!value || *value < std::numeric_limits<std::int16_t>::min() || *value > std::numeric_limits<std::int16_t>::max())
    return std::nullopt;
  return static_cast<std::int16_t>(*value);
}

std::string ExtraEntry(int index, std::string_view source) {
  return std::to_string(index) + std::string(ExtraMark) + std::string(source) + ")";
}

void ShowListIndex(Form& form, std::string_view box, int index, std::string_view source) {
  auto items = form.Items(box);
  const std::size_t ownItems = items.size();
  // An entry added for an earlier value goes first; lists are filled once per run.
  while (!items.empty() && ExtraIndex(items.back())) items.pop_back();
  const bool shown = index >= -1 && index < static_cast<int>(items.size());
  if (!shown) items.push_back(ExtraEntry(index, source));
  if (items.size() != ownItems || !shown) form.SetItems(box, items);
  form.SetItemIndex(box, shown ? index : static_cast<int>(items.size()) - 1);
}

std::int16_t ReadListIndex(const Form& form, std::string_view box, std::int16_t stored) {
  const int selected = form.ItemIndex(box);
  if (selected >= 0) {
    const auto items = form.Items(box);
    if (static_cast<std::size_t>(selected) < items.size() && ExtraIndex(items[static_cast<std::size_t>(selected)]))
      return stored;
  }
  return static_cast<std::int16_t>(selected);
}

}  // namespace dialog_values
