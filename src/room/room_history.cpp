#include "room/room_history.h"

namespace {

using Change = RoomSnapshot::Change;

int Total(const int (&counts)[3]) { return counts[0] + counts[1] + counts[2]; }

// What a step did can name it better than the action that led to it: an edit dialog
// closed with Delete, or the entity dialog turning a model into surfaces.
std::string StepName(const std::string& action, const Change& change) {
  if (change.head || change.fields || Total(change.changed) > 0) return action;
  static constexpr const char* Kinds[] = {"Light", "Entity", "Surface"};
  for (int kind = 0; kind < 3; ++kind)
    if (Total(change.added) == 0 && Total(change.removed) == 1 && change.removed[kind] == 1)
      return std::string("Delete ") + Kinds[kind];
  const bool oneEntityGone = Total(change.removed) == 1 && change.removed[Change::Entities] == 1;
  if (oneEntityGone && Total(change.added) == change.added[Change::Surfaces] && Total(change.added) > 0)
    return "Convert Model to Surfaces";
  return action;
}

}  // namespace

RoomHistory::RoomHistory(TRoom& room, std::size_t limit) : room_(room), limit_(limit) { Start(); }

void RoomHistory::Start() {
  steps_.clear();
  RoomSnapshot first = RoomSnapshot::Take(room_);
  bytes_ = first.Bytes();
  steps_.push_back({"", std::move(first), bytes_, true});
  position_ = 0;
  saved_ = 0;
}

bool RoomHistory::Record(const std::string& name) {
  RoomSnapshot now = RoomSnapshot::Take(room_, &Current());
  if (now == Current()) return false;
  while (CanRedo()) {
    bytes_ -= steps_.back().ownBytes;
    steps_.pop_back();
  }
  if (saved_ && *saved_ > position_) saved_.reset();
  std::string stepName = StepName(name, now.ChangeFrom(Current()));
  const std::size_t own = now.BytesNotIn(Current());
  steps_.push_back({std::move(stepName), std::move(now), own, true});
  bytes_ += own;
  ++position_;
  while (bytes_ > limit_ && position_ > 0) DropOldest();
  return true;
}

void RoomHistory::DropOldest() {
  bytes_ -= steps_[0].ownBytes;
  steps_.pop_front();
  --position_;
  // The new first snapshot no longer shares with anything before it.
  bytes_ -= steps_[0].ownBytes;
  steps_[0].ownBytes = steps_[0].after.Bytes();
  bytes_ += steps_[0].ownBytes;
  steps_[0].name.clear();
  if (saved_) saved_ = *saved_ > 0 ? std::optional(*saved_ - 1) : std::nullopt;
}

bool RoomHistory::Undo() {
  Record("Edit");
  if (!CanUndo()) return false;
  steps_[position_ - 1].after.Restore(room_, Current());
  --position_;
  return true;
}

void RoomHistory::Revert() {
  const RoomSnapshot now = RoomSnapshot::Take(room_, &Current());
  if (!(now == Current())) Current().Restore(room_, now);
}

void RoomHistory::Amend() {
  RoomSnapshot now = RoomSnapshot::Take(room_, &Current());
  if (now == Current()) return;
  Step& step = steps_[position_];
  bytes_ -= step.ownBytes;
  step.ownBytes = position_ > 0 ? now.BytesNotIn(steps_[position_ - 1].after) : now.Bytes();
  step.after = std::move(now);
  bytes_ += step.ownBytes;
  // The file no longer holds this state.
  if (saved_ == position_) saved_.reset();
}

bool RoomHistory::Redo() {
  Record("Edit");
  if (!CanRedo()) return false;
  steps_[position_ + 1].after.Restore(room_, Current());
  ++position_;
  return true;
}

std::string RoomHistory::UndoName() const { return CanUndo() ? steps_[position_].name : std::string(); }

std::string RoomHistory::RedoName() const { return CanRedo() ? steps_[position_ + 1].name : std::string(); }
