#pragma once
// Changes the game state, then hands over to the next control.

#include "entities/edit_entity.h"

class TEControl : public TEntity {
public:
  explicit TEControl(TQZEngine& engine);

  std::int16_t GameStatus = 0;
  std::int16_t Action = 0;
  float Delay = 0.0f;
  float Duration = 0.0f;
  String32 NextControl;

  void VisitFields(RecordVisitor& visitor) override;

  std::string_view ClassName() const override { return "TEControl"; }
};
