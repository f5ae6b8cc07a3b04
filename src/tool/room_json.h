#pragma once
// The room as JSON, every attribute under its own name. Floats are written so that
// they read back to the same 32-bit value.

#include <nlohmann/json.hpp>

class TRoom;

nlohmann::ordered_json RoomToJson(const TRoom& room);
