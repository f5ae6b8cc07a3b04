#pragma once
// Three 32-bit floats; y is up. Colours use the same type with components 0 to 1.

struct TVector {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;

  friend bool operator==(const TVector&, const TVector&) = default;
};

inline TVector MakeVector(float x, float y, float z) { return {x, y, z}; }
