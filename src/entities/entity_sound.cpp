#include "entities/entity_sound.h"

#include "core/dialog_values.h"
#include "engine/edit_engine.h"
#include "entities/entity_dialog.h"
#include "entities/entity_typus.h"
#include "entities/field_sink.h"

using namespace entity_dialog;

TESound::TESound(TQZEngine& engine) : TEntity(engine) {
  Name = "SOUND";
  Typus = typus::Sound;
  ModelName = "EDITOR_SOUND";
  Visible = false;
}

// The sound file box keeps the list loaded at start-up; only its text is set here.
void TESound::FillDialog(Form& form) {
  ShowPage(form, "TabSheetSound");
  FillEntityNames(form, "CBSoundSourceEntity", AnyTypus);
  ShowName(form, "CBSoundSound", SoundFile);
  Engine.ShowInt(form, "EditSoundVolume", Volume);
  Engine.ShowFloat(form, "EditSoundSpeed", Speed);
  form.SetChecked("CheckBoxSoundLoop", Loop);
  dialog_values::ShowListIndex(form, "CBSoundSource", Source);
  ShowName(form, "CBSoundSourceEntity", SourceEntity);
  dialog_values::ShowListIndex(form, "CBSoundActivation", Activation);
  Engine.ShowInt(form, "EditSoundRandom", RandomPercent);
  Engine.ShowFloat(form, "EditSoundReplayTime", ReplayAfter);
}

void TESound::ReadDialog(Form& form) {
  ReadName(form, "CBSoundSound", SoundFile);
  Engine.ReadInt(form, "EditSoundVolume", Volume);
  Engine.ReadFloat(form, "EditSoundSpeed", Speed);
  Loop = form.Checked("CheckBoxSoundLoop");
  Source = dialog_values::ReadListIndex(form, "CBSoundSource", Source);
  ReadName(form, "CBSoundSourceEntity", SourceEntity);
  Activation = dialog_values::ReadListIndex(form, "CBSoundActivation", Activation);
  Engine.ReadInt(form, "EditSoundRandom", RandomPercent);
  Engine.ReadFloat(form, "EditSoundReplayTime", ReplayAfter);
}

void TESound::WriteRecord(BinaryWriter& file) {
  file.WriteString(SoundFile);
  file.WriteI16(Volume);
  file.WriteF32(Speed);
  file.WriteBool(Loop);
  file.WriteI16(Source);
  file.WriteString(SourceEntity);
  file.WriteI16(Activation);
  file.WriteI16(RandomPercent);
  file.WriteF32(ReplayAfter);
}

void TESound::ReadRecord(BinaryReader& file) {
  SoundFile = file.ReadString<255>();
  Volume = file.ReadI16();
  Speed = file.ReadF32();
  Loop = file.ReadBool();
  Source = file.ReadI16();
  SourceEntity = file.ReadString<32>();
  Activation = file.ReadI16();
  RandomPercent = file.ReadI16();
  ReplayAfter = file.ReadF32();
}

void TESound::Bind() {
  ResolveModel();
  ClearLinks();
  AddLink(SourceEntity);
}

void TESound::DescribeFields(FieldSink& sink) const {
  sink.Field("SoundFile", SoundFile);
  sink.Field("Volume", Volume);
  sink.Field("Speed", Speed);
  sink.Field("Loop", Loop);
  sink.Field("Source", Source);
  sink.Field("SourceEntity", SourceEntity);
  sink.Field("Activation", Activation);
  sink.Field("RandomPercent", RandomPercent);
  sink.Field("ReplayAfter", ReplayAfter);
}
