#pragma once
// A tile that leads the player to a marker in another room.

#include "entities/entity_tile.h"
#include "entities/variable_record.h"

class TETDoor : public TETile {
public:
  explicit TETDoor(TQZEngine& engine);

  String255 ToRoom;
  String32 ToMarker;
  TVector Dimensions{0.5f, 2.0f, 0.5f};
  String32 PlayerAnimation;
  float WaitBeforeEnter = 0.0f;
  String32 DoorAnimation;
  float DoorAnimSpeed = 1.0f;
  float WaitBeforeAnim = 0.0f;
  String32 ActivationTarget;
  String32 Sound;
  std::int16_t KeyItem = 0;
  String32 OnLocked;
  String32 OnUnlock;
  TVariableCondition Condition;

  void VisitFields(RecordVisitor& visitor) override;
  void FillDialog(Form& form) override;

  std::string_view ClassName() const override { return "TETDoor"; }
};
