#pragma once
// Live lighting and the undo history together. A step records whether its light maps
// were current for it: undo and redo to such a step take its maps as they are and bake
// nothing. A step recorded before its bake landed holds stale maps, so going back to it
// bakes every map again; what lands is folded into it.

#include <cstdint>
#include <string>
#include <vector>

class LiveLighting;
class RoomHistory;
class TRoom;

class LiveLightingSteps {
public:
  LiveLightingSteps(TRoom& room, RoomHistory& history, LiveLighting& live);

  // Begins with the room as it stands. Its stored maps may have been baked under other
  // conditions, so every map is baked, and landing that is a step of its own.
  void Start(std::string firstStepName);
  // A change not yet a step (a gesture under way).
  void Changed();
  // An edit that has just become the history's last step.
  void Recorded();
  // The history's undo and redo, with the step's maps.
  bool Undo();
  bool Redo();
  // Between frames: writes what has finished into the room and returns the slots
  // written. Once everything has landed, and only between edits, the maps join the last
  // step (or become the first bake's own step). True in `recorded` when that made a new step.
  std::vector<std::int16_t> Land(bool betweenEdits, bool* recorded = nullptr);
  // An update waits, runs, or has finished but not landed.
  bool Pending() const;

private:
  bool Restore(bool undo);

  TRoom& room_;
  RoomHistory& history_;
  LiveLighting& live_;
  std::string firstStepName_;  // until the first bake has landed
  bool unlanded_ = false;  // work requested and not yet folded into a step
};
