#include "entities/entity_message.h"

#include "engine/edit_engine.h"
#include "entities/entity_dialog.h"
#include "entities/entity_typus.h"
#include "entities/field_sink.h"

using namespace entity_dialog;

TEMessage::TEMessage(TQZEngine& engine) : TEntity(engine) {
  Name = "MESSAGE";
  Typus = typus::Message;
  ModelName = "EDITOR_MESSAGE";
  Visible = false;
}

void TEMessage::FillDialog(Form& form) {
  ShowPage(form, "TabSheetMessage");
  FillEntityNames(form, "CBMessageSound", typus::Sound);
  ShowName(form, "CBMessageText", MessageFile);
  ShowName(form, "CBMessageSound", Sound);
  Engine.ShowFloat(form, "EditMessageDelay", Delay);
}

void TEMessage::ReadDialog(Form& form) {
  ReadName(form, "CBMessageText", MessageFile);
  ReadName(form, "CBMessageSound", Sound);
  Engine.ReadFloat(form, "EditMessageDelay", Delay);
}

void TEMessage::WriteRecord(BinaryWriter& file) {
  file.WriteString(MessageFile);
  file.WriteString(Sound);
  file.WriteF32(Delay);
}

void TEMessage::ReadRecord(BinaryReader& file) {
  MessageFile = file.ReadString<255>();
  Sound = file.ReadString<32>();
  Delay = file.ReadF32();
}

void TEMessage::Bind() {
  ResolveModel();
  ClearLinks();
  AddLink(Sound);
}

void TEMessage::DescribeFields(FieldSink& sink) const {
  sink.Field("MessageFile", MessageFile);
  sink.Field("Sound", Sound);
  sink.Field("Delay", Delay);
}
