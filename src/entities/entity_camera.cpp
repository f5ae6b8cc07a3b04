#include "entities/entity_camera.h"

#include "engine/edit_engine.h"
#include "entities/entity_typus.h"
#include "entities/record_fields.h"
#include "room/edit_room.h"

namespace {
constexpr float ZonePickMargin = 0.25f;
constexpr int TopView = 0;
}  // namespace

TECamera::TECamera(TQZEngine& engine) : TEntity(engine, {"CAMERA", typus::Camera, "EDITOR_CAMERA", false}) {}

void TECamera::VisitFields(RecordVisitor& visitor) {
  visitor.Page("TabSheetCamera", "Camera");
  visitor.List(CameraTypus, {"CameraTypus", "CBCameraTypus", "Typus:"});
  visitor.Number(RadiusX, {"RadiusX", "EditCameraRadiusX", "Influence Radius:", Conversion::Block});
  visitor.Number(RadiusZ, {"RadiusZ", "EditCameraRadiusZ", {}, Conversion::Block});
  visitor.Number(RotationFactor, {"RotationFactor", "EditCameraRotationFactor", "Rotation Factor:", Conversion::Block});
  visitor.Number(MovementFactor, {"MovementFactor", "EditCameraMovementFactor", "Movement Factor:", Conversion::Block});
  visitor.Number(ZoomFactor, {"ZoomFactor", "EditCameraFOV", "Zoom Factor:", Conversion::Block});
  visitor.Text(Target, {"Target", "CBCameraTarget", "Target:", {}, typus::Camera});
  visitor.Number(MovementSpeed, {"MovementSpeed", "EditCameraMovementSpeed", "Movement Speed:", Conversion::Block});
  visitor.Number(ZoneMinX, {"ZoneMinX", "EditCameraXmin", "Radius From:"});
  visitor.Number(ZoneMinZ, {"ZoneMinZ", "EditCameraZmin", {}});
  visitor.Number(ZoneMaxX, {"ZoneMaxX", "EditCameraXMax", "Radius To:"});
  visitor.Number(ZoneMaxZ, {"ZoneMaxZ", "EditCameraZMax", {}});
}

// A zone of all zeros was never set: the influence radius around the camera stands in.
void TECamera::ReadRecord(BinaryReader& file) {
  TEntity::ReadRecord(file);
  if (ZoneMinX == 0.0f && ZoneMinZ == 0.0f && ZoneMaxX == 0.0f && ZoneMaxZ == 0.0f) {
    ZoneMinX = Position.x - RadiusX;
    ZoneMinZ = Position.z - RadiusZ;
    ZoneMaxX = Position.x + RadiusX;
    ZoneMaxZ = Position.z + RadiusZ;
  }
}

bool TECamera::ZoneContains(const TVector& point) const {
  return Room().Camera.Mode == TopView && point.x >= ZoneMinX - ZonePickMargin &&
         point.x <= ZoneMaxX + ZonePickMargin && point.z >= ZoneMinZ - ZonePickMargin &&
         point.z <= ZoneMaxZ + ZonePickMargin;
}
