#include "core/conversion_block.h"

#include "core/dialog_values.h"

bool ConversionBlock::Float(std::string_view edit, float& field) {
  const auto value = dialog_values::ReadFloat(form_, edit);
  if (!value) return Fail();
  field = *value;
  return true;
}

bool ConversionBlock::Int(std::string_view edit, std::int16_t& field) {
  const auto value = dialog_values::ReadInt16(form_, edit);
  if (!value) return Fail();
  field = *value;
  return true;
}

bool ConversionBlock::Vector(std::string_view x, std::string_view y, std::string_view z, TVector& field) {
  return Float(x, field.x) && Float(y, field.y) && Float(z, field.z);
}

bool ConversionBlock::Fail() {
  host_.ShowError(tag_, "Error on converting values!");
  return false;
}
