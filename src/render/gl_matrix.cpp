#include "render/gl_matrix.h"

#include <cmath>

namespace {

using Elements = TGLMatrix::Elements;

// m[column * 4 + row], as GL stores it.
constexpr int At(int row, int column) { return column * 4 + row; }

// product = a x b, each element summed left to right as the library does.
Elements Multiply(const Elements& a, const Elements& b) {
  Elements p{};
  for (int i = 0; i < 4; ++i) {
    const float ai0 = a[At(i, 0)], ai1 = a[At(i, 1)], ai2 = a[At(i, 2)], ai3 = a[At(i, 3)];
    for (int j = 0; j < 4; ++j)
      p[At(i, j)] = ai0 * b[At(0, j)] + ai1 * b[At(1, j)] + ai2 * b[At(2, j)] + ai3 * b[At(3, j)];
  }
  return p;
}

}  // namespace

void TGLMatrix::Translate(float x, float y, float z) {
  Elements& m = m_;
  m[12] = m[0] * x + m[4] * y + m[8] * z + m[12];
  m[13] = m[1] * x + m[5] * y + m[9] * z + m[13];
  m[14] = m[2] * x + m[6] * y + m[10] * z + m[14];
  m[15] = m[3] * x + m[7] * y + m[11] * z + m[15];
}

void TGLMatrix::Rotate(float angle, float x, float y, float z) {
  // GL leaves the matrix alone for a zero angle.
  if (angle == 0.0f) return;
  // The angle goes to radians in double, the sine and cosine are taken in float.
  const auto radians = static_cast<float>(angle * 3.14159265358979323846 / 180.0);
  const float s = std::sin(radians);
  const float c = std::cos(radians);
  Elements r{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  // The two axes turned, in the order that makes a positive angle counter-clockwise.
  int a = 1, b = 2;
  float sign = x;
  if (y != 0.0f) a = 2, b = 0, sign = y;
  if (z != 0.0f) a = 0, b = 1, sign = z;
  r[At(a, a)] = c;
  r[At(b, b)] = c;
  r[At(a, b)] = sign < 0.0f ? s : -s;
  r[At(b, a)] = sign < 0.0f ? -s : s;
  MultiplyBy(r);
}

void TGLMatrix::MultiplyBy(const Elements& b) { m_ = Multiply(m_, b); }

TGLMatrix TGLMatrix::Combined(const TGLMatrix& projection, const TGLMatrix& modelview) {
  return TGLMatrix(Multiply(projection.m_, modelview.m_));
}

TClipVertex TGLMatrix::Apply(float x, float y, float z) const {
  // Row by row, summed left to right without fused multiply-adds.
  const Elements& m = m_;
  const auto row = [&](int r) { return x * m[At(r, 0)] + y * m[At(r, 1)] + z * m[At(r, 2)] + m[At(r, 3)]; };
  return {row(0), row(1), row(2), row(3)};
}
