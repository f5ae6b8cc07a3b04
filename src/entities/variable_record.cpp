#include "entities/variable_record.h"

#include "core/dialog_values.h"
#include "engine/edit_engine.h"
#include "entities/field_sink.h"

namespace {

constexpr std::string_view VariableIni = "variable.ini";

void WriteTriple(BinaryWriter& file, std::int16_t a, std::int16_t b, std::int16_t c) {
  file.WriteI16(a);
  file.WriteI16(b);
  file.WriteI16(c);
}

void ReadTriple(BinaryReader& file, std::int16_t& a, std::int16_t& b, std::int16_t& c) {
  a = file.ReadI16();
  b = file.ReadI16();
  c = file.ReadI16();
}

// The variable and value boxes are filled before the indices are set, so the value box
// shows the names of the stored variable.
void FillTriple(const TQZEngine& engine, Form& form, const VariableBoxes& boxes, std::int16_t variable,
                std::int16_t mode, std::int16_t value) {
  engine.FillVariableCombo(form, boxes.variable);
  FillValueNames(engine, form, boxes.value, variable);
  dialog_values::ShowListIndex(form, boxes.variable, variable, VariableIni);
  dialog_values::ShowListIndex(form, boxes.mode, mode);
  dialog_values::ShowListIndex(form, boxes.value, value, VariableIni);
}

void ReadTripleBack(const Form& form, const VariableBoxes& boxes, std::int16_t& variable, std::int16_t& mode,
                    std::int16_t& value) {
  variable = dialog_values::ReadListIndex(form, boxes.variable, variable);
  mode = dialog_values::ReadListIndex(form, boxes.mode, mode);
  value = dialog_values::ReadListIndex(form, boxes.value, value);
}

}  // namespace

void TVariableCondition::Write(BinaryWriter& file) const { WriteTriple(file, Variable, Comparison, Value); }
void TVariableCondition::Read(BinaryReader& file) { ReadTriple(file, Variable, Comparison, Value); }
void TVariableCondition::Fill(const TQZEngine& engine, Form& form, const VariableBoxes& boxes) const {
  FillTriple(engine, form, boxes, Variable, Comparison, Value);
}
void TVariableCondition::ReadBack(const Form& form, const VariableBoxes& boxes) {
  ReadTripleBack(form, boxes, Variable, Comparison, Value);
}

void TVariableAssignment::Write(BinaryWriter& file) const { WriteTriple(file, Variable, Operation, Value); }
void TVariableAssignment::Read(BinaryReader& file) { ReadTriple(file, Variable, Operation, Value); }
void TVariableAssignment::Fill(const TQZEngine& engine, Form& form, const VariableBoxes& boxes) const {
  FillTriple(engine, form, boxes, Variable, Operation, Value);
}
void TVariableAssignment::ReadBack(const Form& form, const VariableBoxes& boxes) {
  ReadTripleBack(form, boxes, Variable, Operation, Value);
}

void FillValueNames(const TQZEngine& engine, Form& form, std::string_view valueBox, int variable) {
  if (variable >= 0 && variable < TQZEngine::VariableCount)
    engine.FillVariableValueCombo(form, valueBox, variable);
  else
    form.ClearItems(valueBox);
}

void TVariableCondition::Describe(FieldSink& sink, std::string_view name) const {
  const std::int16_t indices[] = {Variable, Comparison, Value};
  sink.List(name, indices);
}

void TVariableAssignment::Describe(FieldSink& sink, std::string_view name) const {
  const std::int16_t indices[] = {Variable, Operation, Value};
  sink.List(name, indices);
}
