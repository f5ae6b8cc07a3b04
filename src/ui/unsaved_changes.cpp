#include "ui/unsaved_changes.h"

#include "room/edit_room.h"

void UnsavedChanges::MarkSaved() { saved_ = room_.SaveToBytes(); }

// No room's file image is empty.
void UnsavedChanges::MarkChanged() { saved_.clear(); }

bool UnsavedChanges::Pending() const { return Differs(room_.SaveToBytes()); }
