#pragma once
// Copies a template entity into the room, a number of times, at a marker.

#include "entities/edit_entity.h"

class TESpawner : public TEntity {
public:
  explicit TESpawner(TQZEngine& engine);

  String32 Template;
  float DelayBeforeFirst = 0.0f;
  std::int16_t TotalCount = 1;
  std::int16_t SpawnAtOnce = 1;
  float DelayInbetween = 0.0f;
  String32 SpawnPosition;
  std::int16_t SpawnEffect = 0;
  String32 Sound;

  void VisitFields(RecordVisitor& visitor) override;

  std::string_view ClassName() const override { return "TESpawner"; }
};
