#pragma once
// A box that fires triggers when something enters or leaves it.

#include "entities/edit_entity.h"

class TETouchField : public TEntity {
public:
  explicit TETouchField(TQZEngine& engine);

  TVector Dimensions{0.5f, 2.0f, 0.5f};
  String32 OnEnter;
  String32 OnExit;
  std::int16_t Activations = -1;
  bool ByHero = true;
  bool ByAll = false;
  String32 ByEntity;

  void VisitFields(RecordVisitor& visitor) override;

  std::string_view ClassName() const override { return "TETouchField"; }
};
