#include "entities/entity_spawner.h"

#include "engine/edit_engine.h"
#include "entities/entity_typus.h"
#include "entities/record_fields.h"

TESpawner::TESpawner(TQZEngine& engine) : TEntity(engine, {"SPAWNER", typus::Spawner, "EDITOR_SPAWNER", false}) {}

void TESpawner::VisitFields(RecordVisitor& visitor) {
  // The body is stored as one aligned block: its fields sit at 4-byte (floats) and
  // 2-byte (integers) boundaries.
  visitor.Page("TabSheetSpawner", "Spawner");
  visitor.Text(Template, {"Template", "CBSpawnerTemplate", "Template:", {}, AnyTypus});
  visitor.Gap(3);
  visitor.Number(DelayBeforeFirst, {"DelayBeforeFirst", "EditSpawnerDelayBeforeFirst", "Delay before first (s): "});
  visitor.Number(TotalCount, {"TotalCount", "EditSpawnerTotalCount", "Total count:"});
  visitor.Number(SpawnAtOnce, {"SpawnAtOnce", "EditSpawnerSpawnAtOnce", "Spawn at once: "});
  visitor.Number(DelayInbetween, {"DelayInbetween", "EditSpawnerDelayInbetween", "Delay inbetween(s): "});
  visitor.Text(SpawnPosition, {"SpawnPosition", "CBSpawnerPosition", "Spawn Position:", {}, typus::Marker});
  visitor.Gap(1);
  visitor.List(SpawnEffect, {"SpawnEffect", "CBSpawnerEffect", "Spawn Effect:"});
  visitor.Text(Sound, {"Sound", "CBSpawnerSound", "Sound:", {}, typus::Sound});
  visitor.Gap(3);
}
