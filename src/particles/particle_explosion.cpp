#include "particles/particle_explosion.h"

#include "engine/edit_engine.h"
#include "entities/entity_dialog.h"
#include "entities/entity_typus.h"
#include "entities/field_sink.h"

TEPExplosion::TEPExplosion(TQZEngine& engine) : TEParticle(engine) {
  Name = "EXPLOSION";
  Typus = typus::Explosion;
}

void TEPExplosion::FillDialog(Form& form) {
  entity_dialog::ShowPage(form, "TabSheetPExplosion");
  Engine.ShowFloat(form, "EditPExplosionSize", ExplosionSize);
}

void TEPExplosion::ReadDialog(Form& form) { Engine.ReadFloat(form, "EditPExplosionSize", ExplosionSize); }
void TEPExplosion::WriteRecord(BinaryWriter& file) { file.WriteF32(ExplosionSize); }
void TEPExplosion::ReadRecord(BinaryReader& file) { ExplosionSize = file.ReadF32(); }

void TEPExplosion::Bind() {
  ResolveModel();
  ClearLinks();
  ClearParticles();
}

void TEPExplosion::DescribeFields(FieldSink& sink) const {
  sink.Field("ExplosionSize", ExplosionSize);
}
