#pragma once
// Undo and redo for the room: a line of snapshots, each step named by the edit that
// led to it. A step is recorded when an edit is complete (a mouse gesture, a dialog, a
// command); recording compares the room with the last snapshot, so an action that
// changed nothing leaves no step. The snapshots share unchanged records, and the
// oldest steps go when the history holds more than its limit.
//
// The history also knows whether the room differs from what was last saved or loaded:
// undoing back to that state counts as unchanged.

#include <cstddef>
#include <deque>
#include <optional>
#include <string>

#include "room/room_snapshot.h"

class TRoom;

class RoomHistory {
public:
  static constexpr std::size_t DefaultLimit = std::size_t{256} << 20;

  explicit RoomHistory(TRoom& room, std::size_t limit = DefaultLimit);

  // Forgets every step; the room as it stands is where the history begins. The
  // beginning counts as saved.
  void Start();
  // Ends a step named `name` when the room differs from the last snapshot; true when
  // it did. The steps that could be redone go. A step that only frees one light,
  // entity or surface is called "Delete Light" (...) whatever `name` says.
  bool Record(const std::string& name);
  // Each first records a change not yet recorded (as "Edit"), so nothing is lost.
  bool Undo();
  bool Redo();
  // Puts the room back to the last step, dropping what no step has recorded (a drag
  // cancelled half way).
  void Revert();
  // Folds what changed since into the last step, so undo and redo take it with that step
  // (light maps a background bake finished after the edit that needed them).
  void Amend();
  // Whether the last step holds all that belongs to it: a step recorded while derived
  // data (light maps baking in the background) was still on its way does not, until
  // that has been folded in. Steps are recorded complete.
  bool Complete() const { return steps_[position_].complete; }
  void SetComplete(bool complete) { steps_[position_].complete = complete; }
  bool CanUndo() const { return position_ > 0; }
  bool CanRedo() const { return position_ + 1 < steps_.size(); }
  // Names of the step Undo and Redo would take back or do again; empty when none.
  std::string UndoName() const;
  std::string RedoName() const;

  // The last recorded state is what the room's file holds.
  void MarkSaved() { saved_ = position_; }
  // The room counts as changed until it is saved (a room restored after a crash).
  void MarkChanged() { saved_.reset(); }
  // The last recorded state differs from the saved one.
  bool Modified() const { return !saved_ || !(steps_[*saved_].after == steps_[position_].after); }

  const RoomSnapshot& Current() const { return steps_[position_].after; }
  // What the snapshots hold, each shared record counted once.
  std::size_t Bytes() const { return bytes_; }
  std::size_t StepCount() const { return steps_.size() - 1; }

private:
  struct Step {
    std::string name;  // of the edit that led here; empty for the beginning
    RoomSnapshot after;
    std::size_t ownBytes;  // not shared with the snapshot before
    bool complete = true;
  };

  void DropOldest();

  TRoom& room_;
  std::size_t limit_;
  std::deque<Step> steps_;
  std::size_t position_ = 0;
  std::size_t bytes_ = 0;
  std::optional<std::size_t> saved_;
};
