#pragma once
// Reading a dialog back so that a control the designer left alone gives back exactly
// what was stored: a number keeps its unrounded value while its text is unchanged, a
// stored list index the list cannot show keeps its own entry in the list, and an
// integer that does not fit the record's 16 bits is a conversion failure instead of
// wrapping around.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/form.h"

namespace dialog_values {

// Where the dialog lists come from, named in the entry of a value they cannot show.
constexpr std::string_view EditorIni = "editor.ini";

std::optional<float> ReadFloat(const Form& form, std::string_view edit);
std::optional<std::int16_t> ReadInt16(const Form& form, std::string_view edit);

// Selects item `index`. An index the list cannot show (a longer list when the room was
// made, a damaged file) is shown as an extra entry such as "7 (not in editor.ini)", so
// the designer sees it and an untouched dialog keeps it; -1 selects nothing.
void ShowListIndex(Form& form, std::string_view box, int index, std::string_view source = EditorIni);
// The selected item, or `stored` while the extra entry of `stored` is selected.
std::int16_t ReadListIndex(const Form& form, std::string_view box, std::int16_t stored);

std::string ExtraEntry(int index, std::string_view source);

}  // namespace dialog_values
