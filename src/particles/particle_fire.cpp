#include "particles/particle_fire.h"

#include <cmath>

#include "engine/edit_engine.h"
#include "entities/entity_typus.h"
#include "entities/record_fields.h"

namespace {
constexpr std::int16_t BaseFlame = 0;
constexpr std::int16_t RisingFlame = 1;
constexpr float BaseFlameScale = 0.7f;
constexpr float EmissionInterval = 1.0f;  // one rising flame every third frame
constexpr float FlameAlpha = 0.4f;
constexpr int FrameColumns = 8;
constexpr float FlameLifetime = 10.0f;  // 20 frames
}  // namespace

TEPFire::TEPFire(TQZEngine& engine) : TEParticle(engine, {"FIRE", typus::Fire}, "effect\\fire\\fire") {}

void TEPFire::VisitFields(RecordVisitor& visitor) {
  visitor.Page("TabSheetPFire", "Fire");
  visitor.Number(FireSize, {"FireSize", "EditPFireSize", "Size:"});
  visitor.Number(FireRadius, {"FireRadius", "EditPFireRadius", "Radius:"});
}

void TEPFire::Start() {
  EmitFlame(BaseFlame, BaseFlameScale);
}

void TEPFire::EmitFlame(std::int16_t kind, float scale) {
  TVector position = Position;
  if (kind == RisingFlame) {
    position.x += RandomBetween(-FireRadius, FireRadius) * FireSize;
    position.y -= FireRadius / 2.0f * FireSize;
    position.z += RandomBetween(-FireRadius, FireRadius) * FireSize;
    scale = 1.0f;
  }
  TSpriteStyle style;
  style.upright = true;
  style.billboard = true;
  style.textureHandle = SpriteTexture;
  style.alpha = FlameAlpha;
  style.blendMode = 1;
  AddSpriteParticle(kind, position, style, Size * FireSize * scale, Rotation);
}

void TEPFire::Animate() {
  if (EmissionDue(EmissionInterval)) EmitFlame(RisingFlame, 1.0f);
  for (int i = 0; i <= HighIndex(); ++i) {
    if (!InUse(i)) continue;
    if (Pool[static_cast<std::size_t>(i)].kind == BaseFlame)
      TQZEngine::AdvanceTime(Pool[static_cast<std::size_t>(i)].age);
    else
      UpdateFlame(i);
  }
}

// Fades in, rises along its upward axis while shrinking, fades out and dies.
void TEPFire::UpdateFlame(int index) {
  TParticle& p = Pool[static_cast<std::size_t>(index)];
  TQZEngine::AdvanceTime(p.age);
  p.alpha = FlameAlpha;
  if (p.age < 2.0f) p.alpha = p.age * 0.2f;
  if (p.age > 6.0f) p.alpha = FlameAlpha - (p.age - 6.0f) * 0.1f;
  SetSpriteFrame(index, static_cast<int>(std::lround(p.age)), FrameColumns);
  p.position = TQZEngine::MoveVertical(p.rotation, p.position, TQZEngine::FrameStep() * FireSize * 0.12f);
  p.size -= TQZEngine::FrameStep() * FireSize * 0.03f;
  if (p.age > FlameLifetime) FreeParticle(index);
}
