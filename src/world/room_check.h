#pragma once
// What `check` finds in a loaded room beyond what loading itself reports: values a
// designer cannot see in the editor but the game will trip over. Each problem names
// the object it is about, so the editor's problems list can select it, and says how
// it can be mended when the mend is obvious.

#include <string>
#include <vector>

#include "room/room_selection.h"

class TRoom;

struct RoomProblem {
  // What a problem is about: the room's attributes or its tile list (Kind::None), a
  // field, a light, an entity or a surface.
  TSelection::Kind kind = TSelection::Kind::None;
  // The light's, entity's or surface's slot; a field's column * 60 + row; a tile
  // list entry's index.
  int slot = -1;
  // "entity 12 \"DOOR1\"", as check prints it.
  std::string where;
  std::string what;
  // The obvious mend, applied by ApplyFix as one step; None when there is none.
  enum class Fix { None, GiveUniqueName, UseMarker };
  Fix fix = Fix::None;
  // UseMarker: the marker's name as the other room spells it.
  std::string fixValue;

  // "where: what", the line check prints.
  std::string Text() const { return where + ": " + what; }
  // The fix's caption in a menu and as the name of its undo step; empty for none.
  std::string FixCaption() const;
};

std::vector<RoomProblem> CheckRoom(const TRoom& room);

// Applies the problem's fix to the room; false when the object is gone or the problem
// has no fix. The caller records the step.
bool ApplyFix(TRoom& room, const RoomProblem& problem);
