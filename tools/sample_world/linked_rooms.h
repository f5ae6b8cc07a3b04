#pragma once
// The rooms around the demo room that make the sample world a world: an abbey cloister
// and the cellar below it, linked both ways by their doors, with a portal from each out
// to the demo room and the bake room. The demo and bake rooms themselves are left as
// they are (tests and benchmarks rely on their bytes).

class TQZEngine;

inline constexpr const char* AbbeyRoomFile = "data/world/room/abbey.rer";
inline constexpr const char* CellarRoomFile = "data/world/room/cellar.rer";

// Builds both rooms in the engine's room, one after the other, and saves each under the
// room directory. False when a save failed (the engine has shown why).
bool BuildLinkedRooms(TQZEngine& engine);
