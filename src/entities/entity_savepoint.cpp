#include "entities/entity_savepoint.h"

#include "entities/entity_typus.h"
#include "entities/record_fields.h"

TESavePoint::TESavePoint(TQZEngine& engine) : TEntity(engine, {"SAVEPOINT", typus::SavePoint, "EDITOR_SAVEPOINT", false}) {}

void TESavePoint::VisitFields(RecordVisitor& visitor) {
  visitor.Page("TabSheetSavePoint", "Savepoint");
  Assignment.Visit(visitor, {"Assignment", "CBSavePointCondition", "CBSavePointTypus", "CBSavePointParameter",
                             "Condition Variable:", "Set to Value:"});
}
