#include "entities/entity_animation.h"

#include <string>

#include "engine/edit_engine.h"
#include "entities/entity_typus.h"
#include "entities/record_fields.h"

TEAnimation::TEAnimation(TQZEngine& engine) : TEntity(engine, {"ANIMATION", typus::Animation, "EDITOR_ANIMATION", false}) {}

void TEAnimation::VisitFields(RecordVisitor& visitor) {
  visitor.Page("TabSheetEAnimation", "Animation");
  visitor.Text(AnimationName, {"AnimationName", "EditEAnimationName", "Name:"});
  visitor.List(Direction, {"Direction", "CBEAnimationDirection", "Direction:"});
  visitor.Number(Speed, {"Speed", "EditEAnimationSpeed", "Speed:"});
  visitor.Check(Loop, {"Loop", "CheckBoxEAnimationLoop", "Loop:"});
  visitor.Names(Targets, {"Targets", "CBEAnimationTarget", "Target", {}, AnyTypus});
}
