#pragma once
// What the window shows when it cannot bind a GL context to the view panel, or cannot
// let go of it at shut-down. The window creates the context; the texts are shared so
// every platform binding reports the same way.

#include <string_view>

enum class GLContextFailure {
  DeviceContext,
  PixelFormatChoice,
  PixelFormatSet,
  RenderingContext,
  Activate,
  ReleaseCurrent,
  DeleteContext,
};

struct GLContextMessage {
  std::string_view caption;
  std::string_view text;
  bool warningIcon;  // creation failures warn, shut-down failures are errors
};

GLContextMessage ContextFailureMessage(GLContextFailure failure);
