#pragma once
// A 4 x 4 matrix built and applied in the same steps and float precision as the GL
// library (Mesa) builds and applies its own matrix stack and fixed-function vertex
// transform. A vertex transformed here and handed to GL with identity matrices lands
// on exactly the pixels it would have covered had GL transformed it, so geometry with
// a matrix per item can go to GL as one batch.

#include <array>

struct TClipVertex {
  float x, y, z, w;
};

class TGLMatrix {
public:
  // Column-major, as glGetFloatv gives it.
  using Elements = std::array<float, 16>;

  TGLMatrix() = default;
  explicit TGLMatrix(const Elements& m) : m_(m) {}

  // As glTranslatef and glRotatef (the axis one of the unit axes, either sign).
  void Translate(float x, float y, float z);
  void Rotate(float angle, float x, float y, float z);
  // projection x modelview, as GL combines the two before it transforms a vertex.
  static TGLMatrix Combined(const TGLMatrix& projection, const TGLMatrix& modelview);
  const Elements& Values() const { return m_; }
  // The clip coordinates of (x, y, z, 1).
  TClipVertex Apply(float x, float y, float z) const;

private:
  void MultiplyBy(const Elements& b);
  Elements m_{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
};
