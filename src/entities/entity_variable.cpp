#include "entities/entity_variable.h"

#include "entities/entity_typus.h"
#include "entities/record_fields.h"

TEVariable::TEVariable(TQZEngine& engine) : TEntity(engine, {"VARIABLE", typus::Variable, "EDITOR_VARIABLE", false}) {}

void TEVariable::VisitFields(RecordVisitor& visitor) {
  visitor.Page("TabSheetVariable", "Variable");
  Assignment.Visit(visitor, {"Assignment", "CBVariableCondition", "CBVariableTypus", "CBVariableParameter",
                             "Condition Variable:", "Set to Value:"});
}
