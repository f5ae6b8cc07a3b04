#include "entities/entity_spawner.h"

#include "core/dialog_values.h"
#include "engine/edit_engine.h"
#include "entities/entity_dialog.h"
#include "entities/entity_typus.h"
#include "entities/field_sink.h"

using namespace entity_dialog;

namespace {
// The body is stored as one aligned block: its fields sit at 4-byte (floats) and
// 2-byte (integers) boundaries, the gaps written as zeros and skipped on reading.
constexpr std::size_t GapAfterTemplate = 3;
constexpr std::size_t GapAfterPosition = 1;
constexpr std::size_t GapAtEnd = 3;

void WriteGap(BinaryWriter& file, std::size_t bytes) {
  for (std::size_t i = 0; i < bytes; ++i) file.WriteU8(0);
}
}  // namespace

TESpawner::TESpawner(TQZEngine& engine) : TEntity(engine) {
  Name = "SPAWNER";
  Typus = typus::Spawner;
  ModelName = "EDITOR_SPAWNER";
  Visible = false;
}

void TESpawner::FillDialog(Form& form) {
  ShowPage(form, "TabSheetSpawner");
  FillEntityNames(form, "CBSpawnerTemplate", AnyTypus);
  FillEntityNames(form, "CBSpawnerPosition", typus::Marker);
  FillEntityNames(form, "CBSpawnerSound", typus::Sound);
  ShowName(form, "CBSpawnerTemplate", Template);
  Engine.ShowFloat(form, "EditSpawnerDelayBeforeFirst", DelayBeforeFirst);
  Engine.ShowInt(form, "EditSpawnerTotalCount", TotalCount);
  Engine.ShowInt(form, "EditSpawnerSpawnAtOnce", SpawnAtOnce);
  Engine.ShowFloat(form, "EditSpawnerDelayInbetween", DelayInbetween);
  ShowName(form, "CBSpawnerPosition", SpawnPosition);
  dialog_values::ShowListIndex(form, "CBSpawnerEffect", SpawnEffect);
  ShowName(form, "CBSpawnerSound", Sound);
}

void TESpawner::ReadDialog(Form& form) {
  ReadName(form, "CBSpawnerTemplate", Template);
  Engine.ReadFloat(form, "EditSpawnerDelayBeforeFirst", DelayBeforeFirst);
  Engine.ReadInt(form, "EditSpawnerTotalCount", TotalCount);
  Engine.ReadInt(form, "EditSpawnerSpawnAtOnce", SpawnAtOnce);
  Engine.ReadFloat(form, "EditSpawnerDelayInbetween", DelayInbetween);
  ReadName(form, "CBSpawnerPosition", SpawnPosition);
  SpawnEffect = dialog_values::ReadListIndex(form, "CBSpawnerEffect", SpawnEffect);
  ReadName(form, "CBSpawnerSound", Sound);
}

void TESpawner::WriteRecord(BinaryWriter& file) {
  file.WriteString(Template);
  WriteGap(file, GapAfterTemplate);
  file.WriteF32(DelayBeforeFirst);
  file.WriteI16(TotalCount);
  file.WriteI16(SpawnAtOnce);
  file.WriteF32(DelayInbetween);
  file.WriteString(SpawnPosition);
  WriteGap(file, GapAfterPosition);
  file.WriteI16(SpawnEffect);
  file.WriteString(Sound);
  WriteGap(file, GapAtEnd);
}

void TESpawner::ReadRecord(BinaryReader& file) {
  Template = file.ReadString<32>();
  file.Skip(GapAfterTemplate);
  DelayBeforeFirst = file.ReadF32();
  TotalCount = file.ReadI16();
  SpawnAtOnce = file.ReadI16();
  DelayInbetween = file.ReadF32();
  SpawnPosition = file.ReadString<32>();
  file.Skip(GapAfterPosition);
  SpawnEffect = file.ReadI16();
  Sound = file.ReadString<32>();
  file.Skip(GapAtEnd);
}

void TESpawner::Bind() {
  ResolveModel();
  ClearLinks();
  AddLink(Template);
  AddLink(SpawnPosition);
  AddLink(Sound);
}

void TESpawner::DescribeFields(FieldSink& sink) const {
  sink.Field("Template", Template);
  sink.Field("DelayBeforeFirst", DelayBeforeFirst);
  sink.Field("TotalCount", TotalCount);
  sink.Field("SpawnAtOnce", SpawnAtOnce);
  sink.Field("DelayInbetween", DelayInbetween);
  sink.Field("SpawnPosition", SpawnPosition);
  sink.Field("SpawnEffect", SpawnEffect);
  sink.Field("Sound", Sound);
}
