#pragma once
// The playing animation kept inside animated entities (tiles, doors, units).

#include <cstdint>

struct TAnimationInstance {
  std::int16_t Model = -1;      // model slot, -1 none
  std::int16_t Animation = -1;  // animation index, -1 none
  float Frame = 1.0f;
  float Speed = 0.0f;
  std::int16_t Direction = 1;  // 1 forward, 2 backward, anything else stands still
  bool Loop = true;
};
