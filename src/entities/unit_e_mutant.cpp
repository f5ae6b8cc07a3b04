#include "entities/unit_e_mutant.h"

#include "entities/entity_typus.h"
#include "entities/record_fields.h"

namespace {
constexpr int BaseHealth = 10;
}  // namespace

TEUEMutant::TEUEMutant(TQZEngine& engine) : TEUnit(engine) {
  Name = "MUTANT";
  Typus = typus::Mutant;
  ModelName = "UNIT_ENEMY_MUTANT";
  Health = RandomHealth(BaseHealth);
}

// The kind's own page has no controls; it only tells the designer what the unit is.
void TEUEMutant::VisitFields(RecordVisitor& visitor) {
  TEUnit::VisitFields(visitor);
  visitor.Page("TabSheetUMutant", "Mutant");
}
