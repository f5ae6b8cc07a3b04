#pragma once
// Lens flares: screen-space sprites along the line from the screen centre through a
// light's projected point, in three fixed designs (kind 1 to 3; 0 means none).

#include <cstdint>

#include "core/vector.h"

class TEditGL;

// Every active light with a flare, then the sun's (3D view only).
void DrawLightFlares(TEditGL& gl);
// False when the point is off screen or hidden behind what is already drawn.
bool DrawFlareIfVisible(TEditGL& gl, const TVector& point, std::int16_t kind, const TVector& color, float size,
                        float brightness);
