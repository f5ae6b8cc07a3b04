#pragma once
// TQZMath: the engine's vector and angle routines. Single precision throughout;
// angles are degrees, y is up and an unrotated view looks along -z.

#include <random>

#include "core/vector.h"

class TQZMath {
public:
  // AngleDelta's turning directions.
  static constexpr int TurnToLarger = 4;
  static constexpr int TurnToSmaller = 3;

  struct TAngleDelta {
    float Delta = 0.0f;
    int Direction = TurnToSmaller;
  };

  // Shares the engine's generator, so one seed drives every random choice.
  explicit TQZMath(std::mt19937& generator) : random_(generator) {}

  // low + r * (high - low) / 1000 with r in 0..999: never reaches high.
  float RandomBetween(float low, float high);

  // The surfaces' normal; its middle component is the negative of the usual cross product's.
  static TVector NormalOf(const TVector& a, const TVector& b);
  static bool EqualVectors(const TVector& a, const TVector& b);
  // Shortest turn from one heading to another across the 0/360 seam.
  static TAngleDelta AngleDelta(float from, float to);
  // (pitch, yaw, 0) of the direction from one point towards another, ready for a camera.
  // An arc function given an argument just outside -1..1 (a rounding slip) yields 0
  // degrees instead of NaN.
  static TVector AnglesTo(const TVector& from, const TVector& to);

  static TVector Scale(const TVector& v, float s);
  static TVector Add(const TVector& a, const TVector& b);
  static float Distance(const TVector& a, const TVector& b);
  // b - a (the engine's Subtract is a - b).
  static TVector Difference(const TVector& a, const TVector& b);
  // A zero vector comes back unchanged.
  static TVector Normalize(const TVector& v);
  // About z by angles.z, then about x by angles.x, then about y by angles.y.
  static TVector RotateVector(const TVector& v, const TVector& angles);
  static TVector MoveForward(const TVector& angles, const TVector& point, float d);
  static TVector MoveVertical(const TVector& angles, const TVector& point, float d);

private:
  std::mt19937& random_;
};
