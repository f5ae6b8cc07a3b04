#pragma once
// A mutant enemy.

#include "entities/unit_main.h"

class TEUEMutant : public TEUnit {
public:
  explicit TEUEMutant(TQZEngine& engine);

  std::string_view ClassName() const override { return "TEUEMutant"; }
};
