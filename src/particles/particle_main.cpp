#include "particles/particle_main.h"

#include "engine/edit_engine.h"
#include "entities/entity_typus.h"
#include "room/edit_room.h"

TEParticle::TEParticle(TQZEngine& engine) : TEParticle(engine, {"PARTICLE", typus::Particle}) {}

// Every emitter shows the same editor model.
TEParticle::TEParticle(TQZEngine& engine, const Kind& kind, std::string_view spriteTextureName)
    : TEntity(engine, {kind.name, kind.typus, "EDITOR_PARTICLE", kind.visible}), spriteTextureName_(spriteTextureName) {}

void TEParticle::Bind() {
  TEntity::Bind();
  if (!spriteTextureName_.empty()) SpriteTexture = Room().FindEffectTexture(spriteTextureName_);
  BinaryWriter state;
  WriteTypus(state);
  WriteCommon(state);
  WriteRecord(state);
  state.WriteI16(SpriteTexture);
  state.WriteI16(ParticleModel());
  if (!startedWith_.empty() && state.Bytes() == startedWith_) return;
  startedWith_ = state.Take();
  ClearParticles();
  Start();
}

// The highest free record is reused, so live records never move and the pool only
// grows to the most particles alive at once.
int TEParticle::Allocate() {
  int index = static_cast<int>(Pool.size());
  for (int i = 0; i < static_cast<int>(Pool.size()); ++i)
    if (!InUse(i)) index = i;
  if (index >= MaxParticles) return -1;
  if (index >= static_cast<int>(Pool.size())) Pool.resize(static_cast<std::size_t>(index) + 1);
  return index;
}

int TEParticle::AddModelParticle(std::int16_t kind, const TVector& position, std::int16_t modelIndex,
                                 float option1, std::int16_t option2, const TVector& colour, float size,
                                 const TVector& rotation) {
  const int index = Allocate();
  if (index < 0) return index;
  TParticle& p = Pool[static_cast<std::size_t>(index)];
  p = TParticle{};
  p.kind = kind;
  p.drawAs = 0;
  p.position = position;
  p.rotation = rotation;
  p.size = size;
  p.colour = colour;
  p.alpha = option1;
  p.blendMode = option2;
  p.modelIndex = modelIndex;
  p.modelOption = -1;
  return index;
}

int TEParticle::AddSpriteParticle(std::int16_t kind, const TVector& position, const TSpriteStyle& style,
                                  float size, const TVector& rotation) {
  const int index = Allocate();
  if (index < 0) return index;
  TParticle& p = Pool[static_cast<std::size_t>(index)];
  p = TParticle{};
  p.kind = kind;
  p.drawAs = 1;
  p.position = position;
  p.rotation = rotation;
  p.size = size;
  p.colour = style.colour;
  p.blendMode = style.blendMode;
  p.alpha = style.alpha;
  p.textureHandle = style.textureHandle;
  p.spriteColumn = style.spriteColumn;
  p.spriteRow = style.spriteRow;
  p.cellWidth = style.cellWidth;
  p.cellHeight = style.cellHeight;
  p.extraPitch = style.extraPitch;
  p.billboard = style.billboard;
  p.upright = style.upright;
  return index;
}

void TEParticle::FreeParticle(int index) {
  if (index < 0 || index > HighIndex()) return;
  Pool[static_cast<std::size_t>(index)].kind = -1;
  while (!Pool.empty() && Pool.back().kind == -1) Pool.pop_back();
}

void TEParticle::ClearParticles() { Pool.clear(); }

bool TEParticle::InUse(int index) const {
  return index >= 0 && index <= HighIndex() && Pool[static_cast<std::size_t>(index)].kind >= 0;
}

void TEParticle::SetSpriteFrame(int index, int frame, int columns) {
  if (index < 0 || index > HighIndex() || columns <= 0) return;
  TParticle& p = Pool[static_cast<std::size_t>(index)];
  p.spriteColumn = static_cast<float>(frame % columns);
  p.spriteRow = static_cast<float>(frame / columns);
}

float TEParticle::RandomBetween(float low, float high) { return Engine.Math.RandomBetween(low, high); }

int TEParticle::RandInt(int n) { return Engine.Random(n); }

bool TEParticle::AgeDrop(int index) {
  TQZEngine::AdvanceTime(Pool[static_cast<std::size_t>(index)].age);
  if (Pool[static_cast<std::size_t>(index)].age <= MaxParticleAge) return true;
  FreeParticle(index);
  return false;
}

bool TEParticle::EmissionDue(float interval) {
  TQZEngine::AdvanceTime(EmissionTimer);
  if (EmissionTimer <= interval) return false;
  EmissionTimer = 0.0f;
  return true;
}
