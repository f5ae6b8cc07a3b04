#pragma once
// The direct number conversions of one dialog page. The first text that is not a
// number stops the block: that field and everything the page reads after it keep their
// old values, and one message under the dialog's tag says so. Callers return as soon
// as a conversion fails.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/form.h"
#include "core/host.h"
#include "core/vector.h"

class ConversionBlock {
public:
  ConversionBlock(Host& host, const Form& form, std::string_view tag) : host_(host), form_(form), tag_(tag) {}

  bool Float(std::string_view edit, float& field);
  // Integers must fit the records' 16 bits; a larger one fails like any other bad text.
  bool Int(std::string_view edit, std::int16_t& field);
  // Three edits in order; the components read before a failure keep their new values.
  bool Vector(std::string_view x, std::string_view y, std::string_view z, TVector& field);

private:
  bool Fail();

  Host& host_;
  const Form& form_;
  std::string tag_;
};
