#include "ui/view_renderer.h"

#include <QMessageBox>
#include <QOpenGLContext>

#include "engine/edit_engine.h"
#include "room/edit_room.h"
#include "ui/panel_view.h"
#include "ui/qt_host.h"

#ifdef BRANNOCK_HAS_RENDER
#include "render/edit_gl.h"
#include "render/gl_context_messages.h"
#else
class TEditGL {};
#endif

ViewRenderer::ViewRenderer(PanelView& view, QtHost& host) : view_(view), host_(host) {}

ViewRenderer::~ViewRenderer() = default;

bool ViewRenderer::Active() const { return gl_ != nullptr; }

void ViewRenderer::MakeCurrent() {
  if (gl_ && QOpenGLContext::currentContext() != view_.context()) view_.makeCurrent();
}

void ViewRenderer::InstallHooks(EngineHooks& hooks) {
  hooks.CreateGLContext = [this] { CreateContext(); };
  hooks.RenderFrame = [this] { view_.update(); };
  hooks.ShutdownGL = [this] { Shutdown(); };
}

#ifdef BRANNOCK_HAS_RENDER

void ViewRenderer::CreateContext() {
  if (!engine_) return;
  // The panel makes its context when first shown; the start-up runs after that.
  view_.makeCurrent();
  if (!view_.HasContext()) {
    const GLContextMessage message = ContextFailureMessage(GLContextFailure::RenderingContext);
    QMessageBox::warning(&view_, QString::fromLatin1(message.caption.data(), message.caption.size()),
                         QString::fromLatin1(message.text.data(), message.text.size()));
    return;
  }
  QOpenGLContext* context = view_.context();
  gl_ = std::make_unique<TEditGL>(*engine_, [context](const char* name) {
    return reinterpret_cast<void*>(context->getProcAddress(name));
  });
  gl_->ResizeGLScene(view_.width(), view_.height());
  // The pointer maps through the same view: in the panel's pointer pixels.
  engine_->Room->Camera.ViewWidth = view_.width();
  engine_->Room->Camera.ViewHeight = view_.height();
  gl_->InitGLState();
  gl_->Attach();
  view_.SetRenderer([this] { gl_->DrawFrame(); });
  // Left current: the model catalogue loads its textures next, during the start-up.
}

void ViewRenderer::Shutdown() {
  if (!gl_) return;
  view_.SetRenderer({});
  view_.makeCurrent();
  gl_->ShutdownGL();
  gl_.reset();
  view_.doneCurrent();
}

#else

void ViewRenderer::CreateContext() {}
void ViewRenderer::Shutdown() {}

#endif
