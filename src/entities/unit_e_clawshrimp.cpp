#include "entities/unit_e_clawshrimp.h"

#include "entities/entity_typus.h"
#include "entities/record_fields.h"

namespace {
constexpr int BaseHealth = 15;
}  // namespace

TEUEClawShrimp::TEUEClawShrimp(TQZEngine& engine) : TEUnit(engine) {
  Name = "CLAWSHRIMP";
  Typus = typus::ClawShrimp;
  ModelName = "UNIT_ENEMY_CLAWSHRIMP";
  Health = RandomHealth(BaseHealth);
}

// The kind's own page has no controls; it only tells the designer what the unit is.
void TEUEClawShrimp::VisitFields(RecordVisitor& visitor) {
  TEUnit::VisitFields(visitor);
  visitor.Page("TabSheetUClawShrimp", "Claw Shrimp");
}
