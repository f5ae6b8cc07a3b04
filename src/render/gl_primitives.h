#pragma once
// Solid and wire primitives centred on the origin, for markers, lights and arrows.
// Cylinders stand upright (along y) around the origin; cones point along +z from their
// base at the origin, as GLU draws them.

void DrawSolidSphere(double radius);
void DrawWireSphere(double radius);
// Edge lengths along x, y and z.
void DrawSolidBox(double width, double height, double depth);
void DrawWireBox(double width, double height, double depth);
void DrawSolidCylinder(double radius, double height);
void DrawWireCylinder(double radius, double height);
void DrawWireCone(double radius, double height);
