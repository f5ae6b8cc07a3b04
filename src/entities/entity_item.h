#pragma once
// A collectable.

#include "entities/edit_entity.h"
#include "entities/variable_record.h"

class TEItem : public TEntity {
public:
  explicit TEItem(TQZEngine& engine);

  std::int16_t ItemTypus = 0;
  std::int16_t Amount = 1;
  String32 OnCollect;
  String32 CollectAnimation;
  float DelayBeforeCollect = 0.0f;
  TVariableAssignment Assignment{0, 0, 1};
  String32 ItemModel;

  void VisitFields(RecordVisitor& visitor) override;

  std::string_view ClassName() const override { return "TEItem"; }
};
