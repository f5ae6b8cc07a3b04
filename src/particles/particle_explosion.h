#pragma once
// An explosion: only its size is edited and stored; the editor shows nothing of it.

#include "particles/particle_main.h"

class TEPExplosion : public TEParticle {
public:
  explicit TEPExplosion(TQZEngine& engine);

  float ExplosionSize = 1.0f;

  void VisitFields(RecordVisitor& visitor) override;

  std::string_view ClassName() const override { return "TEPExplosion"; }
};
