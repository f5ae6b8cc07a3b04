#pragma once
// The two model actions of the entity dialog. Their work (the light-map bake and the
// model-to-surfaces conversion) lives in other layers, which install an implementation
// on the engine; without one both buttons do nothing.

#include <cstdint>

#include "core/vector.h"

class TVEModel;

class EntityModelActions {
public:
  virtual ~EntityModelActions() = default;

  // Re-lights the model's texture image laid over the room floor, leaving the entity
  // in slot skipEntity out of the shadow test.
  virtual void BakeModelTexture(const TVEModel& model, const TVector& position, const TVector& rotation,
                                std::int16_t skipEntity, float size) = 0;
  // Adds the placed model's polygons to the room as surfaces.
  virtual void ConvertModelToSurfaces(const TVEModel& model, const TVector& position, const TVector& rotation,
                                      float size) = 0;
};
