#include "particles/particle_rain.h"

#include "engine/edit_engine.h"
#include "entities/entity_typus.h"
#include "entities/record_fields.h"

namespace {
constexpr float EmissionInterval = 1.0f;  // a shower every third frame
constexpr float DirectionSpread = 10.0f;  // degrees
constexpr float DropCell = 8.0f;          // texels
}  // namespace

TEPRain::TEPRain(TQZEngine& engine) : TEParticle(engine, {"RAIN", typus::Rain}, "effect\\water\\rain") {}

void TEPRain::VisitFields(RecordVisitor& visitor) {
  visitor.Page("TabSheetPRain", "Rain");
  visitor.Number(RainSize, {"RainSize", "EditPRainSize", "Size:"});
  visitor.Number(StartX, {"StartX", "EditPRainStartX", "Start (x, z):"});
  visitor.Number(StartZ, {"StartZ", "EditPRainStartZ", {}});
  visitor.Number(EndX, {"EndX", "EditPRainEndX", "End (x, z):"});
  visitor.Number(EndZ, {"EndZ", "EditPRainEndZ", {}});
  visitor.Number(HeadingX, {"HeadingX", "EditPRainHeadingX", "Heading (°):"});
  visitor.Number(HeadingY, {"HeadingY", "EditPRainHeadingY", {}});
  visitor.Number(StartHeight, {"StartHeight", "EditPRainStartHeight", "Start Height:"});
  visitor.Number(VanishHeight, {"VanishHeight", "EditPRainVanishHeight", "Vanish Height:"});
  visitor.Number(ParticleCount, {"ParticleCount", "EditPRainParticleCount", "Particle Count:"});
}

// Drops start anywhere over the rain's rectangle, wherever the emitter itself stands.
int TEPRain::EmitDrop() {
  const TVector position{RandomBetween(StartX, EndX), StartHeight, RandomBetween(StartZ, EndZ)};
  const TVector rotation{-HeadingX + RandomBetween(-DirectionSpread, DirectionSpread),
                         HeadingY + RandomBetween(-DirectionSpread, DirectionSpread), 0.0f};
  TSpriteStyle style;
  style.cellHeight = DropCell;
  style.cellWidth = DropCell;
  style.textureHandle = SpriteTexture;
  style.alpha = 1.0f;
  style.blendMode = 2;
  return AddSpriteParticle(0, position, style, Size * RainSize * 0.15f, rotation);
}

void TEPRain::Animate() {
  if (EmissionDue(EmissionInterval)) EmitBurst(ParticleCount, [this] { return EmitDrop(); });
  for (int i = 0; i <= HighIndex(); ++i) {
    if (!InUse(i)) continue;
    if (!AgeDrop(i)) continue;
    TParticle& p = Pool[static_cast<std::size_t>(i)];
    p.position = TQZEngine::MoveForward(p.rotation, p.position, TQZEngine::FrameStep() * RainSize * 0.9f);
    if (p.position.y <= VanishHeight) FreeParticle(i);
  }
}
