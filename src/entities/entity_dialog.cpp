#include "entities/entity_dialog.h"

#include "core/numbers.h"
#include "engine/edit_engine.h"

namespace entity_dialog {

void ShowPage(Form& form, std::string_view sheet) { form.SetVisible(sheet, true); }

std::int16_t ItemIndex(const Form& form, std::string_view control) {
  return static_cast<std::int16_t>(form.ItemIndex(control));
}

}  // namespace entity_dialog

bool ConversionBlock::Float(std::string_view edit, float& field) {
  const auto value = numbers::ParseFloat(form_.Text(edit));
  if (!value) return Fail();
  field = *value;
  return true;
}

bool ConversionBlock::Int(std::string_view edit, std::int16_t& field) {
  const auto value = numbers::ParseInt(form_.Text(edit));
  if (!value) return Fail();
  field = static_cast<std::int16_t>(*value);
  return true;
}

bool ConversionBlock::Fail() {
  engine_.ShowError("QZ_ENTITY", "Error on converting values!");
  return false;
}
