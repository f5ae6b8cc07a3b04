#include "entities/entity_portal.h"

#include "engine/edit_engine.h"
#include "entities/entity_dialog.h"
#include "entities/entity_typus.h"
#include "entities/field_sink.h"

using namespace entity_dialog;

TEPortal::TEPortal(TQZEngine& engine) : TEntity(engine) {
  Name = "PORTAL";
  Typus = typus::Portal;
  ModelName = "EDITOR_PORTAL";
  Visible = false;
}

void TEPortal::FillDialog(Form& form) {
  ShowPage(form, "TabSheetPortal");
  FillEntityNames(form, "CBPortalToMarker", typus::Marker);
  FillEntityNames(form, "CBPortalTarget", AnyTypus);
  FillEntityNames(form, "CBPortalSound", typus::Sound);
  ShowName(form, "CBPortalToRoom", ToRoom);
  ShowName(form, "CBPortalToMarker", ToMarker);
  Engine.ShowFloat(form, "EditPortalDimensionsX", Dimensions.x);
  Engine.ShowFloat(form, "EditPortalDimensionsY", Dimensions.y);
  Engine.ShowFloat(form, "EditPortalDimensionsZ", Dimensions.z);
  Engine.ShowFloat(form, "EditPortalActivationDistance", ActivationDistance);
  ShowName(form, "CBPortalTarget", Target);
  ShowName(form, "EditPortalTargetAnimation", TargetAnimation);
  Engine.ShowFloat(form, "EditPortalTargetSpeed", TargetSpeed);
  ShowName(form, "CBPortalSound", Sound);
}

void TEPortal::ReadDialog(Form& form) {
  auto block = entity_dialog::Conversions(Engine, form);
  ReadName(form, "CBPortalToRoom", ToRoom);
  ReadName(form, "CBPortalToMarker", ToMarker);
  if (!block.Vector("EditPortalDimensionsX", "EditPortalDimensionsY", "EditPortalDimensionsZ", Dimensions) ||
      !block.Float("EditPortalActivationDistance", ActivationDistance))
    return;
  ReadName(form, "CBPortalTarget", Target);
  ReadName(form, "EditPortalTargetAnimation", TargetAnimation);
  if (!block.Float("EditPortalTargetSpeed", TargetSpeed)) return;
  ReadName(form, "CBPortalSound", Sound);
}

void TEPortal::WriteRecord(BinaryWriter& file) {
  file.WriteString(ToRoom);
  file.WriteString(ToMarker);
  file.WriteVector(Dimensions);
  file.WriteF32(ActivationDistance);
  file.WriteString(Target);
  file.WriteString(TargetAnimation);
  file.WriteF32(TargetSpeed);
  file.WriteString(Sound);
}

void TEPortal::ReadRecord(BinaryReader& file) {
  ToRoom = file.ReadString<255>();
  ToMarker = file.ReadString<32>();
  Dimensions = file.ReadVector();
  ActivationDistance = file.ReadF32();
  Target = file.ReadString<32>();
  TargetAnimation = file.ReadString<32>();
  TargetSpeed = file.ReadF32();
  Sound = file.ReadString<32>();
}

void TEPortal::Bind() {
  ResolveModel();
  ClearLinks();
  AddLink(Target);
  AddLink(Sound);
}

void TEPortal::DescribeFields(FieldSink& sink) const {
  sink.Field("ToRoom", ToRoom);
  sink.Field("ToMarker", ToMarker);
  sink.Field("Dimensions", Dimensions);
  sink.Field("ActivationDistance", ActivationDistance);
  sink.Field("Target", Target);
  sink.Field("TargetAnimation", TargetAnimation);
  sink.Field("TargetSpeed", TargetSpeed);
  sink.Field("Sound", Sound);
}
