#pragma once
// The room as JSON, every attribute under its own name. Floats are written so that
// they read back to the same 32-bit value.

#include <nlohmann/json.hpp>

#include <string>

class TRoom;
class TSelection;

nlohmann::ordered_json RoomToJson(const TRoom& room);
// The selected objects in use under the dump's names ("lights", "entities",
// "surfaces"; fields as "fieldRect" with the rectangle's "fields" column by column).
nlohmann::ordered_json SelectionToJson(const TRoom& room, const TSelection& selection);
// The same as text, indented as the dump is; empty when nothing is selected.
std::string SelectionText(const TRoom& room, const TSelection& selection);
