#pragma once
// The entity dialog's two model buttons, done by the document's own layers: the
// model-to-surfaces conversion of the models layer and the floor-texture bake of the
// surfaces layer. The engine owns one and installs it as its ModelActions.

#include "entities/entity_model_actions.h"

class TQZEngine;

class RoomModelActions : public EntityModelActions {
public:
  // Works on whatever room the engine holds at the time of each call.
  explicit RoomModelActions(TQZEngine& engine) : engine_(engine) {}

  // The shadow test follows the room's light-map choice: the rendered test on one
  // thread when that is selected, otherwise the processor's ray caster on the
  // light-map baker's threads (all cores when the room has no baker).
  void BakeModelTexture(const TVEModel& model, const TVector& position, const TVector& rotation,
                        std::int16_t skipEntity, float size) override;
  void ConvertModelToSurfaces(const TVEModel& model, const TVector& position, const TVector& rotation,
                              float size) override;

private:
  TQZEngine& engine_;
};
