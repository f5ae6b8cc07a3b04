#pragma once
// A camera zone: while the player is inside its rectangle the game camera follows
// this entity's settings.

#include "entities/edit_entity.h"

class TECamera : public TEntity {
public:
  explicit TECamera(TQZEngine& engine);

  std::int16_t CameraTypus = 0;
  float RadiusX = 4.0f;
  float RadiusZ = 4.0f;
  float RotationFactor = 1.0f;
  float MovementFactor = 1.0f;
  float ZoomFactor = 1.0f;
  String32 Target;
  float MovementSpeed = 1.0f;
  float ZoneMinX = 0.0f;
  float ZoneMinZ = 0.0f;
  float ZoneMaxX = 0.0f;
  float ZoneMaxZ = 0.0f;

  void VisitFields(RecordVisitor& visitor) override;
  void ReadRecord(BinaryReader& file) override;
  // Rooms from before zones were stored hold four zero bounds: the zone is then the
  // influence radius around the (already read) position.

  std::string_view ClassName() const override { return "TECamera"; }

  // Whether the cursor picks the zone: top view only, edges widened by a quarter metre.
  bool ZoneContains(const TVector& point) const;
};
