#include "models/model_animation.h"

#include <algorithm>
#include <cmath>
#include <numbers>

TMatrix4 operator*(const TMatrix4& a, const TMatrix4& b) {
  TMatrix4 r;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      for (int k = 0; k < 4; ++k) r.m[i][j] += a.m[i][k] * b.m[k][j];
  return r;
}

TMatrix4 EulerMatrix(const TVector& angles, const TVector& translation) {
  const float sx = std::sin(angles.x), cx = std::cos(angles.x);
  const float sy = std::sin(angles.y), cy = std::cos(angles.y);
  const float sz = std::sin(angles.z), cz = std::cos(angles.z);
  TMatrix4 r;
  r.m[0] = {cy * cz, sx * sy * cz - cx * sz, cx * sy * cz + sx * sz, translation.x};
  r.m[1] = {cy * sz, sx * sy * sz + cx * cz, cx * sy * sz - sx * cz, translation.y};
  r.m[2] = {-sy, sx * cy, cx * cy, translation.z};
  r.m[3] = {0.0f, 0.0f, 0.0f, 1.0f};
  return r;
}

TVector TransformPoint(const TMatrix4& m, const TVector& v) {
  const auto row = [&](int i) { return m.m[i][0] * v.x + m.m[i][1] * v.y + m.m[i][2] * v.z + m.m[i][3]; };
  return {row(0), row(1), row(2)};
}

namespace {

bool HasJoint(const TMS3DVertex& v, const TModelAnimation& animation) {
  return v.Bone >= 0 && static_cast<std::size_t>(v.Bone) < animation.Matrices.size();
}

// The inverse of a rigid transform applied to a point: untranslate, then rotate by
// the transpose.
TVector IntoJointSpace(const TMatrix4& absolute, const TVector& v) {
  const TVector d{v.x - absolute.m[0][3], v.y - absolute.m[1][3], v.z - absolute.m[2][3]};
  const auto column = [&](int j) { return absolute.m[0][j] * d.x + absolute.m[1][j] * d.y + absolute.m[2][j] * d.z; };
  return {column(0), column(1), column(2)};
}

// The key is moved by whole turns to within half a turn of the previous one, so the
// joint takes the shortest way between them instead of spinning round.
void UnwrapAngle(float previous, float& angle) {
  constexpr float Turn = 2.0f * std::numbers::pi_v<float>;
  if (std::fabs(angle - previous) > std::numbers::pi_v<float>) angle -= Turn * std::round((angle - previous) / Turn);
}

void UnwrapRotationKeys(std::vector<TMS3DKey>& keys) {
  for (std::size_t i = 1; i < keys.size(); ++i) {
    UnwrapAngle(keys[i - 1].Value.x, keys[i].Value.x);
    UnwrapAngle(keys[i - 1].Value.y, keys[i].Value.y);
    UnwrapAngle(keys[i - 1].Value.z, keys[i].Value.z);
  }
}

// Parents always precede their children (ResolveJointParents refuses the rest),
// so a parent's matrix is ready when its child needs it.
const TJointMatrices* ParentOf(const TModelAnimation& animation, std::size_t joint) {
  const int parent = animation.Joints[joint].Parent;
  return (parent >= 0 && static_cast<std::size_t>(parent) < joint) ? &animation.Matrices[parent] : nullptr;
}

}  // namespace

void SetupAnimation(std::span<const TMS3DVertex> modelVertices, TModelAnimation& animation) {
  animation.Vertices.assign(modelVertices.begin(), modelVertices.end());
  animation.Matrices.assign(animation.Joints.size(), TJointMatrices{});
  for (std::size_t i = 0; i < animation.Joints.size(); ++i) {
    const auto& joint = animation.Joints[i];
    auto& matrices = animation.Matrices[i];
    matrices.Relative = EulerMatrix(joint.Rotation, joint.Position);
    const auto* parent = ParentOf(animation, i);
    matrices.Absolute = parent ? parent->Absolute * matrices.Relative : matrices.Relative;
    matrices.AnimatedRelative = matrices.Relative;
    matrices.Final = matrices.Absolute;
  }
  for (auto& v : animation.Vertices)
    if (HasJoint(v, animation)) v.Position = IntoJointSpace(animation.Matrices[v.Bone].Absolute, v.Position);
  for (auto& joint : animation.Joints) UnwrapRotationKeys(joint.RotationKeys);
}

float AnimationLastFrame(const TModelAnimation& animation) {
  float last = 0.0f;
  for (const auto& joint : animation.Joints) {
    if (!joint.RotationKeys.empty()) last = std::max(last, joint.RotationKeys.back().Time);
    if (!joint.PositionKeys.empty()) last = std::max(last, joint.PositionKeys.back().Time);
  }
  return last;
}

TVector InterpolateKeys(std::span<const TMS3DKey> keys, float frame) {
  const auto next = std::find_if(keys.begin(), keys.end(), [&](const TMS3DKey& k) { return k.Time >= frame; });
  if (next == keys.end()) return keys.empty() ? TVector{} : keys.back().Value;
  if (next == keys.begin()) return next->Value;
  // Every key before `next` is earlier than the frame, so the span below is positive.
  const auto prev = std::prev(next);
  const float t = (frame - prev->Time) / (next->Time - prev->Time);
  const auto lerp = [t](float a, float b) { return a + (b - a) * t; };
  return {lerp(prev->Value.x, next->Value.x), lerp(prev->Value.y, next->Value.y), lerp(prev->Value.z, next->Value.z)};
}

void ComputeFrameTransforms(TModelAnimation& animation, float frame) {
  const std::size_t count = std::min(animation.Joints.size(), animation.Matrices.size());
  for (std::size_t i = 0; i < count; ++i) {
    const auto& joint = animation.Joints[i];
    auto& matrices = animation.Matrices[i];
    if (joint.RotationKeys.empty() && joint.PositionKeys.empty()) {
      matrices.Final = matrices.Absolute;
      continue;
    }
    const TMatrix4 key =
        EulerMatrix(InterpolateKeys(joint.RotationKeys, frame), InterpolateKeys(joint.PositionKeys, frame));
    matrices.AnimatedRelative = matrices.Relative * key;
    const auto* parent = ParentOf(animation, i);
    matrices.Final = parent ? parent->Final * matrices.AnimatedRelative : matrices.AnimatedRelative;
  }
}

void SkinVertices(const TModelAnimation& animation, std::vector<TVector>& out) {
  out.resize(animation.Vertices.size());
  for (std::size_t i = 0; i < animation.Vertices.size(); ++i) {
    const auto& v = animation.Vertices[i];
    out[i] = HasJoint(v, animation) ? TransformPoint(animation.Matrices[v.Bone].Final, v.Position) : v.Position;
  }
}

float AdvanceFrame(float frame, float lastFrame, float step, int direction, bool loop) {
  if (direction == 1) {
    frame += step;
    if (frame > lastFrame) frame = loop ? frame - (lastFrame - 1.0f) : lastFrame;
  } else if (direction == 2) {
    frame -= step;
    if (frame < 1.0f) frame = loop ? lastFrame - 1.0f + frame : 1.0f;
  }
  return frame;
}
