#pragma once
// The demo room, built through the room's own API on an engine started in the
// generated base directory and saved to data/world/room/.

#include <string>

class TQZEngine;

inline constexpr const char* DemoRoomFile = "data/world/room/demo.rer";
// The demo place lit by more lanterns: the light-map bake's benchmark room.
inline constexpr const char* BakeRoomFile = "data/world/room/bake.rer";
inline constexpr int BakeRoomStaticLights = 16;

// Fills the engine's room with the demo place and saves it under the engine's room
// directory. False when the save failed (the engine has shown why).
bool BuildDemoRoom(TQZEngine& engine);
// Turns the demo room in the engine's room into the bake room (static lanterns up to
// BakeRoomStaticLights, everything relit) and saves it beside the demo room.
bool BuildBakeRoom(TQZEngine& engine);
