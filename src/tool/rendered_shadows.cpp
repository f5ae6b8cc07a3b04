#include "tool/rendered_shadows.h"

#ifdef BRANNOCK_TOOL_HAS_GL

#include "render/edit_gl.h"
#include "render/offscreen_context.h"
#include "render/projection.h"

namespace {

// The editor's view size, so the rendered test reads the pixel it reads there.
constexpr int ViewWidth = 640;
constexpr int ViewHeight = 480;

class OffscreenShadows : public RenderedShadows {
public:
  OffscreenShadows(std::unique_ptr<OffscreenContext> context, TQZEngine& engine)
      : context_(std::move(context)), gl_(engine, context_->ProcLookup()) {
    gl_.ResizeGLScene(ViewWidth, ViewHeight);
    gl_.InitGLState();
  }
  ~OffscreenShadows() override { gl_.ShutdownGL(); }
  Occlusion& Test() override { return gl_.Occlusion(); }

private:
  std::unique_ptr<OffscreenContext> context_;
  TEditGL gl_;
};

}  // namespace

std::unique_ptr<RenderedShadows> MakeRenderedShadows(TQZEngine& engine, std::string& error) {
  auto context = OffscreenContext::Create(ViewWidth, ViewHeight, &error);
  if (!context) return nullptr;
  return std::make_unique<OffscreenShadows>(std::move(context), engine);
}

#else

std::unique_ptr<RenderedShadows> MakeRenderedShadows(TQZEngine&, std::string& error) {
  error = "this build has no GL layer";
  return nullptr;
}

#endif
