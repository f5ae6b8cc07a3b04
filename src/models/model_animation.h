#pragma once
// Skeletal animation on the processor: Euler matrices, the bind pose and joint-space
// vertices of an animation, the joints' transforms at a frame, and skinning into a
// buffer sized to the model.

#include <span>
#include <vector>

#include "models/ms3d_model.h"

TMatrix4 operator*(const TMatrix4& a, const TMatrix4& b);

// Rotation from angles in radians (x, then y, then z applied as the game does),
// with the translation in column 3.
TMatrix4 EulerMatrix(const TVector& angles, const TVector& translation);

// Rotation part times the vector, plus the translation.
TVector TransformPoint(const TMatrix4& m, const TVector& v);

// Copies the model's (unscaled) vertices into the animation, builds the bind pose,
// moves each jointed vertex into its joint's space and unwraps the rotation keys so
// no step between keys is larger than half a turn. The joints' parents must already
// be resolved (ResolveJointParents). Vertices naming a joint the animation lacks
// stay as they are.
void SetupAnimation(std::span<const TMS3DVertex> modelVertices, TModelAnimation& animation);

// The largest time among the last rotation key and the last position key of every joint.
float AnimationLastFrame(const TModelAnimation& animation);

// The value of a key track at a frame: linear between the keys around it, held at
// either end, zero without keys.
TVector InterpolateKeys(std::span<const TMS3DKey> keys, float frame);

// Every joint's final matrix at the frame.
void ComputeFrameTransforms(TModelAnimation& animation, float frame);

// The animation's vertices moved by their joints' final matrices, in vertex order.
void SkinVertices(const TModelAnimation& animation, std::vector<TVector>& out);

// One frame step of an animation instance: forward (1) or backward (2), wrapping
// when looping, clamped otherwise; other directions stand still. Frames count from 1.
float AdvanceFrame(float frame, float lastFrame, float step, int direction, bool loop);
