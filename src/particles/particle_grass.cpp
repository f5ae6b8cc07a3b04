#include "particles/particle_grass.h"

#include <cmath>
#include <numbers>

#include "engine/edit_engine.h"
#include "entities/entity_typus.h"
#include "entities/record_fields.h"
#include "models/edit_model.h"
#include "room/edit_room.h"

TEPGrass::TEPGrass(TQZEngine& engine) : TEParticle(engine, {"GRASS", typus::Grass}) {}

void TEPGrass::VisitFields(RecordVisitor& visitor) {
  visitor.Page("TabSheetPGrass", "Grass");
  visitor.Text(GrassModel, {"GrassModel", "CBPGrassModel", "Model:", {}, offers::Models});
  visitor.Number(SizeMin, {"SizeMin", "EditPGrassSizeMin", "Size (min, max):"});
  visitor.Number(SizeMax, {"SizeMax", "EditPGrassSizeMax", {}});
  visitor.Number(Amount, {"Amount", "EditPGrassAmount", "Amount:"});
  visitor.Number(ExtentX, {"ExtentX", "EditPGrassDimensionsX", "Extent (x, z):"});
  visitor.Number(ExtentZ, {"ExtentZ", "EditPGrassDimensionsZ", {}});
  visitor.Number(IntoGround, {"IntoGround", "EditPGRassIntoGround", "Into Ground:"});
  visitor.List(Form, {"Form", "CBPGrassForm", "Form:"});
  visitor.Vector(RotationSpread, {"RotationSpread", "EditPGrassRotation", "Rotation Spread (°):"});
}

std::int16_t TEPGrass::ParticleModel() const {
  return Engine.ModelEngine ? Engine.ModelEngine->FindModel(GrassModel) : std::int16_t{-1};
}

void TEPGrass::Start() {
  const std::int16_t model = ParticleModel();
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
