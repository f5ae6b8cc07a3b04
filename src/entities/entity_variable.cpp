#include "entities/entity_variable.h"

#include "entities/entity_dialog.h"
#include "entities/entity_typus.h"
#include "entities/field_sink.h"

namespace {
constexpr VariableBoxes AssignmentBoxes{"CBVariableCondition", "CBVariableTypus", "CBVariableParameter"};
}  // namespace

TEVariable::TEVariable(TQZEngine& engine) : TEntity(engine) {
  Name = "VARIABLE";
  Typus = typus::Variable;
  ModelName = "EDITOR_VARIABLE";
  Visible = false;
}

void TEVariable::FillDialog(Form& form) {
  entity_dialog::ShowPage(form, "TabSheetVariable");
  Assignment.Fill(Engine, form, AssignmentBoxes);
}

void TEVariable::ReadDialog(Form& form) { Assignment.ReadBack(form, AssignmentBoxes); }
void TEVariable::WriteRecord(BinaryWriter& file) { Assignment.Write(file); }
void TEVariable::ReadRecord(BinaryReader& file) { Assignment.Read(file); }

void TEVariable::DescribeFields(FieldSink& sink) const {
  Assignment.Describe(sink, "Assignment");
}
