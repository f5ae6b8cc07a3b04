#pragma once
// The entity dialog's algorithm over named controls (the window itself belongs to the
// user interface): TEntity::EditEntity, the rename that references follow, and the
// handlers the window forwards to.
//
// The window exposes its two request flags ("Create Shadows on Texture", "Convert
// Model to Surfaces") as the check states of the controls named by ShadowsRequested
// and ConvertRequested; both buttons set their flag and close the dialog with OK.

#include <array>
#include <string_view>

#include "core/form.h"

class TEntity;
class TQZEngine;
class TRoom;

namespace entity_form {

constexpr std::string_view ShadowsRequested = "ShadowsRequested";
constexpr std::string_view ConvertRequested = "ConvertRequested";

// Every kind page of the right page control; EditEntity hides them all first.
constexpr std::array<std::string_view, 24> KindPages{
    "TabSheetTile",      "TabSheetTDoor",     "TabSheetTileMover",  "TabSheetTrigger",     "TabSheetTouchfield",
    "TabSheetMessage",   "TabSheetControl",   "TabSheetMarker",     "TabSheetSpawner",     "TabSheetVariable",
    "TabSheetSavePoint", "TabSheetCamera",    "TabSheetSound",      "TabSheetEAnimation",  "TabSheetItem",
    "TabSheetPortal",    "TabSheetUnit",      "TabSheetUMutant",    "TabSheetUClawShrimp", "TabSheetPGrass",
    "TabSheetPFire",     "TabSheetPFountain", "TabSheetPRain",      "TabSheetPExplosion"};

// Change handler of every variable box: the value box gets the value names of the
// newly selected variable and keeps its item index.
void ChangeCondition(const TQZEngine& engine, Form& form, std::string_view variableBox, std::string_view valueBox);

// Runs the dialog on an entity of the room, then binds it and every other entity so
// that references to its old name follow a rename.
void EditEntityFollowingRename(TRoom& room, TEntity& entity);

}  // namespace entity_form
