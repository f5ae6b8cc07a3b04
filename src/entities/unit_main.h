#pragma once
// What every creature of a room shares: perception, movement, attack, the triggers
// fired on its recognition, damage and death, and the condition it takes part under.

#include "entities/edit_entity.h"
#include "entities/variable_record.h"

class TEUnit : public TEntity {
public:
  static constexpr std::size_t BodySize = 179;

  explicit TEUnit(TQZEngine& engine);

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
  void Bind() override;

  std::string_view ClassName() const override { return "TEUnit"; }

protected:
  // Starting health of an enemy kind: base plus a random whole number 0 to 4.
  std::int16_t RandomHealth(int base);
};
