#pragma once
// Scaling and measuring a loaded model, and where its vertices land when it is
// placed in the room.

#include "models/edit_model.h"

// Multiplies every vertex by the model's scale, then measures radius, horizontal
// extent, height and depth from the scaled vertices.
void ScaleAndMeasure(TVEModel& model);

// A model vertex placed at a position: x and z are mirrored (the model faces the
// other way), scaled by size, rotated by the angles and added to the position.
TVector PlacedVertex(const TVector& vertex, const TVector& position, const TVector& rotation, float size);

TModelBox PlacedBounds(const TVEModel& model, const TVector& position, const TVector& rotation, float size);

// Height of the last placed vertex within 0.1 of the point in the XZ plane.
constexpr float NoModelHeight = -999.0f;
float PlacedHeightAt(const TVEModel& model, const TVector& position, const TVector& rotation, float size,
                     const TVector& point);
