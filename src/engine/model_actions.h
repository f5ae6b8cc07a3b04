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

  // Shadows come from a ray cast on the processor (on the light-map baker's threads,
  // all cores when the room has none): a pixel is in shadow when anything but the
  // entity itself lies between it and the sun.
  void BakeModelTexture(const TVEModel& model, const TVector& position, const TVector& rotation,
                        std::int16_t skipEntity, float size) override;
  void ConvertModelToSurfaces(const TVEModel& model, const TVector& position, const TVector& rotation,
                              float size) override;

private:
  TQZEngine& engine_;
};
