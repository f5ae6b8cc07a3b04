#pragma once
// Makes up to four target entities play a model animation.

#include <array>

#include "entities/edit_entity.h"

class TEAnimation : public TEntity {
public:
  static constexpr int TargetCount = 4;

  explicit TEAnimation(TQZEngine& engine);

  String32 AnimationName;
  std::int16_t Direction = 1;
  float Speed = 1.0f;
  bool Loop = false;
  std::array<String32, TargetCount> Targets;

  void VisitFields(RecordVisitor& visitor) override;

  std::string_view ClassName() const override { return "TEAnimation"; }
};
