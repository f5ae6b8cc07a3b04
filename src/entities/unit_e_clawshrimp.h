#pragma once
// A claw shrimp enemy.

#include "entities/unit_main.h"

class TEUEClawShrimp : public TEUnit {
public:
  explicit TEUEClawShrimp(TQZEngine& engine);

  std::string_view ClassName() const override { return "TEUEClawShrimp"; }
};
