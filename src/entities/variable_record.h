#pragma once
// The three list indices several kinds use to name a game variable, what is done with
// it and one of its six values: a condition (door, trigger, units) compares, an
// assignment (variable entity, save point, item) sets.

#include <cstdint>
#include <string_view>

#include "core/form.h"
#include "entities/record_fields.h"

class TQZEngine;

struct TVariableCondition {
  std::int16_t Variable = 0;
  std::int16_t Comparison = 0;
  std::int16_t Value = 0;

  void Visit(RecordVisitor& visitor, const VariableBoxes& boxes) { visitor.Variable(Variable, Comparison, Value, boxes); }
};

struct TVariableAssignment {
  std::int16_t Variable = 0;
  std::int16_t Operation = 0;
  std::int16_t Value = 0;

  void Visit(RecordVisitor& visitor, const VariableBoxes& boxes) { visitor.Variable(Variable, Operation, Value, boxes); }
};

// The value names of a variable into its value box; a variable beyond the table (a
// damaged file, or no selection) leaves the box empty.
void FillValueNames(const TQZEngine& engine, Form& form, std::string_view valueBox, int variable);
