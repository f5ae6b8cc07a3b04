#include "core/edit_math.h"

#include <gtest/gtest.h>

#include <random>

namespace {

void ExpectNear(const TVector& actual, const TVector& expected, float tolerance = 1e-5f) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

}  // namespace

TEST(EditMath, RandomBetweenStaysInThousandthsBelowHigh) {
  std::mt19937 generator(7);
  TQZMath math(generator);
  float lowest = 10.0f, highest = -10.0f;
  for (int i = 0; i < 20000; ++i) {
    const float r = math.RandomBetween(2.0f, 3.0f);
    ASSERT_GE(r, 2.0f);
    ASSERT_LT(r, 3.0f);
    const float thousandths = (r - 2.0f) * 1000.0f;
    ASSERT_NEAR(thousandths, std::round(thousandths), 1e-2f) << r;
    lowest = std::min(lowest, r);
    highest = std::max(highest, r);
  }
  EXPECT_FLOAT_EQ(lowest, 2.0f);
  EXPECT_NEAR(highest, 2.999f, 1e-5f);

  for (int i = 0; i < 5000; ++i) {
    const float r = math.RandomBetween(3.0f, 2.0f);
    ASSERT_LE(r, 3.0f);
    ASSERT_GT(r, 2.0f) << "reversed bounds run from low down to just above high";
  }
}

TEST(EditMath, AngleDeltaTurnsAcrossTheSeam) {
  auto d = TQZMath::AngleDelta(350, 10);
  EXPECT_FLOAT_EQ(d.Delta, 20);
  EXPECT_EQ(d.Direction, TQZMath::TurnToLarger);
  d = TQZMath::AngleDelta(10, 350);
  EXPECT_FLOAT_EQ(d.Delta, 20);
  EXPECT_EQ(d.Direction, TQZMath::TurnToSmaller);
  d = TQZMath::AngleDelta(90, 100);
  EXPECT_FLOAT_EQ(d.Delta, 10);
  EXPECT_EQ(d.Direction, 4);
  d = TQZMath::AngleDelta(100, 100);
  EXPECT_FLOAT_EQ(d.Delta, 0);
  EXPECT_EQ(d.Direction, 3) << "no turn needed counts as towards smaller";
  d = TQZMath::AngleDelta(0, 180);
  EXPECT_FLOAT_EQ(d.Delta, 180) << "exactly 180 apart is not unwrapped";
  EXPECT_EQ(d.Direction, 4);
}

TEST(EditMath, AnglesToAimsLikeTheCamera) {
  const TVector origin{0, 0, 0};
  ExpectNear(TQZMath::AnglesTo(origin, {0, 0, -1}), {0, 0, 0});
  ExpectNear(TQZMath::AnglesTo(origin, {1, 0, 0}), {0, -90, 0});
  ExpectNear(TQZMath::AnglesTo(origin, {-1, 0, 0}), {0, 90, 0});
  ExpectNear(TQZMath::AnglesTo(origin, {0, 0, 1}), {0, 180, 0});
  {
    SCOPED_TRACE("straight up: the flat direction is zero");
    ExpectNear(TQZMath::AnglesTo(origin, {0, 1, 0}), {90, 0, 0});
  }
  ExpectNear(TQZMath::AnglesTo({5, 5, 5}, {5, 4, 4}), {-45, 0, 0}, 1e-4f);

  // The angles found must point MoveForward back at the target.
  const TVector from{1, 2, 3}, to{-4, 6, 0.5f};
  const TVector aimed = TQZMath::MoveForward(TQZMath::AnglesTo(from, to), from, TQZMath::Distance(from, to));
  ExpectNear(aimed, to, 1e-4f);
}

TEST(EditMath, NormalizeAndVectorArithmetic) {
  ExpectNear(TQZMath::Normalize({0, 0, 0}), {0, 0, 0});
  ExpectNear(TQZMath::Normalize({3, 0, 4}), {0.6f, 0, 0.8f});
  ExpectNear(TQZMath::Difference({1, 2, 3}, {4, 4, 4}), {3, 2, 1});
  EXPECT_FLOAT_EQ(TQZMath::Distance({1, 2, 3}, {4, 6, 3}), 5);
  {
    SCOPED_TRACE("middle component negated against cross(x, z) = -y");
    ExpectNear(TQZMath::NormalOf({1, 0, 0}, {0, 0, 1}), {0, 1, 0});
  }
  ExpectNear(TQZMath::NormalOf({1, 2, 3}, {4, 5, 6}), {2 * 6 - 5 * 3, 1 * 6 - 4 * 3, 1 * 5 - 4 * 2});
  EXPECT_TRUE(TQZMath::EqualVectors({1, 2, 3}, {1, 2, 3}));
  EXPECT_FALSE(TQZMath::EqualVectors({1, 2, 3}, {1, 2, 3.0001f}));
}

TEST(EditMath, RotationOrderAndMovement) {
  // Yaw 90 turns the forward direction -z towards -x.
  ExpectNear(TQZMath::MoveForward({0, 90, 0}, {0, 0, 0}, 2), {-2, 0, 0});
  // Pitch 90 looks up.
  ExpectNear(TQZMath::MoveForward({90, 0, 0}, {1, 1, 1}, 2), {1, 3, 1});
  {
    SCOPED_TRACE("roll tips up towards -x");
    ExpectNear(TQZMath::MoveVertical({0, 0, 90}, {0, 0, 0}, 1), {-1, 0, 0});
  }
  // z, then x, then y: roll 90 then yaw 90 moves x to y and keeps it there.
  ExpectNear(TQZMath::RotateVector({1, 0, 0}, {0, 90, 90}), {0, 1, 0});
  // Pitch applies before yaw: the closed form of MoveForward.
  const float pitch = 30, yaw = 60, d = 3;
  const float rp = pitch * 3.14159265f / 180, ry = yaw * 3.14159265f / 180;
  ExpectNear(TQZMath::MoveForward({pitch, yaw, 0}, {0, 0, 0}, d),
             {-d * std::cos(rp) * std::sin(ry), d * std::sin(rp), -d * std::cos(rp) * std::cos(ry)});
}
