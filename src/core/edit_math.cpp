#include "core/edit_math.h"

#include <cmath>
#include <numbers>

namespace {

constexpr float DegToRad = std::numbers::pi_v<float> / 180.0f;
constexpr float RadToDeg = 180.0f / std::numbers::pi_v<float>;

// The arc functions fail outside -1..1; after a single-precision rounding slip there
// the component keeps its previous value instead of becoming NaN.
bool InArcDomain(float argument) { return argument >= -1.0f && argument <= 1.0f; }

}  // namespace

float TQZMath::RandomBetween(float low, float high) {
  std::uniform_int_distribution<int> thousandths(0, 999);
  const int r = thousandths(random_);
  return low + static_cast<float>(r) * (high - low) / 1000.0f;
}

TVector TQZMath::NormalOf(const TVector& a, const TVector& b) {
  return {a.y * b.z - b.y * a.z, a.x * b.z - b.x * a.z, a.x * b.y - b.x * a.y};
}

bool TQZMath::EqualVectors(const TVector& a, const TVector& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

TQZMath::TAngleDelta TQZMath::AngleDelta(float from, float to) {
  if (std::fabs(from - to) > 180.0f) from = from >= to ? from - 360.0f : from + 360.0f;
  return {std::fabs(to - from), to > from ? TurnToLarger : TurnToSmaller};
}

TVector TQZMath::AnglesTo(const TVector& from, const TVector& to) {
  TVector angles;
  const TVector d = Normalize(Difference(from, to));
  if (InArcDomain(d.y)) angles.x = std::asin(d.y) * RadToDeg;

  const TVector flat = Normalize(Difference(from, TVector{to.x, from.y, to.z}));
  float e = 0.0f;
  if (InArcDomain(flat.x)) e = std::acos(flat.x) * RadToDeg;
  angles.y = flat.z > 0.0f ? 270.0f - e : e - 90.0f;
  return angles;
}

TVector TQZMath::Scale(const TVector& v, float s) { return {v.x * s, v.y * s, v.z * s}; }

TVector TQZMath::Add(const TVector& a, const TVector& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }

float TQZMath::Distance(const TVector& a, const TVector& b) {
  const float dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

TVector TQZMath::Difference(const TVector& a, const TVector& b) { return {b.x - a.x, b.y - a.y, b.z - a.z}; }

TVector TQZMath::Normalize(const TVector& v) {
  const float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  if (length == 0.0f) return v;
  return {v.x / length, v.y / length, v.z / length};
}

TVector TQZMath::RotateVector(const TVector& v, const TVector& angles) {
  const float ax = angles.x * DegToRad, ay = angles.y * DegToRad, az = angles.z * DegToRad;
  const float x1 = std::cos(az) * v.x - std::sin(az) * v.y;
  const float y1 = std::sin(az) * v.x + std::cos(az) * v.y;
  const float z1 = v.z;
  const float y2 = std::cos(ax) * y1 - std::sin(ax) * z1;
  const float z2 = std::sin(ax) * y1 + std::cos(ax) * z1;
  return {std::sin(ay) * z2 + std::cos(ay) * x1, y2, std::cos(ay) * z2 - std::sin(ay) * x1};
}

TVector TQZMath::MoveForward(const TVector& angles, const TVector& point, float d) {
  return Add(point, RotateVector({0.0f, 0.0f, -d}, angles));
}

TVector TQZMath::MoveVertical(const TVector& angles, const TVector& point, float d) {
  return Add(point, RotateVector({0.0f, d, 0.0f}, angles));
}
