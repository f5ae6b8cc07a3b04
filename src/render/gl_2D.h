#pragma once
// A virtual 640 x 480 screen with y downward for overlays and lens flares, whatever
// the view panel's real size.

constexpr float VirtualWidth = 640.0f;
constexpr float VirtualHeight = 480.0f;

// Pushes both matrices and sets the virtual screen's orthographic projection.
void BeginOverlay2D();
// Pops both matrices and leaves the model-view at identity.
void EndOverlay2D();
