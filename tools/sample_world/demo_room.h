#pragma once
// The demo room, built through the room's own API on an engine started in the
// generated base directory and saved to data/world/room/.

#include <string>

class TQZEngine;

inline constexpr const char* DemoRoomFile = "data/world/room/demo.rer";

// Fills the engine's room with the demo place and saves it under the engine's room
// directory. False when the save failed (the engine has shown why).
bool BuildDemoRoom(TQZEngine& engine);
