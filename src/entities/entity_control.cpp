#include "entities/entity_control.h"

#include "core/dialog_values.h"
#include "engine/edit_engine.h"
#include "entities/entity_dialog.h"
#include "entities/entity_typus.h"
#include "entities/field_sink.h"

using namespace entity_dialog;

TEControl::TEControl(TQZEngine& engine) : TEntity(engine) {
  Name = "CONTROL";
  Typus = typus::Control;
  ModelName = "EDITOR_CONTROL";
  Visible = false;
}

void TEControl::FillDialog(Form& form) {
  ShowPage(form, "TabSheetControl");
  FillEntityNames(form, "CBControlNext", typus::Control);
  dialog_values::ShowListIndex(form, "CBControlStatus", GameStatus);
  dialog_values::ShowListIndex(form, "CBControlAction", Action);
  Engine.ShowFloat(form, "EditControlDelay", Delay);
  Engine.ShowFloat(form, "EditControlDuration", Duration);
  ShowName(form, "CBControlNext", NextControl);
}

void TEControl::ReadDialog(Form& form) {
  GameStatus = dialog_values::ReadListIndex(form, "CBControlStatus", GameStatus);
  Action = dialog_values::ReadListIndex(form, "CBControlAction", Action);
  Engine.ReadFloat(form, "EditControlDelay", Delay);
  Engine.ReadFloat(form, "EditControlDuration", Duration);
  ReadName(form, "CBControlNext", NextControl);
}

void TEControl::WriteRecord(BinaryWriter& file) {
  file.WriteI16(GameStatus);
  file.WriteI16(Action);
  file.WriteF32(Delay);
  file.WriteF32(Duration);
  file.WriteString(NextControl);
}

void TEControl::ReadRecord(BinaryReader& file) {
  GameStatus = file.ReadI16();
  Action = file.ReadI16();
  Delay = file.ReadF32();
  Duration = file.ReadF32();
  NextControl = file.ReadString<32>();
}

void TEControl::Bind() {
  ResolveModel();
  ClearLinks();
  AddLink(NextControl);
}

void TEControl::DescribeFields(FieldSink& sink) const {
  sink.Field("GameStatus", GameStatus);
  sink.Field("Action", Action);
  sink.Field("Delay", Delay);
  sink.Field("Duration", Duration);
  sink.Field("NextControl", NextControl);
}
