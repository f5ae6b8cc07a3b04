#pragma once
// The passes of one frame in drawing order, so a caller can watch the frame pass by
// pass (the frame benchmark times each one).

#include <array>
#include <functional>
#include <string_view>

enum class RoomPass { Clear, Sky, Grid, Surfaces, Entities, Water, Fields, Lights, Flares, SelectedSurface, Cursor };

inline constexpr std::array<RoomPass, 11> FramePasses = {
    RoomPass::Clear,  RoomPass::Sky,    RoomPass::Grid,   RoomPass::Surfaces, RoomPass::Entities,       RoomPass::Water,
    RoomPass::Fields, RoomPass::Lights, RoomPass::Flares, RoomPass::SelectedSurface, RoomPass::Cursor};

constexpr std::string_view PassName(RoomPass pass) {
  constexpr std::array<std::string_view, FramePasses.size()> Names = {
      "clear", "sky", "grid", "surfaces", "entities", "water", "fields", "lights", "flares", "selected", "cursor"};
  return Names[static_cast<std::size_t>(pass)];
}

// Called after each pass has been handed to GL, whether or not it drew anything.
using PassObserver = std::function<void(RoomPass)>;
