#pragma once
// Small pieces every kind's dialog page is made of: showing its tab sheet, name and
// list boxes, and the entity pages' conversion block.

#include <cstdint>
#include <string_view>

#include "core/conversion_block.h"
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

// The conversion block of an entity page, reporting under "QZ_ENTITY".
ConversionBlock Conversions(TQZEngine& engine, const Form& form);

}  // namespace entity_dialog
