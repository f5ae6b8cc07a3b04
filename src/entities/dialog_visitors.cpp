#include "entities/dialog_visitors.h"

#include "engine/edit_engine.h"
#include "entities/edit_entity.h"
#include "entities/variable_record.h"
#include "models/edit_model.h"

namespace {

constexpr std::string_view VariableIni = "variable.ini";
constexpr std::string_view Axes[] = {"X", "Y", "Z"};
constexpr std::string_view Channels[] = {"R", "G", "B"};
// The entity dialog's one colour panel, painted in the colour its edits show.
constexpr std::string_view ColourPanel = "BtnColor";

std::string Axis(std::string_view control, int axis) { return std::string(control) + std::string(Axes[axis]); }
std::string Channel(std::string_view control, int channel) { return std::string(control) + std::string(Channels[channel]); }

float& Component(TVector& v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }

}  // namespace

std::string NumberedControl(std::string_view control, std::size_t index) {
  return std::string(control) + std::to_string(index + 1);
}

// ---- Filling --------------------------------------------------------------------------

void DialogFiller::Page(std::string_view sheet, std::string_view) { form_.SetVisible(sheet, true); }

void DialogFiller::Number(float& value, const FieldInfo& field) {
  engine_.ShowFloat(form_, field.control, value, field.digits);
}

void DialogFiller::Number(std::int16_t& value, const FieldInfo& field) { engine_.ShowInt(form_, field.control, value); }

void DialogFiller::Vector(TVector& value, const FieldInfo& field) {
  for (int axis = 0; axis < 3; ++axis) engine_.ShowFloat(form_, Axis(field.control, axis), Component(value, axis));
}

void DialogFiller::Colour(TVector& value, const FieldInfo& field) {
  engine_.ShowVector(form_, value, Channel(field.control, 0), Channel(field.control, 1), Channel(field.control, 2),
                     ColourPanel);
}

void DialogFiller::List(std::int16_t& value, const FieldInfo& field) {
  dialog_values::ShowListIndex(form_, field.control, value, field.list);
}

void DialogFiller::Check(bool& value, const FieldInfo& field) { form_.SetChecked(field.control, value); }

void DialogFiller::ShowText(std::string_view text, std::string_view control, const FieldInfo& field) {
  if (field.offers == offers::Models) {
    if (engine_.ModelEngine) engine_.ModelEngine->FillModelList(form_, control);
  } else if (field.offers != offers::Nothing) {
    entity_.FillEntityNames(form_, control, field.offers);
  }
  form_.SetText(control, text);
}

void DialogFiller::Names(std::span<String32> values, const FieldInfo& field) {
  for (std::size_t i = 0; i < values.size(); ++i) ShowText(values[i].view(), NumberedControl(field.control, i), field);
}

// The lists are filled before the indices are set, so the value box shows the names of
// the stored variable.
void DialogFiller::Variable(std::int16_t& variable, std::int16_t& mode, std::int16_t& value,
                            const VariableBoxes& boxes) {
  engine_.FillVariableCombo(form_, boxes.variableBox);
  FillValueNames(engine_, form_, boxes.valueBox, variable);
  dialog_values::ShowListIndex(form_, boxes.variableBox, variable, VariableIni);
  dialog_values::ShowListIndex(form_, boxes.modeBox, mode);
  dialog_values::ShowListIndex(form_, boxes.valueBox, value, VariableIni);
}

// ---- Reading back ---------------------------------------------------------------------

DialogReader::DialogReader(TQZEngine& engine, Form& form)
    : engine_(engine), form_(form), block_(engine.GetHost(), form, "QZ_ENTITY") {}

void DialogReader::Page(std::string_view, std::string_view) { stopped_ = false; }

void DialogReader::Number(float& value, const FieldInfo& field) {
  if (stopped_) return;
  if (field.conversion == Conversion::Block)
    stopped_ = !block_.Float(field.control, value);
  else
    engine_.ReadFloat(form_, field.control, value);
}

void DialogReader::Number(std::int16_t& value, const FieldInfo& field) {
  if (stopped_) return;
  if (field.conversion == Conversion::Block)
    stopped_ = !block_.Int(field.control, value);
  else
    engine_.ReadInt(form_, field.control, value);
}

void DialogReader::Vector(TVector& value, const FieldInfo& field) {
  for (int axis = 0; axis < 3; ++axis) Number(Component(value, axis), {field.name, Axis(field.control, axis), {}, field.conversion});
}

void DialogReader::Colour(TVector& value, const FieldInfo& field) {
  if (!stopped_)
    engine_.ReadVector(form_, value, Channel(field.control, 0), Channel(field.control, 1), Channel(field.control, 2));
}

void DialogReader::List(std::int16_t& value, const FieldInfo& field) {
  if (!stopped_) value = dialog_values::ReadListIndex(form_, field.control, value);
}

void DialogReader::Check(bool& value, const FieldInfo& field) {
  if (!stopped_) value = form_.Checked(field.control);
}

// Longer texts are cut to the field's capacity.
void DialogReader::Text(String32& value, const FieldInfo& field) {
  if (!stopped_) value = form_.Text(field.control);
}

void DialogReader::Text(String255& value, const FieldInfo& field) {
  if (!stopped_) value = form_.Text(field.control);
}

void DialogReader::Names(std::span<String32> values, const FieldInfo& field) {
  for (std::size_t i = 0; i < values.size() && !stopped_; ++i) values[i] = form_.Text(NumberedControl(field.control, i));
}

void DialogReader::Variable(std::int16_t& variable, std::int16_t& mode, std::int16_t& value,
                            const VariableBoxes& boxes) {
  if (stopped_) return;
  variable = dialog_values::ReadListIndex(form_, boxes.variableBox, variable);
  mode = dialog_values::ReadListIndex(form_, boxes.modeBox, mode);
  value = dialog_values::ReadListIndex(form_, boxes.valueBox, value);
}
