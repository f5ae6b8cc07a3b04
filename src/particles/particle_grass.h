#pragma once
// Grass: a fixed scatter of model instances over a rectangle or an ellipse, set on the
// floor at reset; nothing moves.

#include "particles/particle_main.h"

class TEPGrass : public TEParticle {
public:
  static constexpr std::int16_t FormRectangle = 0;
  static constexpr std::int16_t FormEllipse = 1;

  explicit TEPGrass(TQZEngine& engine);

  String32 GrassModel;
  float SizeMin = 0.7f;
  float SizeMax = 1.2f;
  std::int16_t Amount = 20;
  float ExtentX = 3.0f;
  float ExtentZ = 3.0f;
  float IntoGround = 0.0f;
  std::int16_t Form = FormRectangle;
  TVector RotationSpread{0.0f, 180.0f, 0.0f};

  void VisitFields(RecordVisitor& visitor) override;
  void Animate() override;

  std::string_view ClassName() const override { return "TEPGrass"; }

protected:
  void Start() override;
  std::int16_t ParticleModel() const override;

private:
  int Scatter(int i, std::int16_t model);  // the blade's index, -1 when the pool is full
  // Uniform in -spread .. +spread.
  float Spread(float spread);
};
