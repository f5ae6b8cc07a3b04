#include "core/form.h"

void Form::ShowNumber(std::string_view control, std::string_view text, float value) {
  SetText(control, text);
  // Stored as the control holds it: a toolkit edit may cut a long text.
  shownNumbers_.insert_or_assign(std::string(control), std::pair{Text(control), value});
}

std::optional<float> Form::UnchangedNumber(std::string_view control) const {
  const auto shown = shownNumbers_.find(control);
  if (shown == shownNumbers_.end() || Text(control) != shown->second.first) return std::nullopt;
  return shown->second.second;
}
