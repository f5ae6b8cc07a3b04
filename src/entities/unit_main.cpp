#include "entities/unit_main.h"

#include "core/dialog_values.h"
#include "engine/edit_engine.h"
#include "entities/entity_dialog.h"
#include "entities/entity_typus.h"
#include "entities/field_sink.h"

using namespace entity_dialog;

namespace {
constexpr VariableBoxes ConditionBoxes{"CBUnitCondition", "CBUnitConditionType", "CBUnitConditionParameter"};
constexpr int HealthSpread = 5;
}  // namespace

TEUnit::TEUnit(TQZEngine& engine) : TEntity(engine) {
  Name = "UNIT";
  Typus = typus::Unit;
  ModelName = "EDITOR_TRIGGER";
  ApplyLighting = true;
}

std::int16_t TEUnit::RandomHealth(int base) { return static_cast<std::int16_t>(base + Engine.Random(HealthSpread)); }

void TEUnit::FillDialog(Form& form) {
  ShowPage(form, "TabSheetUnit");
  Condition.Fill(Engine, form, ConditionBoxes);
  Engine.FillEnemyCombo(form, "CBUnitVariable");
  FillEntityNames(form, "CBUnitMovementTarget", typus::Marker);
  FillEntityNames(form, "CBUnitAttackTarget", AnyTypus);
  FillEntityNames(form, "CBUnitOnRecognize", typus::Trigger);
  FillEntityNames(form, "CBUnitOnDamage", typus::Trigger);
  FillEntityNames(form, "CBUnitOnDeath", typus::Trigger);
  dialog_values::ShowListIndex(form, "CBUnitVariable", EnemyVariable);
  dialog_values::ShowListIndex(form, "CBUnitBehavior", Behavior);
  form.SetChecked("CheckBoxUnitCanSee", CanSee);
  form.SetChecked("CheckBoxUnitCanHear", CanHear);
  form.SetChecked("CheckBoxUnitCanMove", CanMove);
  form.SetChecked("CheckBoxUnitCanAttack", CanAttack);
  ShowName(form, "CBUnitMovementTarget", MovementTarget);
  ShowName(form, "CBUnitAttackTarget", AttackTarget);
  ShowName(form, "CBUnitOnRecognize", OnRecognize);
  ShowName(form, "CBUnitOnDamage", OnDamage);
  ShowName(form, "CBUnitOnDeath", OnDeath);
}

void TEUnit::ReadDialog(Form& form) {
  EnemyVariable = dialog_values::ReadListIndex(form, "CBUnitVariable", EnemyVariable);
  Condition.ReadBack(form, ConditionBoxes);
  Behavior = dialog_values::ReadListIndex(form, "CBUnitBehavior", Behavior);
  CanSee = form.Checked("CheckBoxUnitCanSee");
  CanHear = form.Checked("CheckBoxUnitCanHear");
  CanMove = form.Checked("CheckBoxUnitCanMove");
  CanAttack = form.Checked("CheckBoxUnitCanAttack");
  ReadName(form, "CBUnitMovementTarget", MovementTarget);
  ReadName(form, "CBUnitAttackTarget", AttackTarget);
  ReadName(form, "CBUnitOnRecognize", OnRecognize);
  ReadName(form, "CBUnitOnDamage", OnDamage);
  ReadName(form, "CBUnitOnDeath", OnDeath);
}

void TEUnit::WriteRecord(BinaryWriter& file) {
  file.WriteI16(EnemyVariable);
  Condition.Write(file);
  file.WriteI16(Behavior);
  file.WriteBool(CanSee);
  file.WriteBool(CanHear);
  file.WriteBool(CanMove);
  file.WriteBool(CanAttack);
  file.WriteString(MovementTarget);
  file.WriteString(AttackTarget);
  file.WriteString(OnRecognize);
  file.WriteString(OnDamage);
  file.WriteString(OnDeath);
}

void TEUnit::ReadRecord(BinaryReader& file) {
  EnemyVariable = file.ReadI16();
  Condition.Read(file);
  Behavior = file.ReadI16();
  CanSee = file.ReadBool();
  CanHear = file.ReadBool();
  CanMove = file.ReadBool();
  CanAttack = file.ReadBool();
  MovementTarget = file.ReadString<32>();
  AttackTarget = file.ReadString<32>();
  OnRecognize = file.ReadString<32>();
  OnDamage = file.ReadString<32>();
  OnDeath = file.ReadString<32>();
}

void TEUnit::Bind() {
  ResolveModel();
  ClearLinks();
  AddLink(MovementTarget);
  AddLink(AttackTarget);
  AddLink(OnRecognize);
  AddLink(OnDamage);
  AddLink(OnDeath);
}

void TEUnit::DescribeFields(FieldSink& sink) const {
  sink.Field("EnemyVariable", EnemyVariable);
  Condition.Describe(sink, "Condition");
  sink.Field("Behavior", Behavior);
  sink.Field("CanSee", CanSee);
  sink.Field("CanHear", CanHear);
  sink.Field("CanMove", CanMove);
  sink.Field("CanAttack", CanAttack);
  sink.Field("MovementTarget", MovementTarget);
  sink.Field("AttackTarget", AttackTarget);
  sink.Field("OnRecognize", OnRecognize);
  sink.Field("OnDamage", OnDamage);
  sink.Field("OnDeath", OnDeath);
}
