#pragma once
// Receives an entity kind's own fields by name, one call per field, so that a reader
// outside the document (the command-line dump) can show them without the entities
// knowing its format. Names are the fields' own names; list fields come whole.

#include <cstdint>
#include <span>
#include <string_view>

#include "core/short_string.h"
#include "core/vector.h"

class FieldSink {
public:
  virtual ~FieldSink() = default;

  virtual void Field(std::string_view name, int value) = 0;
  virtual void Field(std::string_view name, bool value) = 0;
  virtual void Field(std::string_view name, float value) = 0;
  virtual void Field(std::string_view name, std::string_view value) = 0;
  virtual void Field(std::string_view name, const TVector& value) = 0;
  // Three-index records (conditions, assignments) and fixed lists of names (targets).
  virtual void List(std::string_view name, std::span<const std::int16_t> values) = 0;
  virtual void List(std::string_view name, std::span<const String32> names) = 0;

  // A text literal would otherwise pick the bool overload.
  void Field(std::string_view name, const char* value) = delete;
  template <std::size_t N>
  void Field(std::string_view name, const ShortString<N>& value) {
    Field(name, value.view());
  }
};
