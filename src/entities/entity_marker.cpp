#include "entities/entity_marker.h"

#include "engine/edit_engine.h"
#include "entities/entity_dialog.h"
#include "entities/entity_typus.h"
#include "entities/field_sink.h"

using namespace entity_dialog;

TEMarker::TEMarker(TQZEngine& engine) : TEntity(engine) {
  Name = "MARKER";
  Typus = typus::Marker;
  ModelName = "EDITOR_MARKER";
  Visible = false;
}

void TEMarker::FillDialog(Form& form) {
  ShowPage(form, "TabSheetMarker");
  FillEntityNames(form, "CBMarkerTarget", typus::Marker);
  FillEntityNames(form, "CBMarkerTrigger", typus::Trigger);
  ShowName(form, "CBMarkerTarget", TargetMarker);
  Engine.ShowFloat(form, "EditMarkerDelay", Delay);
  ShowName(form, "CBMarkerTrigger", TriggerOnEnter);
}

void TEMarker::ReadDialog(Form& form) {
  auto block = entity_dialog::Conversions(Engine, form);
  ReadName(form, "CBMarkerTarget", TargetMarker);
  if (!block.Float("EditMarkerDelay", Delay)) return;
  ReadName(form, "CBMarkerTrigger", TriggerOnEnter);
}

void TEMarker::WriteRecord(BinaryWriter& file) {
  file.WriteString(TargetMarker);
  file.WriteF32(Delay);
  file.WriteString(TriggerOnEnter);
}

void TEMarker::ReadRecord(BinaryReader& file) {
  TargetMarker = file.ReadString<32>();
  Delay = file.ReadF32();
  TriggerOnEnter = file.ReadString<32>();
}

void TEMarker::Bind() {
  ResolveModel();
  ClearLinks();
  AddLink(TargetMarker);
  AddLink(TriggerOnEnter);
}

void TEMarker::DescribeFields(FieldSink& sink) const {
  sink.Field("TargetMarker", TargetMarker);
  sink.Field("Delay", Delay);
  sink.Field("TriggerOnEnter", TriggerOnEnter);
}
