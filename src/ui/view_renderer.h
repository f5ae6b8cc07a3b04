#pragma once
// Binds the room renderer to the view panel's GL context: the engine's start-up,
// frame and shut-down hooks make the context current around the renderer's work.
// Built without a renderer, the view only clears to a colour.

#include <QSize>
#include <memory>

struct EngineHooks;
class PanelView;
class QtHost;
class TQZEngine;
class TEditGL;

class ViewRenderer {
public:
  ViewRenderer(PanelView& view, QtHost& host);
  ~ViewRenderer();

  // Sets CreateGLContext, RenderFrame and ShutdownGL; the engine is handed over once it
  // exists, before its start-up runs.
  void InstallHooks(EngineHooks& hooks);
  void AttachEngine(TQZEngine& engine) { engine_ = &engine; }
  bool Active() const;
  // The view's context current on this thread, when the renderer runs.
  void MakeCurrent();
  // The room renderer, for drawing models offscreen; null while inactive.
  TEditGL* Gl() const { return gl_.get(); }

private:
  void CreateContext();
  void Shutdown();
  void Resize(QSize pixels);

  PanelView& view_;
  QtHost& host_;
  TQZEngine* engine_ = nullptr;
  std::unique_ptr<TEditGL> gl_;
};
