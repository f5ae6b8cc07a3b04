#pragma once
// The direct conversions of the room and light dialogs. The first text that is not a
// number stops the reading: that field and everything read after it keep their old
// values, and one message under the dialog's tag says so. Callers return as soon as a
// conversion fails.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/form.h"
#include "core/vector.h"

class TQZEngine;

class DialogReader {
public:
  DialogReader(TQZEngine& engine, const Form& form, std::string tag)
      : engine_(engine), form_(form), tag_(std::move(tag)) {}

  bool Float(std::string_view edit, float& field);
  // Kept in 16 bits, as the record stores them.
  bool Int(std::string_view edit, std::int16_t& field);
  // Three edits in order; the components read before a failure keep their new values.
  bool Vector(std::string_view x, std::string_view y, std::string_view z, TVector& field);

private:
  bool Fail();

  TQZEngine& engine_;
  const Form& form_;
  std::string tag_;
};
