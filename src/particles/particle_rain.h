#pragma once
// Rain: drops fall from a height over a rectangle of the room and vanish below a height.

#include "particles/particle_main.h"

class TEPRain : public TEParticle {
public:
  static constexpr std::size_t BodySize = 38;

  explicit TEPRain(TQZEngine& engine);

  float RainSize = 2.0f;
  float StartX = -30.0f;
  float StartZ = -30.0f;
  float EndX = 30.0f;
  float EndZ = 30.0f;
  float HeadingX = 70.0f;
  float HeadingY = 90.0f;
  float StartHeight = 10.0f;
  float VanishHeight = 0.0f;
  std::int16_t ParticleCount = 100;

  void FillDialog(Form& form) override;
  void ReadDialog(Form& form) override;
  void Animate() override;
  void WriteRecord(BinaryWriter& file) override;
  void ReadRecord(BinaryReader& file) override;
  void Bind() override;

  std::string_view ClassName() const override { return "TEPRain"; }
  void DescribeFields(FieldSink& sink) const override;

private:
  int EmitDrop();  // the drop's index, -1 when the pool is full

  std::int16_t texture_ = -1;
};
