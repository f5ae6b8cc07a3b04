#include "core/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace numbers {
namespace {

constexpr int Precision = 10;

// The value's 10 significant decimal digits and the power of ten of the first one.
// to_chars ignores the C locale, which the toolkit may have switched.
struct Decimal {
  std::string digits;
  int exponent = 0;
};

Decimal SignificantDigits(double magnitude) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, Precision - 1);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t e = text.find('e');
  Decimal d;
  for (char c : text.substr(0, e))
    if (c != '.') d.digits += c;
  std::from_chars(text.data() + e + 1 + (text[e + 1] == '+'), text.data() + text.size(), d.exponent);
  return d;
}

// Keeps `keep` leading digits, rounding half away from zero on the decimal digits
// themselves, so 0.125 shows as 0.13 and not as its binary neighbour's rounding.
void RoundToDigits(Decimal& d, int keep) {
  if (keep >= static_cast<int>(d.digits.size())) return;
  if (keep < 0) {
    d.digits.clear();
    return;
  }
  const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
  d.digits.resize(static_cast<std::size_t>(keep));
  if (!up) return;
  for (auto it = d.digits.rbegin(); it != d.digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return;
    }
    *it = '0';
  }
  d.digits.insert(d.digits.begin(), '1');
  ++d.exponent;
}

// Digit at the given power of ten (0 = units), zero outside the kept digits.
char DigitAt(const Decimal& d, int power) {
  const int index = d.exponent - power;
  return index >= 0 && index < static_cast<int>(d.digits.size()) ? d.digits[static_cast<std::size_t>(index)] : '0';
}

std::string Scientific(double value, char decimalSeparator) {
  const Decimal d = SignificantDigits(std::fabs(value));
  std::string text = value < 0 ? "-" : "";
  text += d.digits[0];
  text += decimalSeparator;
  text += d.digits.substr(1);
  text += d.exponent < 0 ? "E-" : "E+";
  const std::string power = std::to_string(std::abs(d.exponent));
  text += power.size() < 2 ? "0" + power : power;
  return text;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view WithoutBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Moves past a run of digits; returns how many there were.
std::size_t SkipDigits(std::string_view text, std::size_t& at) {
  const std::size_t start = at;
  while (at < text.size() && IsDigit(text[at])) ++at;
  return at - start;
}

struct FloatPrefix {
  std::string normalised;  // as from_chars wants it: no plus sign, '.' as the separator
  std::size_t length;      // characters of the text it takes
};

// The longest number of the accepted form at the start of the text; nothing when the
// text does not start with one. An exponent marker without digits is not taken.
std::optional<FloatPrefix> ScanFloat(std::string_view text) {
  std::size_t at = 0;
  std::string out;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    if (text[at] == '-') out += '-';
    ++at;
  }
  std::size_t start = at;
  std::size_t digits = SkipDigits(text, at);
  out.append(text.substr(start, at - start));
  if (at < text.size() && (text[at] == '.' || text[at] == ',')) {
    ++at;
    out += '.';
    start = at;
    digits += SkipDigits(text, at);
    out.append(text.substr(start, at - start));
  }
  if (digits == 0) return std::nullopt;
  const std::size_t mantissaEnd = at;
  const std::size_t mantissaText = out.size();
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    out += 'e';
    ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
      if (text[at] == '-') out += '-';
      ++at;
    }
    start = at;
    if (SkipDigits(text, at) == 0) {
      at = mantissaEnd;
      out.resize(mantissaText);
    } else {
      out.append(text.substr(start, at - start));
    }
  }
  return FloatPrefix{out, at};
}

std::optional<float> ToFloat(const std::optional<FloatPrefix>& number) {
  if (!number) return std::nullopt;
  double value = 0.0;
  const auto& text = number->normalised;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || std::fabs(value) > std::numeric_limits<float>::max()) return std::nullopt;
  return static_cast<float>(value);
}

}  // namespace

std::string FormatFixed(double value, int digits, char decimalSeparator) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  digits = std::clamp(digits, 0, 18);
  if (std::fabs(value) >= 1e10) return Scientific(value, decimalSeparator);

  Decimal d = value == 0.0 ? Decimal{"0", 0} : SignificantDigits(std::fabs(value));
  RoundToDigits(d, d.exponent + 1 + digits);

  std::string text;
  for (int power = std::max(d.exponent, 0); power >= 0; --power) text += DigitAt(d, power);
  if (digits > 0) text += decimalSeparator;
  for (int power = -1; power >= -digits; --power) text += DigitAt(d, power);

  const bool nonZero = std::any_of(text.begin(), text.end(), [](char c) { return c >= '1' && c <= '9'; });
  return value < 0 && nonZero ? "-" + text : text;
}

std::optional<float> ParseFloat(std::string_view text) {
  text = WithoutBlanks(text);
  const auto number = ScanFloat(text);
  if (!number || number->length != text.size()) return std::nullopt;
  return ToFloat(number);
}

std::optional<float> ParseLeadingFloat(std::string_view text) {
  const auto start = text.find_first_not_of(" \t");
  return start == std::string_view::npos ? std::nullopt : ToFloat(ScanFloat(text.substr(start)));
}

std::optional<std::int32_t> ParseInt(std::string_view text) {
  text = WithoutBlanks(text);
  const bool plus = !text.empty() && text.front() == '+';
  std::size_t at = !text.empty() && (plus || text.front() == '-') ? 1 : 0;
  if (SkipDigits(text, at) == 0 || at != text.size()) return std::nullopt;
  if (plus) text.remove_prefix(1);
  std::int32_t value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc()) return std::nullopt;
  return value;
}

}  // namespace numbers
