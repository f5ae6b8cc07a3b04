#pragma once
// Sets a game variable.

#include "entities/edit_entity.h"
#include "entities/variable_record.h"

class TEVariable : public TEntity {
public:
  explicit TEVariable(TQZEngine& engine);

  TVariableAssignment Assignment;

  void VisitFields(RecordVisitor& visitor) override;

  std::string_view ClassName() const override { return "TEVariable"; }
};
