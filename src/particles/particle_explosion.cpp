#include "particles/particle_explosion.h"

#include "entities/entity_typus.h"
#include "entities/record_fields.h"

TEPExplosion::TEPExplosion(TQZEngine& engine) : TEParticle(engine, {"EXPLOSION", typus::Explosion}) {}

void TEPExplosion::VisitFields(RecordVisitor& visitor) {
  visitor.Page("TabSheetPExplosion", "Explosion");
  visitor.Number(ExplosionSize, {"ExplosionSize", "EditPExplosionSize", "Size:"});
}
