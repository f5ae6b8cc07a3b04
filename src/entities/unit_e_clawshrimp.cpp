#include "entities/unit_e_clawshrimp.h"

#include "entities/entity_typus.h"

TEUEClawShrimp::TEUEClawShrimp(TQZEngine& engine)
    : TEUnit(engine, {{"CLAWSHRIMP", typus::ClawShrimp, "UNIT_ENEMY_CLAWSHRIMP"}, 15, "TabSheetUClawShrimp", "Claw Shrimp"}) {}
