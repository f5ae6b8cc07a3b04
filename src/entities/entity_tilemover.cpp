#include "entities/entity_tilemover.h"

#include "engine/edit_engine.h"
#include "entities/entity_typus.h"
#include "entities/record_fields.h"

TETileMover::TETileMover(TQZEngine& engine) : TEntity(engine, {"TILEMOVER", typus::TileMover, "EDITOR_TILEMOVER", false}) {}

void TETileMover::VisitFields(RecordVisitor& visitor) {
  visitor.Page("TabSheetTileMover", "TileMover");
  // Only plain tiles are offered; a door typed by hand is still stored and linked.
  visitor.Text(Target, {"Target", "CBTileMoverTarget", "Target:", {}, typus::Tile});
  visitor.Number(Delay, {"Delay", "EditTileMoverDelay", "Delay (s):"});
  visitor.Text(Marker, {"Marker", "CBTileMoverMarker", "Marker:", {}, typus::Marker});
  visitor.Number(Speed, {"Speed", "EditTileMoverSpeed", "Movement Speed:"});
  visitor.Number(RotateSpeed, {"RotateSpeed", "EditTileMoverRotateSpeed", "Rotate To Target:"});
}
