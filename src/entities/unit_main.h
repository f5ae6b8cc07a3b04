#pragma once
// What every creature of a room shares: perception, movement, attack, the triggers
// fired on its recognition, damage and death, and the condition it takes part under.

#include "entities/edit_entity.h"
#include "entities/variable_record.h"

class TEUnit : public TEntity {
public:
  // An enemy kind: its defaults, its starting health before a random 0 to 4 is added,
  // and its own dialog page, which has no controls and only names the kind.
  struct Enemy {
    Kind kind;
    int baseHealth;
    std::string_view sheet, caption;
  };
  TEUnit(TQZEngine& engine, const Enemy& enemy);

  std::int16_t EnemyVariable = 0;
  TVariableCondition Condition;
  std::int16_t Behavior = 0;
  bool CanSee = true;
  bool CanHear = true;
  bool CanMove = true;
  bool CanAttack = true;
  String32 MovementTarget;
  String32 AttackTarget;
  String32 OnRecognize;
  String32 OnDamage;
  String32 OnDeath;

  void VisitFields(RecordVisitor& visitor) override;
  void FillDialog(Form& form) override;

  std::string_view ClassName() const override { return "TEUnit"; }

private:
  std::string_view sheet_, caption_;
};
