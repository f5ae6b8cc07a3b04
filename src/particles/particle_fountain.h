#pragma once
// A fountain: bursts of drops thrown up in a jet that bends down and vanishes below a
// height.

#include "particles/particle_main.h"

class TEPFountain : public TEParticle {
public:
  explicit TEPFountain(TQZEngine& engine);

  float FountainSize = 1.0f;
  float FountainRadius = 0.1f;
  float PitchSpread = 10.0f;
  float HeadingSpread = 180.0f;
  float PitchLoss = 10.0f;
  float StartPitch = 80.0f;
  float VanishHeight = 0.0f;
  float ParticleSpeed = 0.4f;
  std::int16_t ParticleCount = 15;

  void VisitFields(RecordVisitor& visitor) override;
  void Animate() override;

  std::string_view ClassName() const override { return "TEPFountain"; }

private:
  int EmitDrop();  // the drop's index, -1 when the pool is full
};
