#pragma once
// A fire: a standing base flame and rising flames that fade and shrink.

#include "particles/particle_main.h"

class TEPFire : public TEParticle {
public:
  explicit TEPFire(TQZEngine& engine);

  float FireSize = 1.0f;
  float FireRadius = 0.2f;

  void VisitFields(RecordVisitor& visitor) override;
  void Animate() override;

  std::string_view ClassName() const override { return "TEPFire"; }

protected:
  void Start() override;

private:
  void EmitFlame(std::int16_t kind, float scale);
  void UpdateFlame(int index);
};
