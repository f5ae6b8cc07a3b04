#pragma once
// Rain: drops fall from a height over a rectangle of the room and vanish below a height.

#include "particles/particle_main.h"

class TEPRain : public TEParticle {
public:
  explicit TEPRain(TQZEngine& engine);

  float RainSize = 2.0f;
  // The rectangle drops start over, and their direction (pitch, heading).
  float StartX = -30.0f, StartZ = -30.0f;
  float EndX = 30.0f, EndZ = 30.0f;
  float HeadingX = 70.0f, HeadingY = 90.0f;
  float StartHeight = 10.0f;
  float VanishHeight = 0.0f;
  std::int16_t ParticleCount = 100;

  void VisitFields(RecordVisitor& visitor) override;
  void Animate() override;

  std::string_view ClassName() const override { return "TEPRain"; }

private:
  int EmitDrop();  // the drop's index, -1 when the pool is full
};
