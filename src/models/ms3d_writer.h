#pragma once
// Writes MilkShape 3D files (version 4 layout, no trailing comment or extra
// sections). Used to build sample and test models; key times are given in frames,
// like the reader produces them, and written as seconds.

#include <cstdint>
#include <vector>

#include "models/ms3d_model.h"

std::vector<std::uint8_t> WriteMS3D(const TMS3DContents& contents);
