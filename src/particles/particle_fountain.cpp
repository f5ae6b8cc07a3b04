#include "particles/particle_fountain.h"

#include <cmath>
#include <numbers>

#include "engine/edit_engine.h"
#include "entities/entity_dialog.h"
#include "entities/entity_typus.h"
#include "entities/field_sink.h"

namespace {
constexpr float EmissionInterval = 0.5f;  // a burst every second frame
constexpr float LowestPitch = -80.0f;     // the jet stops bending once it points down this far
}  // namespace

TEPFountain::TEPFountain(TQZEngine& engine) : TEParticle(engine) {
  Name = "FOUNTAIN";
  Typus = typus::Fountain;
}

void TEPFountain::FillDialog(Form& form) {
  entity_dialog::ShowPage(form, "TabSheetPFountain");
  Engine.ShowFloat(form, "EditPFountainSize", FountainSize);
  Engine.ShowFloat(form, "EditPFountainRadius", FountainRadius);
  Engine.ShowFloat(form, "EditPFountainRotX", PitchSpread);
  Engine.ShowFloat(form, "EditPFountainRotY", HeadingSpread);
  Engine.ShowFloat(form, "EditPFountainAddRotX", PitchLoss);
  Engine.ShowFloat(form, "EditPFountainStartRotX", StartPitch);
  Engine.ShowFloat(form, "EditPFountainVanishAtHeight", VanishHeight);
  Engine.ShowFloat(form, "EditPFountainParticleSpeed", ParticleSpeed);
  Engine.ShowInt(form, "EditPFountainParticleCount", ParticleCount);
}

void TEPFountain::ReadDialog(Form& form) {
  Engine.ReadFloat(form, "EditPFountainSize", FountainSize);
  Engine.ReadFloat(form, "EditPFountainRadius", FountainRadius);
  Engine.ReadFloat(form, "EditPFountainRotX", PitchSpread);
  Engine.ReadFloat(form, "EditPFountainRotY", HeadingSpread);
  Engine.ReadFloat(form, "EditPFountainAddRotX", PitchLoss);
  Engine.ReadFloat(form, "EditPFountainStartRotX", StartPitch);
  Engine.ReadFloat(form, "EditPFountainVanishAtHeight", VanishHeight);
  Engine.ReadFloat(form, "EditPFountainParticleSpeed", ParticleSpeed);
  Engine.ReadInt(form, "EditPFountainParticleCount", ParticleCount);
}

void TEPFountain::WriteRecord(BinaryWriter& file) {
  file.WriteF32(FountainSize);
  file.WriteF32(FountainRadius);
  file.WriteF32(PitchSpread);
  file.WriteF32(HeadingSpread);
  file.WriteF32(PitchLoss);
  file.WriteF32(StartPitch);
  file.WriteF32(VanishHeight);
  file.WriteF32(ParticleSpeed);
  file.WriteI16(ParticleCount);
}

void TEPFountain::ReadRecord(BinaryReader& file) {
  FountainSize = file.ReadF32();
  FountainRadius = file.ReadF32();
  PitchSpread = file.ReadF32();
  HeadingSpread = file.ReadF32();
  PitchLoss = file.ReadF32();
  StartPitch = file.ReadF32();
  VanishHeight = file.ReadF32();
  ParticleSpeed = file.ReadF32();
  ParticleCount = file.ReadI16();
}

void TEPFountain::Bind() {
  ResolveModel();
  ClearLinks();
  ClearParticles();
  texture_ = LoadTexture("effect\\water\\splat");
}

int TEPFountain::EmitDrop() {
  TVector position = Position;
  position.x += RandomBetween(-FountainRadius, FountainRadius) * FountainSize;
  position.z += RandomBetween(-FountainRadius, FountainRadius) * FountainSize;
  TVector rotation = Rotation;
  rotation.y += RandomBetween(-HeadingSpread, HeadingSpread);
  rotation.x += RandomBetween(-PitchSpread, PitchSpread) + StartPitch;
  TSpriteStyle style;
  style.textureHandle = texture_;
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

void TEPFountain::DescribeFields(FieldSink& sink) const {
  sink.Field("FountainSize", FountainSize);
  sink.Field("FountainRadius", FountainRadius);
  sink.Field("PitchSpread", PitchSpread);
  sink.Field("HeadingSpread", HeadingSpread);
  sink.Field("PitchLoss", PitchLoss);
  sink.Field("StartPitch", StartPitch);
  sink.Field("VanishHeight", VanishHeight);
  sink.Field("ParticleSpeed", ParticleSpeed);
  sink.Field("ParticleCount", ParticleCount);
}
