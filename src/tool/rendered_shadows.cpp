#include "tool/rendered_shadows.h"

#ifdef BRANNOCK_TOOL_HAS_GL

#include "render/edit_gl.h"
#include "render/offscreen_context.h"
#include "render/projection.h"

namespace {

class OffscreenShadows : public RenderedShadows {
public:
  OffscreenShadows(std::unique_ptr<OffscreenContext> context, TQZEngine& engine, ShadowView view)
      : context_(std::move(context)), gl_(engine, context_->ProcLookup()) {
    gl_.ResizeGLScene(view.width, view.height);
    gl_.InitGLState();
  }
  ~OffscreenShadows() override { gl_.ShutdownGL(); }
  Occlusion& Test() override { return gl_.Occlusion(); }

private:
  std::unique_ptr<OffscreenContext> context_;
  TEditGL gl_;
};

}  // namespace

std::unique_ptr<RenderedShadows> MakeRenderedShadows(TQZEngine& engine, ShadowView view, std::string& error) {
  auto context = OffscreenContext::Create(view.width, view.height, &error);
  if (!context) return nullptr;
  return std::make_unique<OffscreenShadows>(std::move(context), engine, view);
}

#else

std::unique_ptr<RenderedShadows> MakeRenderedShadows(TQZEngine&, ShadowView, std::string& error) {
  error = "this build has no GL layer";
  return nullptr;
}

#endif
