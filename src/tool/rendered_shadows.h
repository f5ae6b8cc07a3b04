#pragma once
// The rendered shadow test for the command line: an offscreen GL context with the
// room renderer attached to the engine. Only built when the GL layer is.

#include <memory>
#include <string>

#include "surfaces/occlusion.h"

class TQZEngine;

class RenderedShadows {
public:
  virtual ~RenderedShadows() = default;
  virtual Occlusion& Test() = 0;
};

// A view of the given size. Nothing (with the reason in error) when the tool was built
// without GL or no context could be made.
std::unique_ptr<RenderedShadows> MakeRenderedShadows(TQZEngine& engine, ShadowView view, std::string& error);
