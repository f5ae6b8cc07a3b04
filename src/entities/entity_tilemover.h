#pragma once
// An invisible object that moves a named tile to a marker.

#include "entities/edit_entity.h"

class TETileMover : public TEntity {
public:
  explicit TETileMover(TQZEngine& engine);

  String32 Target;
  float Delay = 0.0f;
  String32 Marker;
  float Speed = 1.0f;
  float RotateSpeed = 1.0f;

  void VisitFields(RecordVisitor& visitor) override;

  std::string_view ClassName() const override { return "TETileMover"; }
};
