#include "entities/entity_tile.h"

#include "engine/edit_engine.h"
#include "entities/entity_typus.h"
#include "entities/record_fields.h"
#include "models/edit_model.h"

TETile::TETile(TQZEngine& engine) : TETile(engine, {"TILE", typus::Tile}) {}

TETile::TETile(TQZEngine& engine, const Kind& kind) : TEntity(engine, kind) {
  ApplyLighting = true;
  ShadowTypus = 2;
}

void TETile::VisitFields(RecordVisitor& visitor) {
  visitor.Page("TabSheetTile", "Tile");
  visitor.Vector(AutoRotate, {"AutoRotate", "EditTileAutorotate", "Autorotate °/s:", Conversion::Block});
  visitor.List(CollisionForm, {"CollisionForm", "CBTileCollisionForm", "Collision Form:"});
  visitor.Vector(CollisionSize, {"CollisionSize", "EditTileCollisionSize", "Collision Size:", Conversion::Block});
  visitor.List(Material, {"Material", "CBTileMaterial", "Material:"});
  visitor.Check(CanClimb, {"CanClimb", "CheckBoxTileCanClimb", "Can Climb:"});
}

void TETile::Animate() {
  if (AnimState.Animation != -1 && Engine.ModelEngine) Engine.ModelEngine->AnimateInstance(AnimState);
}

void TETile::Bind() {
  TEntity::Bind();
  StartAnimation();
}
