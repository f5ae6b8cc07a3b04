#include "render/gl_primitives.h"

#include "render/gl_api.h"

namespace {

constexpr int Slices = 16;
constexpr int Stacks = 8;

// One quadric per call keeps the functions free of shared state; GLU makes them cheap.
template <typename Draw>
void WithQuadric(GLenum style, Draw draw) {
  GLUquadric* quadric = gluNewQuadric();
  if (quadric == nullptr) return;
  gluQuadricDrawStyle(quadric, style);
  gluQuadricNormals(quadric, GLU_SMOOTH);
  draw(quadric);
  gluDeleteQuadric(quadric);
}

void Box(double width, double height, double depth, GLenum faceMode) {
  const double x = width / 2, y = height / 2, z = depth / 2;
  // Faces wound counter-clockwise seen from outside, with their normals.
  const double faces[6][4][3] = {
      {{-x, -y, z}, {x, -y, z}, {x, y, z}, {-x, y, z}},      {{x, -y, -z}, {-x, -y, -z}, {-x, y, -z}, {x, y, -z}},
      {{x, -y, z}, {x, -y, -z}, {x, y, -z}, {x, y, z}},      {{-x, -y, -z}, {-x, -y, z}, {-x, y, z}, {-x, y, -z}},
      {{-x, y, z}, {x, y, z}, {x, y, -z}, {-x, y, -z}},      {{-x, -y, -z}, {x, -y, -z}, {x, -y, z}, {-x, -y, z}},
  };
  const double normals[6][3] = {{0, 0, 1}, {0, 0, -1}, {1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}};
  for (int face = 0; face < 6; ++face) {
    glBegin(faceMode);
    glNormal3dv(normals[face]);
    for (const auto& corner : faces[face]) glVertex3dv(corner);
    glEnd();
  }
}

// GLU builds cylinders along +z from the origin; ours stand upright around it.
void Cylinder(double radius, double height, GLenum style) {
  glPushMatrix();
  glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
  glTranslated(0.0, 0.0, -height / 2);
  WithQuadric(style, [&](GLUquadric* q) { gluCylinder(q, radius, radius, height, Slices, 1); });
  glPopMatrix();
}

}  // namespace

void DrawSolidSphere(double radius) {
  WithQuadric(GLU_FILL, [&](GLUquadric* q) { gluSphere(q, radius, Slices, Stacks); });
}

void DrawWireSphere(double radius) {
  WithQuadric(GLU_LINE, [&](GLUquadric* q) { gluSphere(q, radius, Slices, Stacks); });
}

void DrawSolidBox(double width, double height, double depth) { Box(width, height, depth, GL_QUADS); }

void DrawWireBox(double width, double height, double depth) { Box(width, height, depth, GL_LINE_LOOP); }

void DrawSolidCylinder(double radius, double height) { Cylinder(radius, height, GLU_FILL); }

void DrawWireCylinder(double radius, double height) { Cylinder(radius, height, GLU_LINE); }

void DrawWireCone(double radius, double height) {
  WithQuadric(GLU_LINE, [&](GLUquadric* q) { gluCylinder(q, radius, 0.0, height, Slices, 1); });
}
