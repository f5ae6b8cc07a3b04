#include "ui/unsaved_changes.h"

#include "room/edit_room.h"

void UnsavedChanges::MarkSaved() { saved_ = room_.SaveToBytes(); }

bool UnsavedChanges::Pending() const { return room_.SaveToBytes() != saved_; }
