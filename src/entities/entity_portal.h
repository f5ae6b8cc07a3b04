#pragma once
// A passage into another room.

#include "entities/edit_entity.h"

class TEPortal : public TEntity {
public:
  explicit TEPortal(TQZEngine& engine);

  String255 ToRoom;
  String32 ToMarker;  // a marker of the other room, so never linked here
  TVector Dimensions{0.5f, 2.0f, 0.5f};
  float ActivationDistance = 1.0f;
  String32 Target;
  String32 TargetAnimation;
  float TargetSpeed = 1.0f;
  String32 Sound;

  void VisitFields(RecordVisitor& visitor) override;
  // "Lead to Marker:" offers the markers of the room "Lead to Room:" names.
  void FillDialog(Form& form) override;

  std::string_view ClassName() const override { return "TEPortal"; }
};
