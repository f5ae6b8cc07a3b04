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
  // Long work keeps the room stepping but leaves the view as it was: on a software
  // rasteriser a drawn frame costs more than the rows baked between two of them.
  hooks.RenderFrame = [this] {
    if (!host_.InLongWork()) view_.update();
  };
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
  Resize(view_.PixelSize());
  gl_->InitGLState();
  gl_->Attach();
  view_.SetRenderer([this] { gl_->DrawFrame(); });
  view_.SetResizer([this](QSize pixels) { Resize(pixels); });
  // Left current: the model catalogue loads its textures next, during the start-up.
}

// The view renders at the panel's real pixels, and the pointer maps through the same view.
void ViewRenderer::Resize(QSize pixels) {
  gl_->ResizeGLScene(pixels.width(), pixels.height());
  engine_->Room->Camera.ViewWidth = pixels.width();
  engine_->Room->Camera.ViewHeight = pixels.height();
}

void ViewRenderer::Shutdown() {
  if (!gl_) return;
  view_.SetRenderer({});
  view_.SetResizer({});
  view_.makeCurrent();
  gl_->ShutdownGL();
  gl_.reset();
  view_.doneCurrent();
}

#else

void ViewRenderer::CreateContext() {}
void ViewRenderer::Shutdown() {}

#endif
