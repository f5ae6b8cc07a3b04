#include "particles/particle_fountain.h"

#include <cmath>
#include <numbers>

#include "engine/edit_engine.h"
#include "entities/entity_typus.h"
#include "entities/record_fields.h"

namespace {
constexpr float EmissionInterval = 0.5f;  // a burst every second frame
constexpr float LowestPitch = -80.0f;     // the jet stops bending once it points down this far
}  // namespace

TEPFountain::TEPFountain(TQZEngine& engine) : TEParticle(engine, {"FOUNTAIN", typus::Fountain}, "effect\\water\\splat") {}

void TEPFountain::VisitFields(RecordVisitor& visitor) {
  visitor.Page("TabSheetPFountain", "Fountain");
  visitor.Number(FountainSize, {"FountainSize", "EditPFountainSize", "Size:"});
  visitor.Number(FountainRadius, {"FountainRadius", "EditPFountainRadius", "Radius:"});
  visitor.Number(PitchSpread, {"PitchSpread", "EditPFountainRotX", "Pitch Spread (°):"});
  visitor.Number(HeadingSpread, {"HeadingSpread", "EditPFountainRotY", "Heading Spread (°):"});
  visitor.Number(PitchLoss, {"PitchLoss", "EditPFountainAddRotX", "Pitch Loss (°):"});
  visitor.Number(StartPitch, {"StartPitch", "EditPFountainStartRotX", "Start Pitch (°):"});
  visitor.Number(VanishHeight, {"VanishHeight", "EditPFountainVanishAtHeight", "Vanish at Height:"});
  visitor.Number(ParticleSpeed, {"ParticleSpeed", "EditPFountainParticleSpeed", "Particle Speed:"});
  visitor.Number(ParticleCount, {"ParticleCount", "EditPFountainParticleCount", "Particle Count:"});
}

int TEPFountain::EmitDrop() {
  TVector position = Position;
  position.x += RandomBetween(-FountainRadius, FountainRadius) * FountainSize;
  position.z += RandomBetween(-FountainRadius, FountainRadius) * FountainSize;
  TVector rotation = Rotation;
  rotation.y += RandomBetween(-HeadingSpread, HeadingSpread);
  rotation.x += RandomBetween(-PitchSpread, PitchSpread) + StartPitch;
  TSpriteStyle style;
  style.textureHandle = SpriteTexture;
  style.alpha = 0.4f;
  style.blendMode = 2;
  style.colour = {0.2f, 0.7f, 1.0f};
  return AddSpriteParticle(0, position, style, Size * FountainSize * 0.2f, rotation);
}

void TEPFountain::Animate() {
  if (EmissionDue(EmissionInterval)) EmitBurst(ParticleCount, [this] { return EmitDrop(); });
  for (int i = 0; i <= HighIndex(); ++i) {
    if (!InUse(i)) continue;
    if (!AgeDrop(i)) continue;
    TParticle& p = Pool[static_cast<std::size_t>(i)];
    // Steep drops travel faster than flat ones.
    const float steepness = std::sin(std::fabs(p.rotation.x) * std::numbers::pi_v<float> / 180.0f);
    p.position = TQZEngine::MoveForward(p.rotation, p.position,
                                        TQZEngine::FrameStep() * ParticleSpeed * (steepness * 0.5f + 0.6f));
    if (p.rotation.x > LowestPitch) p.rotation.x -= TQZEngine::FrameStep() * PitchLoss;
    if (p.position.y <= VanishHeight) FreeParticle(i);
  }
}
