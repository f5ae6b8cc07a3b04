#include "entities/entity_savepoint.h"

#include "entities/entity_dialog.h"
#include "entities/entity_typus.h"
#include "entities/field_sink.h"

namespace {
constexpr VariableBoxes AssignmentBoxes{"CBSavePointCondition", "CBSavePointTypus", "CBSavePointParameter"};
}  // namespace

TESavePoint::TESavePoint(TQZEngine& engine) : TEntity(engine) {
  Name = "SAVEPOINT";
  Typus = typus::SavePoint;
  ModelName = "EDITOR_SAVEPOINT";
  Visible = false;
}

void TESavePoint::FillDialog(Form& form) {
  entity_dialog::ShowPage(form, "TabSheetSavePoint");
  Assignment.Fill(Engine, form, AssignmentBoxes);
}

void TESavePoint::ReadDialog(Form& form) { Assignment.ReadBack(form, AssignmentBoxes); }
void TESavePoint::WriteRecord(BinaryWriter& file) { Assignment.Write(file); }
void TESavePoint::ReadRecord(BinaryReader& file) { Assignment.Read(file); }

void TESavePoint::DescribeFields(FieldSink& sink) const {
  Assignment.Describe(sink, "Assignment");
}
