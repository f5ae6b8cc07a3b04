#pragma once
// A catalogue model of one square of side 2 in the plane z = 0 of model space, facing
// +z (counter-clockwise seen from there), scale 1, one untextured material. Written
// straight into a slot, so shadow tests need no model files.

#include "models/edit_model.h"

inline TVEModel& MakeSquareModel(TVEModel& model) {
  model.Vertices.clear();
  for (const TVector& p : {TVector{-1, -1, 0}, TVector{1, -1, 0}, TVector{1, 1, 0}, TVector{-1, 1, 0}}) {
    TMS3DVertex v;
    v.Position = p;
    model.Vertices.push_back(v);
  }
  model.Triangles.assign(2, {});
  model.Triangles[0].Indices = {0, 1, 2};
  model.Triangles[1].Indices = {0, 2, 3};
  model.Groups.assign(1, {});
  model.Groups[0].Triangles = {0, 1};
  model.Groups[0].Material = 0;
  model.Materials.assign(1, {});
  model.Scale = 1.0;
  model.Loaded = true;
  return model;
}
