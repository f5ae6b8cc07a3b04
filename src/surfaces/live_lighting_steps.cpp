#include "surfaces/live_lighting_steps.h"

#include "room/room_history.h"
#include "surfaces/live_lighting.h"

LiveLightingSteps::LiveLightingSteps(TRoom& room, RoomHistory& history, LiveLighting& live)
    : room_(room), history_(history), live_(live) {}

void LiveLightingSteps::Start(std::string firstStepName) {
  firstStepName_ = std::move(firstStepName);
  live_.Forget();
  Changed();
  if (unlanded_)
    history_.SetComplete(false);
  else
    firstStepName_.clear();  // no map to bake
}

void LiveLightingSteps::Changed() {
  if (live_.Request(room_)) unlanded_ = true;
}

void LiveLightingSteps::Recorded() {
  Changed();
  if (unlanded_) history_.SetComplete(false);
}

bool LiveLightingSteps::Undo() { return Restore(true); }

bool LiveLightingSteps::Redo() { return Restore(false); }

bool LiveLightingSteps::Restore(bool undo) {
  // Maps that landed for this step so far stay with it (it is still incomplete), or
  // the history would take them for an edit and drop the steps to redo.
  if (unlanded_) history_.Amend();
  if (!(undo ? history_.Undo() : history_.Redo())) return false;
  if (history_.Complete()) {
    // The step's maps are its own: nothing to bake, and work for other states is dropped.
    live_.Adopt(room_);
    unlanded_ = false;
    return true;
  }
  live_.Forget();
  Changed();
  return true;
}

std::vector<std::int16_t> LiveLightingSteps::Land(bool betweenEdits, bool* recorded) {
  if (recorded) *recorded = false;
  // Idle before taking: then everything the worker finished is among what is taken.
  const bool idle = !live_.Pending();
  std::vector<std::int16_t> landed = live_.ApplyFinished(room_);
  if (!idle || !unlanded_ || !betweenEdits) return landed;
  unlanded_ = false;
  if (!firstStepName_.empty()) {
    const bool made = history_.Record(firstStepName_);
    if (!made) history_.SetComplete(true);  // the stored maps were current after all
    if (recorded) *recorded = made;
    firstStepName_.clear();
  } else {
    history_.Amend();
    history_.SetComplete(true);
  }
  return landed;
}

bool LiveLightingSteps::Pending() const { return unlanded_ || live_.Pending(); }
