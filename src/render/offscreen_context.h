#pragma once
// A GL context without a window: Mesa's surfaceless EGL platform with a
// compatibility-profile context drawing into a framebuffer object (RGBA colour,
// 24-bit depth). The tests and the command-line tool draw through it.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "render/glExt.h"

class OffscreenContext {
public:
  // A current context of the given size, or nothing with the reason in error.
  static std::unique_ptr<OffscreenContext> Create(int width, int height, std::string* error = nullptr);
  ~OffscreenContext();
  OffscreenContext(const OffscreenContext&) = delete;
  OffscreenContext& operator=(const OffscreenContext&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  GLProcLookup ProcLookup() const;
  void MakeCurrent();

  // The colour buffer as RGB rows, top row first.
  std::vector<unsigned char> ReadPixels() const;
  // Writes the colour buffer as a PNG; false when the file cannot be written.
  bool SavePng(const std::string& path) const;

private:
  OffscreenContext() = default;
  struct Impl;
  std::unique_ptr<Impl> impl_;
  int width_ = 0;
  int height_ = 0;
};
