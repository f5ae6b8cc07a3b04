#include "entities/unit_e_mutant.h"

#include "entities/entity_typus.h"

TEUEMutant::TEUEMutant(TQZEngine& engine)
    : TEUnit(engine, {{"MUTANT", typus::Mutant, "UNIT_ENEMY_MUTANT"}, 10, "TabSheetUMutant", "Mutant"}) {}
