#include "render/offscreen_context.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <QImage>

#include "render/gl_api.h"

struct OffscreenContext::Impl {
  EGLDisplay display = EGL_NO_DISPLAY;
  EGLContext context = EGL_NO_CONTEXT;
  PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
  PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers = nullptr;
  PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers = nullptr;
  GLuint framebuffer = 0;
  GLuint colorBuffer = 0;
  GLuint depthBuffer = 0;
};

namespace {

template <typename Function>
Function Lookup(const char* name) {
  return reinterpret_cast<Function>(eglGetProcAddress(name));
}

bool Fail(std::string* error, const std::string& text) {
  if (error != nullptr) *error = text;
  return false;
}

bool OpenDisplay(EGLDisplay& display, std::string* error) {
  auto getPlatformDisplay = Lookup<PFNEGLGETPLATFORMDISPLAYEXTPROC>("eglGetPlatformDisplayEXT");
  if (getPlatformDisplay == nullptr) return Fail(error, "EGL offers no platform displays");
  display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) {
    return Fail(error, "no surfaceless EGL display");
  }
  return true;
}

}  // namespace

std::unique_ptr<OffscreenContext> OffscreenContext::Create(int width, int height, std::string* error) {
  std::unique_ptr<OffscreenContext> result(new OffscreenContext);
  result->impl_ = std::make_unique<Impl>();
  result->width_ = width;
  result->height_ = height;
  Impl& gl = *result->impl_;
  if (!OpenDisplay(gl.display, error)) return nullptr;
  if (!eglBindAPI(EGL_OPENGL_API)) return Fail(error, "EGL cannot bind desktop GL"), nullptr;

  const EGLint configAttributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                     EGL_NONE};
  EGLConfig config = nullptr;
  EGLint configs = 0;
  eglChooseConfig(gl.display, configAttributes, &config, 1, &configs);
  // Immediate mode and the fixed pipeline need the compatibility profile.
  const EGLint contextAttributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                      EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
  gl.context = eglCreateContext(gl.display, configs > 0 ? config : EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT,
                                contextAttributes);
  if (gl.context == EGL_NO_CONTEXT) return Fail(error, "no compatibility GL context"), nullptr;
  result->MakeCurrent();

  gl.genFramebuffers = Lookup<PFNGLGENFRAMEBUFFERSPROC>("glGenFramebuffers");
  gl.deleteFramebuffers = Lookup<PFNGLDELETEFRAMEBUFFERSPROC>("glDeleteFramebuffers");
  gl.deleteRenderbuffers = Lookup<PFNGLDELETERENDERBUFFERSPROC>("glDeleteRenderbuffers");
  auto bindFramebuffer = Lookup<PFNGLBINDFRAMEBUFFERPROC>("glBindFramebuffer");
  auto genRenderbuffers = Lookup<PFNGLGENRENDERBUFFERSPROC>("glGenRenderbuffers");
  auto bindRenderbuffer = Lookup<PFNGLBINDRENDERBUFFERPROC>("glBindRenderbuffer");
  auto renderbufferStorage = Lookup<PFNGLRENDERBUFFERSTORAGEPROC>("glRenderbufferStorage");
  auto attach = Lookup<PFNGLFRAMEBUFFERRENDERBUFFERPROC>("glFramebufferRenderbuffer");
  auto status = Lookup<PFNGLCHECKFRAMEBUFFERSTATUSPROC>("glCheckFramebufferStatus");
  if (!gl.genFramebuffers || !bindFramebuffer || !genRenderbuffers || !bindRenderbuffer || !renderbufferStorage ||
      !attach || !status || !gl.deleteFramebuffers || !gl.deleteRenderbuffers) {
    return Fail(error, "framebuffer objects are missing"), nullptr;
  }
  genRenderbuffers(1, &gl.colorBuffer);
  bindRenderbuffer(GL_RENDERBUFFER, gl.colorBuffer);
  renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
  genRenderbuffers(1, &gl.depthBuffer);
  bindRenderbuffer(GL_RENDERBUFFER, gl.depthBuffer);
  renderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
  gl.genFramebuffers(1, &gl.framebuffer);
  bindFramebuffer(GL_FRAMEBUFFER, gl.framebuffer);
  attach(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, gl.colorBuffer);
  attach(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, gl.depthBuffer);
  if (status(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) return Fail(error, "framebuffer incomplete"), nullptr;
  glViewport(0, 0, width, height);
  return result;
}

OffscreenContext::~OffscreenContext() {
  if (!impl_ || impl_->display == EGL_NO_DISPLAY) return;
  if (impl_->context != EGL_NO_CONTEXT) {
    MakeCurrent();
    if (impl_->framebuffer != 0) impl_->deleteFramebuffers(1, &impl_->framebuffer);
    const GLuint buffers[] = {impl_->colorBuffer, impl_->depthBuffer};
    if (impl_->deleteRenderbuffers != nullptr) impl_->deleteRenderbuffers(2, buffers);
    eglMakeCurrent(impl_->display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(impl_->display, impl_->context);
  }
}

GLProcLookup OffscreenContext::ProcLookup() const {
  return [](const char* name) { return reinterpret_cast<void*>(eglGetProcAddress(name)); };
}

void OffscreenContext::MakeCurrent() {
  eglMakeCurrent(impl_->display, EGL_NO_SURFACE, EGL_NO_SURFACE, impl_->context);
}

std::vector<unsigned char> OffscreenContext::ReadPixels() const {
  std::vector<unsigned char> rows(static_cast<std::size_t>(width_) * height_ * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width_, height_, GL_RGB, GL_UNSIGNED_BYTE, rows.data());
  // GL reads bottom-up; callers think top-down like an image.
  const std::size_t stride = static_cast<std::size_t>(width_) * 3;
  for (int top = 0, bottom = height_ - 1; top < bottom; ++top, --bottom) {
    std::swap_ranges(rows.begin() + static_cast<std::ptrdiff_t>(top * stride),
                     rows.begin() + static_cast<std::ptrdiff_t>((top + 1) * stride),
                     rows.begin() + static_cast<std::ptrdiff_t>(bottom * stride));
  }
  return rows;
}

bool OffscreenContext::SavePng(const std::string& path) const {
  const auto rows = ReadPixels();
  const QImage image(rows.data(), width_, height_, width_ * 3, QImage::Format_RGB888);
  return image.save(QString::fromStdString(path), "PNG");
}
