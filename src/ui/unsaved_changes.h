#pragma once
// Tells whether the room differs from the last saved, loaded or new state, by comparing
// the room's own file image. Nothing in the document has to mark itself changed, so no
// edit can slip past the question.

#include <cstdint>
#include <vector>

class TRoom;

class UnsavedChanges {
public:
  explicit UnsavedChanges(TRoom& room) : room_(room) {}

  // The room as it is now counts as saved.
  void MarkSaved();
  // The room counts as changed whatever it holds (a room recovered from a damaged file
  // or restored after a crash is not what its file says).
  void MarkChanged();
  bool Pending() const;
  // The same for an image of the room the caller has already made.
  bool Differs(const std::vector<std::uint8_t>& image) const { return image != saved_; }

private:
  TRoom& room_;
  std::vector<std::uint8_t> saved_;
};
