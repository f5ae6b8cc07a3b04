#include "entities/record_visitors.h"

#include "entities/edit_entity.h"

bool NamesAnEntityHere(const FieldInfo& field) {
  return field.linked && field.offers != offers::Nothing && field.offers != offers::Models;
}

void RecordWriter::Names(std::span<String32> values, const FieldInfo&) {
  for (const String32& name : values) file_.WriteString(name);
}

void RecordWriter::Variable(std::int16_t& variable, std::int16_t& mode, std::int16_t& value, const VariableBoxes&) {
  for (const std::int16_t index : {variable, mode, value}) file_.WriteI16(index);
}

void RecordWriter::Gap(std::size_t bytes) {
  for (std::size_t i = 0; i < bytes; ++i) file_.WriteU8(0);
}

void RecordReader::Names(std::span<String32> values, const FieldInfo&) {
  for (String32& name : values) name = file_.ReadString<32>();
}

void RecordReader::Variable(std::int16_t& variable, std::int16_t& mode, std::int16_t& value, const VariableBoxes&) {
  for (std::int16_t* index : {&variable, &mode, &value}) *index = file_.ReadI16();
}

void FieldLinker::Text(String32& value, const FieldInfo& field) {
  if (NamesAnEntityHere(field)) entity_.AddLink(value);
}

void FieldLinker::Names(std::span<String32> values, const FieldInfo& field) {
  if (NamesAnEntityHere(field))
    for (String32& name : values) entity_.AddLink(name);
}

void ReferenceRenamer::Follow(String32& value) const {
  if (const auto found = renames_.find(value.view()); found != renames_.end()) value = found->second;
}

void ReferenceRenamer::Text(String32& value, const FieldInfo& field) {
  if (NamesAnEntityHere(field)) Follow(value);
}

void ReferenceRenamer::Names(std::span<String32> values, const FieldInfo& field) {
  if (NamesAnEntityHere(field))
    for (String32& name : values) Follow(name);
}
