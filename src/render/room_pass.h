#pragma once
// The passes of one frame in drawing order, so a caller can watch the frame pass by
// pass (the frame benchmark times each one).

#include <array>
#include <functional>
#include <string_view>

enum class RoomPass { Clear, Surfaces, Sky, Grid, Entities, Water, Fields, Lights, Flares, SelectedSurface, Cursor };

inline constexpr std::array<RoomPass, 11> FramePasses = {
    RoomPass::Clear,  RoomPass::Surfaces, RoomPass::Sky,    RoomPass::Grid,            RoomPass::Entities,
    RoomPass::Water,  RoomPass::Fields,   RoomPass::Lights, RoomPass::Flares,          RoomPass::SelectedSurface,
    RoomPass::Cursor};

constexpr std::string_view PassName(RoomPass pass) {
  constexpr std::array<std::string_view, FramePasses.size()> Names = {
      "clear", "surfaces", "sky", "grid", "entities", "water", "fields", "lights", "flares", "selected", "cursor"};
  return Names[static_cast<std::size_t>(pass)];
}

// Called after each pass has been handed to GL, whether or not it drew anything.
using PassObserver = std::function<void(RoomPass)>;
