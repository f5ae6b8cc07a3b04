#include "entities/entity_trigger.h"

#include <string>

#include "engine/edit_engine.h"
#include "entities/entity_typus.h"
#include "entities/record_fields.h"

TETrigger::TETrigger(TQZEngine& engine) : TEntity(engine, {"TRIGGER", typus::Trigger, "EDITOR_TRIGGER", false}) {}

void TETrigger::VisitFields(RecordVisitor& visitor) {
  visitor.Page("TabSheetTrigger", "Trigger");
  visitor.Number(CountDown, {"CountDown", "EditTriggerCountDown", "Countdown:", Conversion::Block});
  visitor.Check(ShowCountDown, {"ShowCountDown", "CheckBoxTriggerShowCountDown", "Show:"});
  visitor.Number(Delay, {"Delay", "EditTriggerDelay", "Delay (s):", Conversion::Block});
  visitor.Number(Activations, {"Activations", "EditTriggerActivations", "Activations:", Conversion::Block});
  Condition.Visit(visitor, {"Condition", "CBTriggerCondition", "CBTriggerConditionType", "CBTriggerConditionParameter",
                            "If Variable:", "Is:"});
  visitor.List(Action, {"Action", "CBTriggerAction", "Action:"});
  visitor.Names(Targets, {"Targets", "CBTriggerTarget", "Target", {}, AnyTypus});
}
