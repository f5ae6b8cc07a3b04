#pragma once
// A modelled building block with a collision shape, a material and an optional spin.

#include "entities/edit_entity.h"

class TETile : public TEntity {
public:
  explicit TETile(TQZEngine& engine);
  // The tiles that lead on from here (doors).
  TETile(TQZEngine& engine, const Kind& kind);

  TVector AutoRotate;
  std::int16_t CollisionForm = 0;
  TVector CollisionSize{0.5f, 1.0f, 0.5f};
  std::int16_t Material = 0;
  bool CanClimb = false;

  void VisitFields(RecordVisitor& visitor) override;
  void Animate() override;
  void Bind() override;

  std::string_view ClassName() const override { return "TETile"; }
};
