#pragma once
// The three list indices several kinds use to name a game variable, what is done with
// it and one of its six values: a condition (door, trigger, units) compares, an
// assignment (variable entity, save point, item) sets.

#include <cstdint>
#include <string_view>

#include "core/binary_io.h"
#include "core/form.h"

class FieldSink;
class TQZEngine;

// The three boxes of one condition or assignment on a dialog page.
struct VariableBoxes {
  std::string_view variable;
  std::string_view mode;
  std::string_view value;
};

struct TVariableCondition {
  std::int16_t Variable = 0;
  std::int16_t Comparison = 0;
  std::int16_t Value = 0;

  void Write(BinaryWriter& file) const;
  void Read(BinaryReader& file);
  void Fill(const TQZEngine& engine, Form& form, const VariableBoxes& boxes) const;
  void ReadBack(const Form& form, const VariableBoxes& boxes);
  // The three indices as one list field.
  void Describe(FieldSink& sink, std::string_view name) const;
};

struct TVariableAssignment {
  std::int16_t Variable = 0;
  std::int16_t Operation = 0;
  std::int16_t Value = 0;

  void Write(BinaryWriter& file) const;
  void Read(BinaryReader& file);
  void Fill(const TQZEngine& engine, Form& form, const VariableBoxes& boxes) const;
  void ReadBack(const Form& form, const VariableBoxes& boxes);
  // The three indices as one list field.
  void Describe(FieldSink& sink, std::string_view name) const;
};

// The value names of a variable into its value box; a variable beyond the table (a
// damaged file, or no selection) leaves the box empty.
void FillValueNames(const TQZEngine& engine, Form& form, std::string_view valueBox, int variable);
