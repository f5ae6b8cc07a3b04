#include "entities/entity_animation.h"

#include <string>

#include "core/dialog_values.h"
#include "engine/edit_engine.h"
#include "entities/entity_dialog.h"
#include "entities/entity_typus.h"
#include "entities/field_sink.h"

using namespace entity_dialog;

namespace {
std::string TargetBox(int index) { return "CBEAnimationTarget" + std::to_string(index + 1); }
}  // namespace

TEAnimation::TEAnimation(TQZEngine& engine) : TEntity(engine) {
  Name = "ANIMATION";
  Typus = typus::Animation;
  ModelName = "EDITOR_ANIMATION";
  Visible = false;
}

void TEAnimation::FillDialog(Form& form) {
  ShowPage(form, "TabSheetEAnimation");
  ShowName(form, "EditEAnimationName", AnimationName);
  dialog_values::ShowListIndex(form, "CBEAnimationDirection", Direction);
  Engine.ShowFloat(form, "EditEAnimationSpeed", Speed);
  form.SetChecked("CheckBoxEAnimationLoop", Loop);
  for (int i = 0; i < TargetCount; ++i) {
    FillEntityNames(form, TargetBox(i), AnyTypus);
    ShowName(form, TargetBox(i), Targets[i]);
  }
}

void TEAnimation::ReadDialog(Form& form) {
  ReadName(form, "EditEAnimationName", AnimationName);
  Direction = dialog_values::ReadListIndex(form, "CBEAnimationDirection", Direction);
  Engine.ReadFloat(form, "EditEAnimationSpeed", Speed);
  Loop = form.Checked("CheckBoxEAnimationLoop");
  for (int i = 0; i < TargetCount; ++i) ReadName(form, TargetBox(i), Targets[i]);
}

void TEAnimation::WriteRecord(BinaryWriter& file) {
  file.WriteString(AnimationName);
  file.WriteI16(Direction);
  file.WriteF32(Speed);
  file.WriteBool(Loop);
  for (const auto& target : Targets) file.WriteString(target);
}

void TEAnimation::ReadRecord(BinaryReader& file) {
  AnimationName = file.ReadString<32>();
  Direction = file.ReadI16();
  Speed = file.ReadF32();
  Loop = file.ReadBool();
  for (auto& target : Targets) target = file.ReadString<32>();
}

void TEAnimation::Bind() {
  ResolveModel();
  ClearLinks();
  for (auto& target : Targets) AddLink(target);
}

void TEAnimation::DescribeFields(FieldSink& sink) const {
  sink.Field("AnimationName", AnimationName);
  sink.Field("Direction", Direction);
  sink.Field("Speed", Speed);
  sink.Field("Loop", Loop);
  sink.List("Targets", Targets);
}
