#pragma once
// What the selection commands do to the room: select all, the same kind or what a box
// encloses, move, rotate and delete the selection, and the status bar's count.

#include <string>

#include "core/vector.h"
#include "room/room_selection.h"
#include "room/view_mapping.h"

class Form;
class TRoom;

namespace selection {

// The kind the active palette sheet works on.
TSelection::Kind SheetKind(const Form& main);
// Every object of the kind in use.
void SelectAll(TRoom& room, TSelection::Kind kind);
// Every entity of the selected entity's typus, every surface with the selected surface's
// texture, every light with the selected light's effect; false when nothing is selected.
bool SelectSameKind(TRoom& room);
// The objects of the kind drawn inside the view rectangle of corners a and b; `add`
// keeps what was selected.
void SelectInBox(TRoom& room, TSelection::Kind kind, TViewPoint a, TViewPoint b, bool add);
// Where the selection stands: the middle of its objects' bounding box.
TVector Centre(const TRoom& room);
void Move(TRoom& room, const TVector& delta);
// Quarter turns about the vertical axis through the centre, positive to the left (counter-
// clockwise from above): positions, entity headings and surface corners turn; a field
// rectangle turns as a block about its middle.
void Rotate(TRoom& room, int quarterTurns);
// Deletes every selected object (a field rectangle is cleared); the number deleted.
int Delete(TRoom& room);
// "5 entities selected", or empty when nothing is.
std::string StatusText(const TRoom& room);

}  // namespace selection
