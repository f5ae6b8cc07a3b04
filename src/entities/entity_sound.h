#pragma once
// A sound source: plays a wave file here or at another entity.

#include "entities/edit_entity.h"

class TESound : public TEntity {
public:
  explicit TESound(TQZEngine& engine);

  String255 SoundFile;
  std::int16_t Volume = 100;
  float Speed = 1.0f;
  bool Loop = false;
  std::int16_t Source = 0;
  String32 SourceEntity;
  std::int16_t Activation = 0;
  std::int16_t RandomPercent = 100;
  float ReplayAfter = 1.0f;

  void VisitFields(RecordVisitor& visitor) override;

  std::string_view ClassName() const override { return "TESound"; }
};
