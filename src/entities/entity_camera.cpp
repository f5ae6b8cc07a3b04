#include "entities/entity_camera.h"

#include "core/dialog_values.h"
#include "engine/edit_engine.h"
#include "entities/entity_dialog.h"
#include "entities/entity_typus.h"
#include "entities/field_sink.h"
#include "room/edit_room.h"

using namespace entity_dialog;

namespace {
constexpr float ZonePickMargin = 0.25f;
constexpr int TopView = 0;
}  // namespace

TECamera::TECamera(TQZEngine& engine) : TEntity(engine) {
  Name = "CAMERA";
  Typus = typus::Camera;
  ModelName = "EDITOR_CAMERA";
  Visible = false;
}

void TECamera::FillDialog(Form& form) {
  ShowPage(form, "TabSheetCamera");
  FillEntityNames(form, "CBCameraTarget", typus::Camera);
  dialog_values::ShowListIndex(form, "CBCameraTypus", CameraTypus);
  Engine.ShowFloat(form, "EditCameraRadiusX", RadiusX);
  Engine.ShowFloat(form, "EditCameraRadiusZ", RadiusZ);
  Engine.ShowFloat(form, "EditCameraRotationFactor", RotationFactor);
  Engine.ShowFloat(form, "EditCameraMovementFactor", MovementFactor);
  Engine.ShowFloat(form, "EditCameraFOV", ZoomFactor);
  ShowName(form, "CBCameraTarget", Target);
  Engine.ShowFloat(form, "EditCameraMovementSpeed", MovementSpeed);
  Engine.ShowFloat(form, "EditCameraXmin", ZoneMinX);
  Engine.ShowFloat(form, "EditCameraZmin", ZoneMinZ);
  Engine.ShowFloat(form, "EditCameraXMax", ZoneMaxX);
  Engine.ShowFloat(form, "EditCameraZMax", ZoneMaxZ);
}

void TECamera::ReadDialog(Form& form) {
  auto block = entity_dialog::Conversions(Engine, form);
  CameraTypus = dialog_values::ReadListIndex(form, "CBCameraTypus", CameraTypus);
  if (!block.Float("EditCameraRadiusX", RadiusX) || !block.Float("EditCameraRadiusZ", RadiusZ) ||
      !block.Float("EditCameraRotationFactor", RotationFactor) ||
      !block.Float("EditCameraMovementFactor", MovementFactor) || !block.Float("EditCameraFOV", ZoomFactor))
    return;
  ReadName(form, "CBCameraTarget", Target);
  if (!block.Float("EditCameraMovementSpeed", MovementSpeed)) return;
  Engine.ReadFloat(form, "EditCameraXmin", ZoneMinX);
  Engine.ReadFloat(form, "EditCameraZmin", ZoneMinZ);
  Engine.ReadFloat(form, "EditCameraXMax", ZoneMaxX);
  Engine.ReadFloat(form, "EditCameraZMax", ZoneMaxZ);
}

void TECamera::WriteRecord(BinaryWriter& file) {
  file.WriteI16(CameraTypus);
  file.WriteF32(RadiusX);
  file.WriteF32(RadiusZ);
  file.WriteF32(RotationFactor);
  file.WriteF32(MovementFactor);
  file.WriteF32(ZoomFactor);
  file.WriteString(Target);
  file.WriteF32(MovementSpeed);
  file.WriteF32(ZoneMinX);
  file.WriteF32(ZoneMinZ);
  file.WriteF32(ZoneMaxX);
  file.WriteF32(ZoneMaxZ);
}

void TECamera::ReadRecord(BinaryReader& file) {
  CameraTypus = file.ReadI16();
  RadiusX = file.ReadF32();
  RadiusZ = file.ReadF32();
  RotationFactor = file.ReadF32();
  MovementFactor = file.ReadF32();
  ZoomFactor = file.ReadF32();
  Target = file.ReadString<32>();
  MovementSpeed = file.ReadF32();
  ZoneMinX = file.ReadF32();
  ZoneMinZ = file.ReadF32();
  ZoneMaxX = file.ReadF32();
  ZoneMaxZ = file.ReadF32();
  if (ZoneMinX == 0.0f && ZoneMinZ == 0.0f && ZoneMaxX == 0.0f && ZoneMaxZ == 0.0f) {
    ZoneMinX = Position.x - RadiusX;
    ZoneMinZ = Position.z - RadiusZ;
    ZoneMaxX = Position.x + RadiusX;
    ZoneMaxZ = Position.z + RadiusZ;
  }
}

void TECamera::Bind() {
  ResolveModel();
  ClearLinks();
  AddLink(Target);
}

bool TECamera::ZoneContains(const TVector& point) const {
  return Room().Camera.Mode == TopView && point.x >= ZoneMinX - ZonePickMargin &&
         point.x <= ZoneMaxX + ZonePickMargin && point.z >= ZoneMinZ - ZonePickMargin &&
         point.z <= ZoneMaxZ + ZonePickMargin;
}

void TECamera::DescribeFields(FieldSink& sink) const {
  sink.Field("CameraTypus", CameraTypus);
  sink.Field("RadiusX", RadiusX);
  sink.Field("RadiusZ", RadiusZ);
  sink.Field("RotationFactor", RotationFactor);
  sink.Field("MovementFactor", MovementFactor);
  sink.Field("ZoomFactor", ZoomFactor);
  sink.Field("Target", Target);
  sink.Field("MovementSpeed", MovementSpeed);
  sink.Field("ZoneMinX", ZoneMinX);
  sink.Field("ZoneMinZ", ZoneMinZ);
  sink.Field("ZoneMaxX", ZoneMaxX);
  sink.Field("ZoneMaxZ", ZoneMaxZ);
}
