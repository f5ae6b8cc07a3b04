#include "entities/variable_record.h"

#include "engine/edit_engine.h"

void FillValueNames(const TQZEngine& engine, Form& form, std::string_view valueBox, int variable) {
  if (variable >= 0 && variable < TQZEngine::VariableCount)
    engine.FillVariableValueCombo(form, valueBox, variable);
  else
    form.ClearItems(valueBox);
}
