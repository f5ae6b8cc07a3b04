#include "entities/entity_marker.h"

#include "engine/edit_engine.h"
#include "entities/entity_typus.h"
#include "entities/record_fields.h"

TEMarker::TEMarker(TQZEngine& engine) : TEntity(engine, {"MARKER", typus::Marker, "EDITOR_MARKER", false}) {}

void TEMarker::VisitFields(RecordVisitor& visitor) {
  visitor.Page("TabSheetMarker", "Marker");
  visitor.Text(TargetMarker, {"TargetMarker", "CBMarkerTarget", "Target Marker:", {}, typus::Marker});
  visitor.Number(Delay, {"Delay", "EditMarkerDelay", "Delay (s):", Conversion::Block});
  visitor.Text(TriggerOnEnter, {"TriggerOnEnter", "CBMarkerTrigger", "Trigger on Enter:", {}, typus::Trigger});
}
