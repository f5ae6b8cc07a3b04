#include "entities/entity_tilemover.h"

#include "engine/edit_engine.h"
#include "entities/entity_dialog.h"
#include "entities/entity_typus.h"
#include "entities/field_sink.h"

using namespace entity_dialog;

TETileMover::TETileMover(TQZEngine& engine) : TEntity(engine) {
  Name = "TILEMOVER";
  Typus = typus::TileMover;
  ModelName = "EDITOR_TILEMOVER";
  Visible = false;
}

void TETileMover::FillDialog(Form& form) {
  ShowPage(form, "TabSheetTileMover");
  // Only plain tiles are offered; a door typed by hand is still stored and linked.
  FillEntityNames(form, "CBTileMoverTarget", typus::Tile);
  FillEntityNames(form, "CBTileMoverMarker", typus::Marker);
  ShowName(form, "CBTileMoverTarget", Target);
  Engine.ShowFloat(form, "EditTileMoverDelay", Delay);
  ShowName(form, "CBTileMoverMarker", Marker);
  Engine.ShowFloat(form, "EditTileMoverSpeed", Speed);
  Engine.ShowFloat(form, "EditTileMoverRotateSpeed", RotateSpeed);
}

void TETileMover::ReadDialog(Form& form) {
  ReadName(form, "CBTileMoverTarget", Target);
  Engine.ReadFloat(form, "EditTileMoverDelay", Delay);
  ReadName(form, "CBTileMoverMarker", Marker);
  Engine.ReadFloat(form, "EditTileMoverSpeed", Speed);
  Engine.ReadFloat(form, "EditTileMoverRotateSpeed", RotateSpeed);
}

void TETileMover::WriteRecord(BinaryWriter& file) {
  file.WriteString(Target);
  file.WriteF32(Delay);
  file.WriteString(Marker);
  file.WriteF32(Speed);
  file.WriteF32(RotateSpeed);
}

void TETileMover::ReadRecord(BinaryReader& file) {
  Target = file.ReadString<32>();
  Delay = file.ReadF32();
  Marker = file.ReadString<32>();
  Speed = file.ReadF32();
  RotateSpeed = file.ReadF32();
}

void TETileMover::Bind() {
  ResolveModel();
  ClearLinks();
  AddLink(Target);
  AddLink(Marker);
}

void TETileMover::DescribeFields(FieldSink& sink) const {
  sink.Field("Target", Target);
  sink.Field("Delay", Delay);
  sink.Field("Marker", Marker);
  sink.Field("Speed", Speed);
  sink.Field("RotateSpeed", RotateSpeed);
}
