#pragma once
// Small pieces every kind's dialog page is made of: showing its tab sheet, name and
// list boxes, and the conversion block that stops at the first bad number.

#include <cstdint>
#include <string_view>

#include "core/form.h"
#include "core/short_string.h"

class TQZEngine;

namespace entity_dialog {

void ShowPage(Form& form, std::string_view sheet);

template <std::size_t N>
void ShowName(Form& form, std::string_view control, const ShortString<N>& name) {
  form.SetText(control, name.view());
}
// Longer texts are cut to the field's capacity.
template <std::size_t N>
void ReadName(const Form& form, std::string_view control, ShortString<N>& name) {
  name = form.Text(control);
}

// List fields are stored as the selected item index (-1: nothing selected).
std::int16_t ItemIndex(const Form& form, std::string_view control);

}  // namespace entity_dialog

// The direct conversions of one page. The first text that is not a number stops the
// block: that field and everything the page reads after it keep their old values, and
// one "QZ_ENTITY" message says so. Callers return as soon as a conversion fails.
class ConversionBlock {
public:
  ConversionBlock(TQZEngine& engine, const Form& form) : engine_(engine), form_(form) {}

  bool Float(std::string_view edit, float& field);
  // Integers are kept in 16 bits, as the record stores them (70000 becomes 4464).
  bool Int(std::string_view edit, std::int16_t& field);

private:
  bool Fail();

  TQZEngine& engine_;
  const Form& form_;
};
