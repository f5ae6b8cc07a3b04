#pragma once
// The in-memory form of a MilkShape 3D file: what the reader fills, the writer
// writes and the animation code skins. Key times are held in frames (the file
// stores seconds; the reader multiplies by the frames per second).

#include <array>
#include <cstdint>
#include <vector>

#include "core/short_string.h"
#include "core/vector.h"

struct TMS3DVertex {
  TVector Position;
  std::int8_t Bone = -1;  // joint index, -1 none
};

struct TMS3DTriangle {
  std::array<std::uint16_t, 3> Indices{};
  std::array<TVector, 3> Normals{};
  std::array<float, 3> S{};
  std::array<float, 3> T{};
};

struct TMS3DGroup {
  String32 Name;
  std::vector<std::uint16_t> Triangles;
  std::int8_t Material = -1;  // -1 none
};

using TRgba = std::array<float, 4>;

struct TMS3DMaterial {
  String32 Name;
  TRgba Ambient{}, Diffuse{}, Specular{}, Emissive{};
  float Shininess = 0.0f;
  float Transparency = 0.0f;
  std::uint8_t Mode = 0;
  String255 Texture;   // at most 127 characters in the file
  String255 AlphaMap;  // at most 127 characters in the file
  bool HasTexture = false;
  bool Enabled = true;
  std::int16_t TextureNumber = 0;  // which of the eight skin textures, 0..7
};

struct TMS3DKey {
  float Time = 0.0f;  // in frames
  TVector Value;      // angles in radians, or a position
};

struct TMS3DJoint {
  std::uint8_t Flags = 0;
  String32 Name;
  String32 ParentName;
  TVector Rotation;  // radians
  TVector Position;
  std::vector<TMS3DKey> RotationKeys;
  std::vector<TMS3DKey> PositionKeys;
  std::int16_t Parent = -1;  // resolved for animations; always an earlier joint
};

struct TMS3DContents {
  std::vector<TMS3DVertex> Vertices;
  std::vector<TMS3DTriangle> Triangles;
  std::vector<TMS3DGroup> Groups;
  std::vector<TMS3DMaterial> Materials;
  float Fps = 0.0f;
  float CurrentTime = 0.0f;
  std::int32_t TotalFrames = 0;  // kept, not used
  std::vector<TMS3DJoint> Joints;
};

// Row-major 4 x 4 matrix; m[row][column], translation in column 3.
struct TMatrix4 {
  std::array<std::array<float, 4>, 4> m{};
};

// The four matrices the skinning keeps per joint of an animation.
struct TJointMatrices {
  TMatrix4 Relative;          // from the joint's rotation and position
  TMatrix4 Absolute;          // bind pose: parent's absolute x relative
  TMatrix4 AnimatedRelative;  // relative x key transform of the current frame
  TMatrix4 Final;             // parent's final x animated relative
};

// One animation listed in a model definition, read from its own MS3D file.
struct TModelAnimation {
  String32 Name;
  float Fps = 0.0f;
  float CurrentTime = 0.0f;
  float LastFrame = 0.0f;  // largest key time of all joints, in frames
  std::vector<TMS3DJoint> Joints;
  // Filled by SetupAnimation: the model's vertices in joint-local space.
  std::vector<TMS3DVertex> Vertices;
  std::vector<TJointMatrices> Matrices;
};
