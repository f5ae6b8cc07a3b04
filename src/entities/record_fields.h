#pragma once
// A record's stored fields described once, in stored order: each field with its name,
// the dialog control that shows it, that control's label and how its number converts.
// An entity kind lists its fields in `VisitFields`, as do the room's attributes, the
// field, the light and the surface; one visitor per operation (writing and reading the
// record, filling and reading the dialog, describing, building the page, the JSON form
// and the format page) walks that list, so adding or mending a field is one line.

#include <cstdint>
#include <span>
#include <string_view>

#include "core/dialog_values.h"
#include "core/short_string.h"
#include "core/vector.h"

// How a number of the dialog page is read back.
enum class Conversion {
  Single,  // a bad number is reported under "QZ_ENGINE", keeps its value, reading goes on
  Block,   // a bad number is reported under "QZ_ENTITY" and stops the rest of its page
};

// What the list of a name box offers.
namespace offers {
constexpr std::int16_t Nothing = 0;  // free text; the box keeps the list it has
// TEntity::AnyTypus (-1): every other entity's name.
constexpr std::int16_t Models = -2;  // every loaded model's name
// Any typus: the names of that kind's entities.
}  // namespace offers

struct FieldInfo {
  std::string_view name;     // the field's own name, as dumps show it
  std::string_view control;  // "Edit..." edit, "CB..." box, "CheckBox..." check box;
                             // a vector's three edits add "X", "Y", "Z", a name list "1", "2", ...
  std::string_view label = {};  // the dialog's label (UTF-8); a name list numbers it
  Conversion conversion = Conversion::Single;
  std::int16_t offers = offers::Nothing;               // name boxes
  std::string_view list = dialog_values::EditorIni;    // list boxes: where the list comes from
  // A name box that offers entities names one of this room, which Bind links; a name in
  // another room (where a portal leads) is not.
  bool linked = true;
  int digits = 2;  // decimals a number shows
};

// The three list boxes of a variable condition or assignment: the variable, the
// comparison or operation beside the variable's values.
struct VariableBoxes {
  std::string_view name;
  std::string_view variableBox, modeBox, valueBox;
  std::string_view variableLabel, modeLabel;
};

class RecordVisitor {
public:
  virtual ~RecordVisitor() = default;

  // A kind's dialog page begins: a failed conversion block stops the rest of its page.
  virtual void Page(std::string_view sheet, std::string_view caption) = 0;
  virtual void Number(float& value, const FieldInfo& field) = 0;
  virtual void Number(std::int16_t& value, const FieldInfo& field) = 0;
  virtual void Vector(TVector& value, const FieldInfo& field) = 0;
  // A colour is stored as a vector; its edits add "R", "G", "B".
  virtual void Colour(TVector& value, const FieldInfo& field) { Vector(value, field); }
  // A list field: the item index of its list.
  virtual void List(std::int16_t& value, const FieldInfo& field) = 0;
  virtual void Check(bool& value, const FieldInfo& field) = 0;
  virtual void Text(String32& value, const FieldInfo& field) = 0;
  virtual void Text(String255& value, const FieldInfo& field) = 0;
  virtual void Names(std::span<String32> values, const FieldInfo& field) = 0;
  // A list of long texts (the room's tile names): each a text unless a visitor wants the list.
  virtual void Texts(std::span<String255> values, const FieldInfo& field) {
    for (String255& value : values) Text(value, field);
  }
  // A one-byte number (the light's Active); no entity kind stores one.
  virtual void Byte(std::uint8_t& value, const FieldInfo& field) = 0;
  virtual void Variable(std::int16_t& variable, std::int16_t& mode, std::int16_t& value, const VariableBoxes& boxes) = 0;
  // Bytes the record holds between fields (aligned layouts): zeros, skipped on reading.
  virtual void Gap(std::size_t bytes) = 0;
};

// A visitor for the record alone: the dialog parts are nothing to it.
class StoredFieldVisitor : public RecordVisitor {
public:
  void Page(std::string_view, std::string_view) override {}
};
