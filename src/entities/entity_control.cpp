#include "entities/entity_control.h"

#include "engine/edit_engine.h"
#include "entities/entity_typus.h"
#include "entities/record_fields.h"

TEControl::TEControl(TQZEngine& engine) : TEntity(engine, {"CONTROL", typus::Control, "EDITOR_CONTROL", false}) {}

void TEControl::VisitFields(RecordVisitor& visitor) {
  visitor.Page("TabSheetControl", "Control");
  visitor.List(GameStatus, {"GameStatus", "CBControlStatus", "Game Status:"});
  visitor.List(Action, {"Action", "CBControlAction", "Action:"});
  visitor.Number(Delay, {"Delay", "EditControlDelay", "Delay (s):"});
  visitor.Number(Duration, {"Duration", "EditControlDuration", "Duration (s):"});
  visitor.Text(NextControl, {"NextControl", "CBControlNext", "Next Control:", {}, typus::Control});
}
