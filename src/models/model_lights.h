#pragma once
// Which GL lights light a drawn model, and with which values. Kept apart from the GL
// calls: the renderer applies the result, the tests check it.

#include <array>
#include <optional>

#include "core/vector.h"
#include "models/ms3d_model.h"

class TRoom;

// The placed model's reach around its position (already times its scale and size).
struct TModelExtents {
  float Depth = 0.0f;
  float Height = 0.0f;
  float Horizontal = 0.0f;
};

struct TGLLightValues {
  TRgba Ambient{};
  TRgba Diffuse{};
  TRgba Position{};  // w = 0: a direction
  TRgba Specular{};
  float Constant = 1.0f;
  float Linear = 0.0f;
  float Quadratic = 0.0f;
};

struct TModelLights {
  bool EnableLighting = false;
  std::array<std::optional<TGLLightValues>, 8> Lights;  // nothing = that GL light is off
};

// Unlit: a fixed head light. Lit: the sun (when asked for and the room's diffuse
// colour is not black), then the room's active lights that reach the model's box, in
// slot order, as long as GL lights are left. useSun admits lights without an
// effect, useLights those with one.
TModelLights ChooseModelLights(const TRoom& room, bool lighting, bool useSun, bool useLights,
                               const TModelExtents& extents, const TVector& position);
