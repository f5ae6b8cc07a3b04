#include "entities/entity_animation.h"

#include <string>

#include "engine/edit_engine.h"
#include "entities/entity_typus.h"
#include "entities/record_fields.h"

TEAnimation::TEAnimation(TQZEngine& engine) : TEntity(engine) {
  Name = "ANIMATION";
  Typus = typus::Animation;
  ModelName = "EDITOR_ANIMATION";
  Visible = false;
}

void TEAnimation::VisitFields(RecordVisitor& visitor) {
  visitor.Page("TabSheetEAnimation", "Animation");
  visitor.Text(AnimationName, {"AnimationName", "EditEAnimationName", "Name:"});
  visitor.List(Direction, {"Direction", "CBEAnimationDirection", "Direction:"});
  visitor.Number(Speed, {"Speed", "EditEAnimationSpeed", "Speed:"});
  visitor.Check(Loop, {"Loop", "CheckBoxEAnimationLoop", "Loop:"});
  visitor.Names(Targets, {"Targets", "CBEAnimationTarget", "Target", {}, AnyTypus});
}

void TEAnimation::Bind() {
  ResolveModel();
  ClearLinks();
  for (auto& target : Targets) AddLink(target);
}

