#pragma once
// Turning a placed scenery model into free surfaces of the room: its triangles are
// paired into quadrilaterals (first along shared longest edges, then along any
// shared edge), and each quadrilateral faces the way its model triangle did.

#include "core/vector.h"

class TRoom;
class TVEModel;

// Pairs past the room's surface table are used up without a surface; triangles left
// without a partner give nothing.
void ConvertModelToSurfaces(TRoom& room, const TVEModel& model, const TVector& position, const TVector& rotation,
                            float size);
