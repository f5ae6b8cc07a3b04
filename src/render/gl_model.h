#pragma once
// Draws one placed model of the catalogue with the room's lights, its materials, skin
// and detail textures, skinned on the processor when an animation runs.

#include <cstdint>

#include "core/vector.h"

class TEditGL;

struct TModelDrawing {
  std::int16_t modelSlot = -1;
  TVector position;
  TVector rotation;  // degrees
  bool lighting = false;
  std::int16_t blendMode = 0;
  float alpha = 1.0f;
  TVector color{1.0f, 1.0f, 1.0f};
  std::int16_t animation = -1;
  float frame = 1.0f;
  float size = 1.0f;
};

void DrawModel(TEditGL& gl, const TModelDrawing& drawing);

// Up to 8 GL lights: the sun and the room lights that reach the box around position.
void SetupModelLights(TEditGL& gl, bool lighting, bool useSun, bool useLights, const TVector& extents,
                      const TVector& position);
