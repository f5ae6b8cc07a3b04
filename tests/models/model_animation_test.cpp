#include "models/model_animation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "models/ms3d_fixture.h"
#include "models/ms3d_reader.h"

namespace {

constexpr float Pi = std::numbers::pi_v<float>;

void ExpectNear(const TVector& actual, const TVector& expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-5f);
  EXPECT_NEAR(actual.y, expected.y, 1e-5f);
  EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

// Plain rotations about one axis each, written out independently of the code under test.
TVector RotX(const TVector& v, float a) {
  return {v.x, std::cos(a) * v.y - std::sin(a) * v.z, std::sin(a) * v.y + std::cos(a) * v.z};
}
TVector RotY(const TVector& v, float a) {
  return {std::cos(a) * v.x + std::sin(a) * v.z, v.y, -std::sin(a) * v.x + std::cos(a) * v.z};
}
TVector RotZ(const TVector& v, float a) {
  return {std::cos(a) * v.x - std::sin(a) * v.y, std::sin(a) * v.x + std::cos(a) * v.y, v.z};
}

TEST(EulerMatrix, RotatesAboutXThenYThenZAndTranslates) {
  const TVector angles{0.3f, -0.7f, 1.1f};
  const TVector v{0.5f, -2.0f, 3.0f};
  const TVector t{4.0f, 5.0f, 6.0f};
  const TVector rotated = RotZ(RotY(RotX(v, angles.x), angles.y), angles.z);
  ExpectNear(TransformPoint(EulerMatrix(angles, t), v), {rotated.x + t.x, rotated.y + t.y, rotated.z + t.z});
}

TEST(InterpolateKeys, AtBetweenAndBeyondTheKeys) {
  const std::vector<TMS3DKey> keys{{2.0f, {0, 10, 0}}, {6.0f, {4, 30, -8}}};
  ExpectNear(InterpolateKeys(keys, 2.0f), {0, 10, 0});
  ExpectNear(InterpolateKeys(keys, 6.0f), {4, 30, -8});
  ExpectNear(InterpolateKeys(keys, 3.0f), {1, 15, -2});
  ExpectNear(InterpolateKeys(keys, 0.0f), {0, 10, 0});
  ExpectNear(InterpolateKeys(keys, 99.0f), {4, 30, -8});
  ExpectNear(InterpolateKeys({}, 3.0f), {0, 0, 0});
}

TEST(AdvanceFrame, ForwardAndBackwardWithAndWithoutLoop) {
  EXPECT_FLOAT_EQ(AdvanceFrame(9.5f, 10.0f, 1.0f, 1, true), 1.5f);
  EXPECT_FLOAT_EQ(AdvanceFrame(9.5f, 10.0f, 1.0f, 1, false), 10.0f);
  EXPECT_FLOAT_EQ(AdvanceFrame(9.0f, 10.0f, 1.0f, 1, true), 10.0f);  // reaching the last frame is no wrap
  EXPECT_FLOAT_EQ(AdvanceFrame(1.5f, 10.0f, 1.0f, 2, true), 9.5f);
  EXPECT_FLOAT_EQ(AdvanceFrame(1.5f, 10.0f, 1.0f, 2, false), 1.0f);
  EXPECT_FLOAT_EQ(AdvanceFrame(4.0f, 10.0f, 1.0f, 0, true), 4.0f);
  EXPECT_FLOAT_EQ(AdvanceFrame(4.0f, 10.0f, 1.0f, 3, true), 4.0f);
}

TModelAnimation ArmAnimation() {
  const TMS3DContents arm = ms3d_fixture::TwoJointArm();
  TModelAnimation animation;
  animation.Joints = arm.Joints;
  animation.Joints[0].RotationKeys = {{1.0f, {0, 0, 0}}, {11.0f, {0, 0, Pi / 2}}};
  animation.Joints[1].PositionKeys = {{1.0f, {0, 0, 0}}, {11.0f, {1, 0, 0}}};
  EXPECT_TRUE(ResolveJointParents(animation.Joints));
  SetupAnimation(arm.Vertices, animation);
  return animation;
}

// Root at (1, 0, 0) turns about Z by theta; the tip, 2 up the root, slides out by t
// along the root's x. Vertex 0 sits 1 above the root, vertex 1 1 above the tip.
TEST(Skinning, TwoJointArmMatchesTheHandComputedPose) {
  TModelAnimation animation = ArmAnimation();
  EXPECT_FLOAT_EQ(AnimationLastFrame(animation), 11.0f);
  for (float frame : {0.0f, 1.0f, 3.5f, 6.0f, 11.0f, 20.0f}) {
    SCOPED_TRACE(frame);
    const float t = std::clamp((frame - 1.0f) / 10.0f, 0.0f, 1.0f);
    const float theta = t * Pi / 2;
    ComputeFrameTransforms(animation, frame);
    std::vector<TVector> skinned;
    SkinVertices(animation, skinned);
    ASSERT_EQ(skinned.size(), 4u);
    ExpectNear(skinned[0], {1 - std::sin(theta), std::cos(theta), 0});
    ExpectNear(skinned[1], {1 + t * std::cos(theta) - 3 * std::sin(theta), t * std::sin(theta) + 3 * std::cos(theta), 0});
    ExpectNear(skinned[2], {5, 5, 5});
  }
}

TEST(Skinning, JointsWithoutKeysKeepTheBindPose) {
  TMS3DContents arm = ms3d_fixture::TwoJointArm();
  arm.Joints[0].Rotation = {0.3f, -0.7f, 1.1f};
  arm.Joints[1].Rotation = {-0.2f, 0.4f, 0.9f};
  TModelAnimation animation;
  animation.Joints = arm.Joints;
  ASSERT_TRUE(ResolveJointParents(animation.Joints));
  SetupAnimation(arm.Vertices, animation);
  ComputeFrameTransforms(animation, 5.0f);
  std::vector<TVector> skinned;
  SkinVertices(animation, skinned);
  for (std::size_t i = 0; i < skinned.size(); ++i) ExpectNear(skinned[i], arm.Vertices[i].Position);
}

TEST(Skinning, RotationOnlyKeysUseNoOffsetAndVerticesOfMissingJointsStay) {
  TMS3DContents arm = ms3d_fixture::TwoJointArm();
  arm.Vertices[3] = {{7, 8, 9}, 42};  // names a joint the animation lacks
  TModelAnimation animation;
  animation.Joints = {arm.Joints[0]};
  animation.Joints[0].RotationKeys = {{1.0f, {0, 0, Pi}}};
  ASSERT_TRUE(ResolveJointParents(animation.Joints));
  SetupAnimation(arm.Vertices, animation);
  ComputeFrameTransforms(animation, 1.0f);
  std::vector<TVector> skinned;
  SkinVertices(animation, skinned);
  ExpectNear(skinned[0], {1, -1, 0});  // (0, 1, 0) about the root, half a turn
  ExpectNear(skinned[1], {1, 3, 0});   // joint 1 is not in this animation
  ExpectNear(skinned[3], {7, 8, 9});
}

TEST(SetupAnimation, RotationKeysTakeTheShortestWay) {
  TModelAnimation animation;
  animation.Joints.resize(1);
  // Up across the seam, on along it, back down across it, and a jump of more than
  // one and a half turns.
  animation.Joints[0].RotationKeys = {{1, {-3.0f, 0, 0}},     {2, {3.0f, 0.5f, 0}}, {3, {2.9f, 0.6f, 0}},
                                      {4, {-3.1f, 0.6f, 0}}, {5, {-3.0f, 10.0f, 0}}};
  SetupAnimation({}, animation);
  const auto& keys = animation.Joints[0].RotationKeys;
  EXPECT_FLOAT_EQ(keys[1].Value.x, 3.0f - 2 * Pi);  // upward jump: a turn less
  EXPECT_FLOAT_EQ(keys[2].Value.x, 2.9f - 2 * Pi);
  EXPECT_NEAR(keys[3].Value.x, -3.1f, 1e-5f);  // back within half a turn of the last key
  EXPECT_FLOAT_EQ(keys[2].Value.y, 0.6f);
  EXPECT_NEAR(keys[4].Value.y, 10.0f - 2 * Pi, 1e-5f);
  // A quarter of the way the joint has turned a little past -3, not spun towards 0.
  ComputeFrameTransforms(animation, 1.25f);
  EXPECT_NEAR(animation.Matrices[0].Final.m[1][1], std::cos(-3.0f + 0.25f * (6.0f - 2 * Pi)), 1e-4f);

  animation.Joints[0].RotationKeys = {{1, {3.0f, 0, 0}}, {2, {-3.0f, 0, 0}}};
  SetupAnimation({}, animation);
  EXPECT_FLOAT_EQ(animation.Joints[0].RotationKeys[1].Value.x, -3.0f + 2 * Pi);  // downward: a turn more
}

TEST(AnimationLastFrame, TakesTheLastKeyOfEachTrack) {
  TModelAnimation animation;
  animation.Joints.resize(2);
  animation.Joints[0].RotationKeys = {{4, {}}, {9, {}}};
  animation.Joints[1].PositionKeys = {{12, {}}, {7, {}}};  // out of order: the last key counts
  EXPECT_FLOAT_EQ(AnimationLastFrame(animation), 9.0f);
}

}  // namespace
