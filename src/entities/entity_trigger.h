#pragma once
// Fires an action at up to eight target entities.

#include <array>

#include "entities/edit_entity.h"
#include "entities/variable_record.h"

class TETrigger : public TEntity {
public:
  static constexpr int TargetCount = 8;

  explicit TETrigger(TQZEngine& engine);

  std::int16_t CountDown = 0;
  bool ShowCountDown = false;
  float Delay = 0.0f;
  std::int16_t Activations = -1;
  TVariableCondition Condition;
  std::int16_t Action = 0;
  std::array<String32, TargetCount> Targets;

  void VisitFields(RecordVisitor& visitor) override;

  std::string_view ClassName() const override { return "TETrigger"; }
};
