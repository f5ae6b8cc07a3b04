#pragma once
// Small hand-built MS3D models for the model tests.

#include <cstdint>
#include <vector>

#include "models/ms3d_model.h"

namespace ms3d_fixture {

// A unit square in the XY plane: four vertices, two triangles sharing the diagonal
// (0, 2), one group, one material "skin" with texture "skin.bmp", 24 frames per second.
TMS3DContents Square();

// The two-joint arm of the skinning tests: "root" at (1, 0, 0), "tip" at (0, 2, 0)
// relative to root; vertex 0 on root, vertex 1 on tip, vertex 2 on none.
TMS3DContents TwoJointArm();

std::vector<std::uint8_t> Bytes(const TMS3DContents& contents);

}  // namespace ms3d_fixture
