#pragma once
// A named position: a teleport destination and the end point of movers and units.

#include "entities/edit_entity.h"

class TEMarker : public TEntity {
public:
  explicit TEMarker(TQZEngine& engine);

  String32 TargetMarker;
  float Delay = 0.0f;
  String32 TriggerOnEnter;

  void VisitFields(RecordVisitor& visitor) override;

  std::string_view ClassName() const override { return "TEMarker"; }
};
