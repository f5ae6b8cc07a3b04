#pragma once
// One model of the catalogue drawn alone by the room renderer's model drawing (its
// skin, detail map and animation), framed by its bounds, for the Models dock's
// thumbnails and the Entities sheet's preview. It draws into whatever framebuffer is
// bound in the current context (an offscreen one: never the view's, never inside its
// frame) and leaves the TEditGL looking through the view's camera again.

#include <cstdint>

class TEditGL;

struct TModelSnapshot {
  std::int16_t slot = -1;
  float turn = 30.0f;  // degrees about the vertical axis
  std::int16_t animation = -1;
  float frame = 1.0f;
  int width = 64;
  int height = 64;
};

// False (and nothing drawn but the backdrop) when the slot holds no loaded model.
bool DrawModelSnapshot(TEditGL& gl, const TModelSnapshot& shot);
