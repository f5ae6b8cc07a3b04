#include "particles/particle_rain.h"

#include "engine/edit_engine.h"
#include "entities/entity_dialog.h"
#include "entities/entity_typus.h"
#include "entities/field_sink.h"

namespace {
constexpr float EmissionInterval = 1.0f;  // a shower every third frame
constexpr float DirectionSpread = 10.0f;  // degrees
constexpr float DropCell = 8.0f;          // texels
}  // namespace

TEPRain::TEPRain(TQZEngine& engine) : TEParticle(engine) {
  Name = "RAIN";
  Typus = typus::Rain;
}

void TEPRain::FillDialog(Form& form) {
  entity_dialog::ShowPage(form, "TabSheetPRain");
  Engine.ShowFloat(form, "EditPRainSize", RainSize);
  Engine.ShowFloat(form, "EditPRainStartX", StartX);
  Engine.ShowFloat(form, "EditPRainStartZ", StartZ);
  Engine.ShowFloat(form, "EditPRainEndX", EndX);
  Engine.ShowFloat(form, "EditPRainEndZ", EndZ);
  Engine.ShowFloat(form, "EditPRainHeadingX", HeadingX);
  Engine.ShowFloat(form, "EditPRainHeadingY", HeadingY);
  Engine.ShowFloat(form, "EditPRainStartHeight", StartHeight);
  Engine.ShowFloat(form, "EditPRainVanishHeight", VanishHeight);
  Engine.ShowInt(form, "EditPRainParticleCount", ParticleCount);
}

void TEPRain::ReadDialog(Form& form) {
  Engine.ReadFloat(form, "EditPRainSize", RainSize);
  Engine.ReadFloat(form, "EditPRainStartX", StartX);
  Engine.ReadFloat(form, "EditPRainStartZ", StartZ);
  Engine.ReadFloat(form, "EditPRainEndX", EndX);
  Engine.ReadFloat(form, "EditPRainEndZ", EndZ);
  Engine.ReadFloat(form, "EditPRainHeadingX", HeadingX);
  Engine.ReadFloat(form, "EditPRainHeadingY", HeadingY);
  Engine.ReadFloat(form, "EditPRainStartHeight", StartHeight);
  Engine.ReadFloat(form, "EditPRainVanishHeight", VanishHeight);
  Engine.ReadInt(form, "EditPRainParticleCount", ParticleCount);
}

void TEPRain::WriteRecord(BinaryWriter& file) {
  file.WriteF32(RainSize);
  file.WriteF32(StartX);
  file.WriteF32(StartZ);
  file.WriteF32(EndX);
  file.WriteF32(EndZ);
  file.WriteF32(HeadingX);
  file.WriteF32(HeadingY);
  file.WriteF32(StartHeight);
  file.WriteF32(VanishHeight);
  file.WriteI16(ParticleCount);
}

void TEPRain::ReadRecord(BinaryReader& file) {
  RainSize = file.ReadF32();
  StartX = file.ReadF32();
  StartZ = file.ReadF32();
  EndX = file.ReadF32();
  EndZ = file.ReadF32();
  HeadingX = file.ReadF32();
  HeadingY = file.ReadF32();
  StartHeight = file.ReadF32();
  VanishHeight = file.ReadF32();
  ParticleCount = file.ReadI16();
}

void TEPRain::Bind() {
  ResolveModel();
  ClearLinks();
  ClearParticles();
  texture_ = LoadTexture("effect\\water\\rain");
}

// Drops start anywhere over the rain's rectangle, wherever the emitter itself stands.
int TEPRain::EmitDrop() {
  const TVector position{RandomBetween(StartX, EndX), StartHeight, RandomBetween(StartZ, EndZ)};
  const TVector rotation{-HeadingX + RandomBetween(-DirectionSpread, DirectionSpread),
                         HeadingY + RandomBetween(-DirectionSpread, DirectionSpread), 0.0f};
  TSpriteStyle style;
  style.cellHeight = DropCell;
  style.cellWidth = DropCell;
  style.textureHandle = texture_;
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

void TEPRain::DescribeFields(FieldSink& sink) const {
  sink.Field("RainSize", RainSize);
  sink.Field("StartX", StartX);
  sink.Field("StartZ", StartZ);
  sink.Field("EndX", EndX);
  sink.Field("EndZ", EndZ);
  sink.Field("HeadingX", HeadingX);
  sink.Field("HeadingY", HeadingY);
  sink.Field("StartHeight", StartHeight);
  sink.Field("VanishHeight", VanishHeight);
  sink.Field("ParticleCount", ParticleCount);
}
