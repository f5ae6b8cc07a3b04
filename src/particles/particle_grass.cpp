#include "particles/particle_grass.h"

#include <cmath>
#include <numbers>

#include "engine/edit_engine.h"
#include "entities/entity_dialog.h"
#include "entities/entity_typus.h"
#include "entities/field_sink.h"
#include "models/edit_model.h"
#include "room/edit_room.h"

TEPGrass::TEPGrass(TQZEngine& engine) : TEParticle(engine) {
  Name = "GRASS";
  Typus = typus::Grass;
}

void TEPGrass::FillDialog(::Form& form) {
  entity_dialog::ShowPage(form, "TabSheetPGrass");
  if (Engine.ModelEngine) Engine.ModelEngine->FillModelList(form, "CBPGrassModel");
  entity_dialog::ShowName(form, "CBPGrassModel", GrassModel);
  Engine.ShowFloat(form, "EditPGrassSizeMin", SizeMin);
  Engine.ShowFloat(form, "EditPGrassSizeMax", SizeMax);
  Engine.ShowInt(form, "EditPGrassAmount", Amount);
  Engine.ShowFloat(form, "EditPGrassDimensionsX", ExtentX);
  Engine.ShowFloat(form, "EditPGrassDimensionsZ", ExtentZ);
  Engine.ShowFloat(form, "EditPGRassIntoGround", IntoGround);
  form.SetItemIndex("CBPGrassForm", Form);
  Engine.ShowFloat(form, "EditPGrassRotationX", RotationSpread.x);
  Engine.ShowFloat(form, "EditPGrassRotationY", RotationSpread.y);
  Engine.ShowFloat(form, "EditPGrassRotationZ", RotationSpread.z);
}

void TEPGrass::ReadDialog(::Form& form) {
  entity_dialog::ReadName(form, "CBPGrassModel", GrassModel);
  Engine.ReadFloat(form, "EditPGrassSizeMin", SizeMin);
  Engine.ReadFloat(form, "EditPGrassSizeMax", SizeMax);
  Engine.ReadInt(form, "EditPGrassAmount", Amount);
  Engine.ReadFloat(form, "EditPGrassDimensionsX", ExtentX);
  Engine.ReadFloat(form, "EditPGrassDimensionsZ", ExtentZ);
  Engine.ReadFloat(form, "EditPGRassIntoGround", IntoGround);
  Form = entity_dialog::ItemIndex(form, "CBPGrassForm");
  Engine.ReadFloat(form, "EditPGrassRotationX", RotationSpread.x);
  Engine.ReadFloat(form, "EditPGrassRotationY", RotationSpread.y);
  Engine.ReadFloat(form, "EditPGrassRotationZ", RotationSpread.z);
}

void TEPGrass::WriteRecord(BinaryWriter& file) {
  file.WriteString(GrassModel);
  file.WriteF32(SizeMin);
  file.WriteF32(SizeMax);
  file.WriteI16(Amount);
  file.WriteF32(ExtentX);
  file.WriteF32(ExtentZ);
  file.WriteF32(IntoGround);
  file.WriteI16(Form);
  file.WriteVector(RotationSpread);
}

void TEPGrass::ReadRecord(BinaryReader& file) {
  GrassModel = file.ReadString<32>();
  SizeMin = file.ReadF32();
  SizeMax = file.ReadF32();
  Amount = file.ReadI16();
  ExtentX = file.ReadF32();
  ExtentZ = file.ReadF32();
  IntoGround = file.ReadF32();
  Form = file.ReadI16();
  RotationSpread = file.ReadVector();
}

void TEPGrass::Bind() {
  ResolveModel();
  ClearLinks();
  ClearParticles();
  const std::int16_t model = Engine.ModelEngine ? Engine.ModelEngine->FindModel(GrassModel) : std::int16_t{-1};
  if (model == -1) return;
  int i = 0;
  EmitBurst(Amount, [&] { return Scatter(++i, model); });
}

float TEPGrass::Spread(float spread) { return -spread + static_cast<float>(RandInt(2000)) * spread * 0.001f; }

int TEPGrass::Scatter(int i, std::int16_t model) {
  TVector position = Position;
  TVector rotation = Rotation;
  const float size = SizeMin + static_cast<float>(RandInt(100)) * (SizeMax - SizeMin) * 0.01f;
  if (Form == FormEllipse) {
    const float angle = static_cast<float>(i) / static_cast<float>(Amount) * 2.0f * std::numbers::pi_v<float>;
    const float r = static_cast<float>(RandInt(100)) * 0.01f;
    position.x += std::sin(angle) * ExtentX * r;
    position.z += std::cos(angle) * ExtentZ * r;
  } else {
    position.x += -ExtentX + static_cast<float>(RandInt(200)) * ExtentX * 0.01f;
    position.z += -ExtentZ + static_cast<float>(RandInt(200)) * ExtentZ * 0.01f;
  }
  rotation.x += Spread(RotationSpread.x);
  rotation.y += Spread(RotationSpread.y);
  rotation.z += Spread(RotationSpread.z);
  position.y = Room().HeightAt(position) - IntoGround;
  return AddModelParticle(0, position, model, Density, BlendingMode, Color, size, rotation);
}

void TEPGrass::Animate() {
  TQZEngine::AdvanceTime(EmissionTimer);
  for (auto& particle : Pool)
    if (particle.kind >= 0) TQZEngine::AdvanceTime(particle.age);
}

void TEPGrass::DescribeFields(FieldSink& sink) const {
  sink.Field("GrassModel", GrassModel);
  sink.Field("SizeMin", SizeMin);
  sink.Field("SizeMax", SizeMax);
  sink.Field("Amount", Amount);
  sink.Field("ExtentX", ExtentX);
  sink.Field("ExtentZ", ExtentZ);
  sink.Field("IntoGround", IntoGround);
  sink.Field("Form", Form);
  sink.Field("RotationSpread", RotationSpread);
}
