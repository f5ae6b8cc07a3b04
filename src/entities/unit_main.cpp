#include "entities/unit_main.h"

#include "engine/edit_engine.h"
#include "entities/entity_typus.h"
#include "entities/record_fields.h"

namespace {
constexpr int HealthSpread = 5;
}  // namespace

TEUnit::TEUnit(TQZEngine& engine, const Enemy& enemy)
    : TEntity(engine, enemy.kind), sheet_(enemy.sheet), caption_(enemy.caption) {
  ApplyLighting = true;
  Health = static_cast<std::int16_t>(enemy.baseHealth + Engine.Random(HealthSpread));
}

void TEUnit::VisitFields(RecordVisitor& visitor) {
  visitor.Page("TabSheetUnit", "Unit");
  visitor.List(EnemyVariable, {"EnemyVariable", "CBUnitVariable", "Enemy-Variable:", {}, {}, "enemy.ini"});
  Condition.Visit(visitor, {"Condition", "CBUnitCondition", "CBUnitConditionType", "CBUnitConditionParameter",
                            "If Variable:", "Is:"});
  visitor.List(Behavior, {"Behavior", "CBUnitBehavior", "Behavior:"});
  visitor.Check(CanSee, {"CanSee", "CheckBoxUnitCanSee", "Can see:"});
  visitor.Check(CanHear, {"CanHear", "CheckBoxUnitCanHear", "Can hear:"});
  visitor.Check(CanMove, {"CanMove", "CheckBoxUnitCanMove", "Can move:"});
  visitor.Check(CanAttack, {"CanAttack", "CheckBoxUnitCanAttack", "Can attack:"});
  visitor.Text(MovementTarget, {"MovementTarget", "CBUnitMovementTarget", "Movement Target:", {}, typus::Marker});
  visitor.Text(AttackTarget, {"AttackTarget", "CBUnitAttackTarget", "Attack Target:", {}, AnyTypus});
  visitor.Text(OnRecognize, {"OnRecognize", "CBUnitOnRecognize", "OnRecognize:", {}, typus::Trigger});
  visitor.Text(OnDamage, {"OnDamage", "CBUnitOnDamage", "OnDamage:", {}, typus::Trigger});
  visitor.Text(OnDeath, {"OnDeath", "CBUnitOnDeath", "OnDeath:", {}, typus::Trigger});
  visitor.Page(sheet_, caption_);
}

// The enemy box lists enemy.ini's table, which may change between openings.
void TEUnit::FillDialog(Form& form) {
  Engine.FillEnemyCombo(form, "CBUnitVariable");
  TEntity::FillDialog(form);
}
