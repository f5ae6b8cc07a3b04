#pragma once
// The art directory: every texture the editor looks up by its own name (menu frame,
// flares, shadow, water, fire, splat, rain), a sky box and the ground, wall and wood
// textures of the demo room, with art/loadtexture.ini listing them all.

class WorldWriter;

// The sky box's first face; the other five follow it in the list.
inline constexpr const char* SkyBoxName = "world\\sky\\dusk_front";

void WriteTextures(WorldWriter& world);
