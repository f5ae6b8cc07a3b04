#pragma once
// Shows a message file to the player, optionally with a sound.

#include "entities/edit_entity.h"

class TEMessage : public TEntity {
public:
  explicit TEMessage(TQZEngine& engine);

  String255 MessageFile;
  String32 Sound;
  float Delay = 0.0f;

  void VisitFields(RecordVisitor& visitor) override;

  std::string_view ClassName() const override { return "TEMessage"; }
};
