#pragma once
// Numbers as text. Shown fixed-point with precision 10 and the caller's decimal
// separator; read accepting both '.' and ',' so data written on any locale loads.
//
// Accepted by the parsers: leading and trailing blanks (spaces and tabs), an optional
// sign, decimal digits. ParseFloat also takes one decimal separator ('.' or ',') with
// digits on at least one side of it and an exponent ("1e3", "2,5E-2"). Everything else
// fails: empty text, thousands separators, hexadecimal, "inf"/"nan", and values that
// do not fit the result type (a float beyond its range, an int beyond 32 bits).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace numbers {

// Fixed-point text with `digits` decimals after rounding to 10 significant digits.
// Values of 1e10 and more (in magnitude) do not fit that and are shown in scientific
// notation with 10 significant digits ("1.234567890E+12"). A result that rounds to
// zero carries no minus sign.
std::string FormatFixed(double value, int digits, char decimalSeparator);

std::optional<float> ParseFloat(std::string_view text);
// The number at the start of the text (after blanks); whatever follows it is ignored
// ("0.5;x" and "1.0f" give 0.5 and 1).
std::optional<float> ParseLeadingFloat(std::string_view text);
std::optional<std::int32_t> ParseInt(std::string_view text);

}  // namespace numbers
