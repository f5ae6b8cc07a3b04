#pragma once
// The room's animated two-layer water surface.

class TEditGL;

void DrawWater(TEditGL& gl);
