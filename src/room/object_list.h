#pragma once
// The objects in use in a room, one row each, for the window's objects list: what the
// list shows and the text its filter searches.

#include <string>
#include <string_view>
#include <vector>

#include "core/vector.h"
#include "room/room_selection.h"

class TRoom;

struct ObjectRow {
  TSelection::Kind kind = TSelection::Kind::None;
  int slot = 0;
  std::string name;
  // "Light", "Surface", or the entity's kind as its dialog page names it ("Trigger").
  std::string kindName;
  // A light's or entity's position, a surface's middle.
  TVector position;
  // Name, kind and every text field's value, folded to lower case for the filter.
  std::string searchText;
};

// Lights, then entities, then surfaces, each by slot.
std::vector<ObjectRow> ListObjects(const TRoom& room);
// True when the filter is empty or occurs in the row's search text, whatever its case.
bool Matches(const ObjectRow& row, std::string_view filter);
