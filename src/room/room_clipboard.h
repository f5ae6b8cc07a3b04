#pragma once
// The clipboard of the document: a selection copied as a private binary payload of
// whole room-file records, and pasted back into this room or another one. The window
// only carries the bytes to and from the system clipboard.
//
// Payload: magic, version, kind, then by kind
//   lights    count, light records
//   entities  tile-list names the entities' models come from, count, (typus, common
//             record, kind body) per entity
//   surfaces  count, surface records with their light maps
//   fields    columns and rows of the rectangle, field records column by column
// A paste reads it with the room file's readers and checks everything before it
// places anything: it places all of it or nothing.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/vector.h"
#include "room/edit_room.h"
#include "room/room_selection.h"

struct PasteResult {
  enum class Outcome {
    Pasted,
    NotASelection,  // the bytes are not a payload (another program's clipboard): say nothing
    Refused,        // damaged, or the room cannot take it; `error` says why, nothing changed
  };
  Outcome outcome = Outcome::NotASelection;
  TSelection pasted;      // what the paste placed, for the window to select
  std::string countText;  // "5 Entities", for the name of the undo step
  std::string error;      // shown under ErrorTag

  static constexpr std::string_view ErrorTag = "QZ_ROOM";
  bool Pasted() const { return outcome == Outcome::Pasted; }
};

// The selected objects in use as a payload; nothing when none is.
std::vector<std::uint8_t> CopySelection(const TRoom& room, const TSelection& selection);

// Pastes a payload. With a centre the centre of the objects' bounding box on the floor
// (x and z) goes there; heights stay as copied and the centre's y is not used. Without
// one they land where they were copied. Fields always start at fieldAnchor (their
// lowest column and row) and what falls outside the grid is cut off.
// Pasted entities whose names the room holds are renamed, and the pasted entities'
// references to one another follow; references to anything else keep their names.
PasteResult PasteSelection(TRoom& room, std::span<const std::uint8_t> payload, std::optional<TVector> centre,
                           TCell fieldAnchor);

// Copy and paste in one: the copies lie 1 m further along x and z (fields one column
// and one row further) than the selection.
PasteResult Duplicate(TRoom& room, const TSelection& selection);

// "12 Fields", "1 Light".
std::string CountText(TSelection::Kind kind, int count);
