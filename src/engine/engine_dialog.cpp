// The dialog routines: numbers, colours and the variable and enemy combos over named controls.
#include <algorithm>
#include <cmath>

#include "core/dialog_values.h"
#include "core/numbers.h"
#include "engine/edit_engine.h"

namespace {

constexpr std::string_view EngineTag = "QZ_ENGINE";
constexpr int ComboDropDown = 22;
constexpr int TableDropDown = 30;
constexpr int ValueDropDown = 5;

std::string Cut32(std::string text) {
  if (text.size() > 32) text.resize(32);
  return text;
}

// A colour channel 0..1 as a byte; out-of-range values saturate instead of spilling
// into the neighbouring channel.
int ChannelByte(float component) {
  return static_cast<int>(std::clamp(std::lround(component * 255.0f), 0L, 255L));
}

unsigned PackRgb(int r, int g, int b) {
  return (static_cast<unsigned>(r) << 16) | (static_cast<unsigned>(g) << 8) | static_cast<unsigned>(b);
}

}  // namespace

std::string TQZEngine::FloatToStr32(float value, int digits) const {
  return Cut32(numbers::FormatFixed(value, digits, host_.DecimalSeparator()));
}

std::string TQZEngine::IntToStr32(int value) { return Cut32(std::to_string(value)); }

void TQZEngine::ShowFloat(Form& form, std::string_view edit, float value, int digits) const {
  form.ShowNumber(edit, FloatToStr32(value, digits), value);
}

void TQZEngine::ShowInt(Form& form, std::string_view edit, int value) const { form.SetText(edit, IntToStr32(value)); }

bool TQZEngine::ReadFloat(Form& form, std::string_view edit, float& destination) {
  const auto value = dialog_values::ReadFloat(form, edit);
  if (!value) {
    ShowError(EngineTag, "Error on converting value!");
    return false;
  }
  destination = *value;
  return true;
}

bool TQZEngine::ReadInt(Form& form, std::string_view edit, std::int16_t& destination) {
  // A number beyond 16 bits fails like a text: wrapped, 40000 would be stored as -25536.
  const auto value = dialog_values::ReadInt16(form, edit);
  if (!value) {
    ShowError(EngineTag, "Error on converting value!");
    return false;
  }
  destination = *value;
  return true;
}

void TQZEngine::ShowVector(Form& form, const TVector& v, std::string_view red, std::string_view green,
                           std::string_view blue, std::string_view panel) const {
  ShowFloat(form, red, v.x);
  ShowFloat(form, green, v.y);
  ShowFloat(form, blue, v.z);
  ShowColor(form, v, panel);
}

void TQZEngine::ShowColor(Form& form, const TVector& v, std::string_view panel) {
  form.SetColor(panel, PackRgb(ChannelByte(v.x), ChannelByte(v.y), ChannelByte(v.z)));
}

bool TQZEngine::ReadVector(Form& form, TVector& v, std::string_view red, std::string_view green,
                           std::string_view blue) {
  for (auto [edit, component] : {std::pair{red, &v.x}, std::pair{green, &v.y}, std::pair{blue, &v.z}}) {
    const auto value = dialog_values::ReadFloat(form, edit);
    if (!value) {
      ShowError(EngineTag, "Error on converting values!");
      return false;
    }
    *component = *value;
  }
  return true;
}

void TQZEngine::PickColor(Form& form, std::string_view red, std::string_view green, std::string_view blue,
                          std::string_view panel) {
  // Reading stops quietly at the first text that is not a number; that channel and the
  // ones after it start at 0.
  int channels[3] = {0, 0, 0};
  const std::string_view edits[3] = {red, green, blue};
  for (int i = 0; i < 3; ++i) {
    const auto value = dialog_values::ReadFloat(form, edits[i]);
    if (!value) break;
    channels[i] = ChannelByte(*value);
  }
  const auto chosen = host_.PickColor({channels[0], channels[1], channels[2]});
  if (!chosen) return;
  const int picked[3] = {chosen->r, chosen->g, chosen->b};
  for (int i = 0; i < 3; ++i) ShowFloat(form, edits[i], static_cast<float>(picked[i]) / 255.0f);
  form.SetColor(panel, PackRgb(chosen->r, chosen->g, chosen->b));
}

void TQZEngine::FillVariableCombo(Form& form, std::string_view combo) const {
  std::vector<std::string> names;
  for (const TGameVariable& variable : Variables) names.push_back(variable.Name.str());
  form.SetItems(combo, names);
  form.SetDropDownCount(combo, TableDropDown);
}

void TQZEngine::FillVariableValueCombo(Form& form, std::string_view combo, int index) const {
  std::vector<std::string> values;
  // An index outside the table (a damaged record) gives an empty list, not a stray read.
  if (index >= 0 && index < VariableCount)
    for (const String32& value : Variables[static_cast<std::size_t>(index)].Values) values.push_back(value.str());
  form.SetItems(combo, values);
  form.SetDropDownCount(combo, ValueDropDown);
}

void TQZEngine::FillEnemyCombo(Form& form, std::string_view combo) const {
  std::vector<std::string> names;
  for (const String32& enemy : Enemies) names.push_back(enemy.str());
  form.SetItems(combo, names);
  form.SetDropDownCount(combo, TableDropDown);
}

void TQZEngine::CopyComboItems(Form& source, std::string_view sourceCombo, Form& target,
                               std::string_view targetCombo) {
  target.SetItems(targetCombo, source.Items(sourceCombo));
  source.SetDropDownCount(sourceCombo, ComboDropDown);
  target.SetDropDownCount(targetCombo, ComboDropDown);
}
