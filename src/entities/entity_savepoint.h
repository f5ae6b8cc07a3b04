#pragma once
// Where the game may be saved; sets a game variable when used.

#include "entities/edit_entity.h"
#include "entities/variable_record.h"

class TESavePoint : public TEntity {
public:
  explicit TESavePoint(TQZEngine& engine);

  TVariableAssignment Assignment{0, 0, 1};

  void VisitFields(RecordVisitor& visitor) override;

  std::string_view ClassName() const override { return "TESavePoint"; }
};
