#include "entities/unit_e_clawshrimp.h"

#include "entities/entity_dialog.h"
#include "entities/entity_typus.h"

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
void TEUEClawShrimp::FillDialog(Form& form) {
  TEUnit::FillDialog(form);
  entity_dialog::ShowPage(form, "TabSheetUClawShrimp");
}
