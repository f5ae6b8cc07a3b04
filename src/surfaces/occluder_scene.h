#pragma once
// What leaves depth behind in the renderer's light pass, as world-space triangles:
// every surface in use (both faces), and each visible tile or door with a model in its
// current animation pose, honouring the model's depth test, cull face, blend mode and
// alpha test. Markers, shadows and every other entity are translucent there.

#include <vector>

#include "surfaces/triangle_bvh.h"

class TRoom;

// Skins animated models, so the room's model engine is written to.
std::vector<OccluderTriangle> CollectOccluders(TRoom& room);
