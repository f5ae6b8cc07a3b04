#pragma once
// Solid and wire primitives centred on the origin, for markers, lights and arrows.
// Cylinders and cones stand on the origin along +z, as GLU draws them.

void DrawSolidSphere(double radius);
void DrawWireSphere(double radius);
// Edge lengths along x, y and z.
void DrawSolidBox(double width, double height, double depth);
void DrawWireBox(double width, double height, double depth);
void DrawSolidCylinder(double radius, double height);
void DrawWireCylinder(double radius, double height);
void DrawWireCone(double radius, double height);
