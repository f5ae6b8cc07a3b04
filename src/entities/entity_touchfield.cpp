#include "entities/entity_touchfield.h"

#include "engine/edit_engine.h"
#include "entities/entity_typus.h"
#include "entities/record_fields.h"

TETouchField::TETouchField(TQZEngine& engine) : TEntity(engine, {"TOUCHFIELD", typus::TouchField, "EDITOR_TOUCHFIELD", false}) {}

void TETouchField::VisitFields(RecordVisitor& visitor) {
  visitor.Page("TabSheetTouchfield", "Touchfield");
  visitor.Vector(Dimensions, {"Dimensions", "EditTouchfieldDimensions", "Dimensions:"});
  visitor.Text(OnEnter, {"OnEnter", "CBTouchFieldOnEnter", "On Enter:", {}, typus::Trigger});
  visitor.Text(OnExit, {"OnExit", "CBTouchFieldOnExit", "On Exit:", {}, typus::Trigger});
  visitor.Number(Activations, {"Activations", "EditTouchFieldActivations", "Activations:"});
  visitor.Check(ByHero, {"ByHero", "CheckBoxTouchFieldByHero", "By hero:"});
  visitor.Check(ByAll, {"ByAll", "CheckBoxTouchFieldByAll", "By all:"});
  visitor.Text(ByEntity, {"ByEntity", "CBTouchFieldByEntity", "By Entity:", {}, AnyTypus});
}
