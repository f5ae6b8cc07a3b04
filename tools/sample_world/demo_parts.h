#pragma once
// The pieces the demo room is assembled from, each in its own file: the ground
// (fields and the floor and wall surfaces over them), the lights with the light maps,
// and the entities.

#include <string_view>

#include "core/vector.h"

class TRoom;
class TEntity;

namespace demo {

// The part of the grid the place occupies, in world metres; the rest has no floor.
inline constexpr float AreaMin = -14.0f;
inline constexpr float AreaMax = 14.0f;
inline constexpr float TerraceHeight = 1.5f;
inline constexpr float PondDepth = -0.8f;
inline constexpr float WaterLevel = -0.25f;

void ShapeFields(TRoom& room);
// Floor surfaces following the field heights and the brick walls; returns how many
// could not be added (full table or a degenerate quad).
int AddSurfaces(TRoom& room);
void AddLights(TRoom& room);
// Static lanterns in a ring around the green until the room has `staticLights` lights
// without an effect.
void AddLanterns(TRoom& room, int staticLights);
void AddEntities(TRoom& room);
// Bakes every surface's light map from the static lights, with shadows of everything
// placed; run last.
void LightSurfaces(TRoom& room);

// The floor height under (x, z).
TVector OnFloor(const TRoom& room, float x, float z);

}  // namespace demo
