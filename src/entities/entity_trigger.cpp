#include "entities/entity_trigger.h"

#include <string>

#include "core/dialog_values.h"
#include "engine/edit_engine.h"
#include "entities/entity_dialog.h"
#include "entities/entity_typus.h"
#include "entities/field_sink.h"

using namespace entity_dialog;

namespace {
constexpr VariableBoxes ConditionBoxes{"CBTriggerCondition", "CBTriggerConditionType",
                                       "CBTriggerConditionParameter"};

std::string TargetBox(int index) { return "CBTriggerTarget" + std::to_string(index + 1); }
}  // namespace

TETrigger::TETrigger(TQZEngine& engine) : TEntity(engine) {
  Name = "TRIGGER";
  Typus = typus::Trigger;
  ModelName = "EDITOR_TRIGGER";
  Visible = false;
}

void TETrigger::FillDialog(Form& form) {
  ShowPage(form, "TabSheetTrigger");
  Condition.Fill(Engine, form, ConditionBoxes);
  Engine.ShowInt(form, "EditTriggerCountDown", CountDown);
  form.SetChecked("CheckBoxTriggerShowCountDown", ShowCountDown);
  Engine.ShowFloat(form, "EditTriggerDelay", Delay);
  Engine.ShowInt(form, "EditTriggerActivations", Activations);
  dialog_values::ShowListIndex(form, "CBTriggerAction", Action);
  for (int i = 0; i < TargetCount; ++i) {
    FillEntityNames(form, TargetBox(i), AnyTypus);
    ShowName(form, TargetBox(i), Targets[i]);
  }
}

void TETrigger::ReadDialog(Form& form) {
  auto block = entity_dialog::Conversions(Engine, form);
  if (!block.Int("EditTriggerCountDown", CountDown)) return;
  ShowCountDown = form.Checked("CheckBoxTriggerShowCountDown");
  if (!block.Float("EditTriggerDelay", Delay) || !block.Int("EditTriggerActivations", Activations)) return;
  Condition.ReadBack(form, ConditionBoxes);
  Action = dialog_values::ReadListIndex(form, "CBTriggerAction", Action);
  for (int i = 0; i < TargetCount; ++i) ReadName(form, TargetBox(i), Targets[i]);
}

void TETrigger::WriteRecord(BinaryWriter& file) {
  file.WriteI16(CountDown);
  file.WriteBool(ShowCountDown);
  file.WriteF32(Delay);
  file.WriteI16(Activations);
  Condition.Write(file);
  file.WriteI16(Action);
  for (const auto& target : Targets) file.WriteString(target);
}

void TETrigger::ReadRecord(BinaryReader& file) {
  CountDown = file.ReadI16();
  ShowCountDown = file.ReadBool();
  Delay = file.ReadF32();
  Activations = file.ReadI16();
  Condition.Read(file);
  Action = file.ReadI16();
  for (auto& target : Targets) target = file.ReadString<32>();
}

void TETrigger::Bind() {
  ResolveModel();
  ClearLinks();
  for (auto& target : Targets) AddLink(target);
}

void TETrigger::DescribeFields(FieldSink& sink) const {
  sink.Field("CountDown", CountDown);
  sink.Field("ShowCountDown", ShowCountDown);
  sink.Field("Delay", Delay);
  sink.Field("Activations", Activations);
  Condition.Describe(sink, "Condition");
  sink.Field("Action", Action);
  sink.List("Targets", Targets);
}
