#include "render/edit_gl.h"

#include <string>

#include "engine/edit_engine.h"
#include "models/edit_model.h"
#include "render/gl_room.h"
#include "render/gl_surface_textures.h"
#include "render/projection.h"
#include "room/edit_room.h"
#include "room/view_mapping.h"
#include "surfaces/light_map.h"

namespace {

// The flat views' geometry is shared with the pointer's mapping (room/view_mapping.h).
using namespace view_geometry;

void Switch(GLenum capability, bool on) {
  if (on) {
    glEnable(capability);
  } else {
    glDisable(capability);
  }
}

}  // namespace

TEditGL::TEditGL(TQZEngine& engine, GLProcLookup lookup)
    : engine_(engine),
      lookup_(std::move(lookup)),
      roomRenderer_(std::make_unique<TRoomRenderer>(*this)),
      projection_(std::make_unique<TProjection>(*this)),
      occlusion_(std::make_unique<GLOcclusion>(*this)),
      surfaceTextures_(std::make_unique<GLSurfaceTextures>(*this)),
      lightMaps_(std::make_unique<LightMapBaker>(*engine.Room)) {
  lightMaps_->RenderedTest = occlusion_.get();
}

TEditGL::~TEditGL() { Detach(); }

TRoom& TEditGL::Room() { return *engine_.Room; }

Form& TEditGL::MainForm() { return engine_.GetHost().GetForm(FormId::Main); }

bool TEditGL::MenuChecked(std::string_view item) {
  if (frameSwitches_) {
    for (std::size_t i = 0; i < view_menu::Switches.size(); ++i)
      if (view_menu::Switches[i] == item) return (*frameSwitches_)[i];
  }
  return MainForm().Checked(item);
}

void TEditGL::ResizeGLScene(int width, int height) {
  viewWidth_ = width;
  viewHeight_ = height > 0 ? height : 1;
  // The ray caster casts the ray through the pixel this panel's shadow test reads.
  lightMaps_->View = {viewWidth_, viewHeight_};
  glViewport(0, 0, viewWidth_, viewHeight_);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(FieldOfView, static_cast<double>(viewWidth_) / viewHeight_, NearPlane, FarPlane);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void TEditGL::InitGLState() {
  multitexture_.InitMultitexture(lookup_);
  LoadTextureList();
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_CULL_FACE);
  glEnable(GL_TEXTURE_2D);
  glShadeModel(GL_SMOOTH);
  glClearDepth(1.0);
  glDepthFunc(GL_LEQUAL);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glViewport(0, 0, viewWidth_, viewHeight_);
  glEnable(GL_COLOR_MATERIAL);
  glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
  // The room renderer replaces this with the fog colour when fog is shown.
  glClearColor(NoFogClearGrey, NoFogClearGrey, NoFogClearGrey, 1.0f);
}

void TEditGL::Attach() {
  TRoom& room = Room();
  room.Textures = this;
  room.OcclusionTest = occlusion_.get();
  room.SurfaceTextureService = surfaceTextures_.get();
  room.LightMaps = lightMaps_.get();
  engine_.ModelEngine->SetTextureLoader(this);
}

void TEditGL::Detach() {
  // The engine may already have let go of the room at shut-down.
  if (engine_.Room) {
    TRoom& room = Room();
    if (room.Textures == this) room.Textures = nullptr;
    if (room.OcclusionTest == occlusion_.get()) room.OcclusionTest = nullptr;
    if (room.SurfaceTextureService == surfaceTextures_.get()) room.SurfaceTextureService = nullptr;
    if (room.LightMaps == lightMaps_.get()) room.LightMaps = nullptr;
  }
  if (engine_.ModelEngine) engine_.ModelEngine->SetTextureLoader(nullptr);
}

void TEditGL::ShutdownGL() {
  for (int slot = 1; slot <= TextureSlots; ++slot) FreeTextureSlot(slot);
  Detach();
}

void TEditGL::DrawFrame(const PassObserver& afterPass) {
  std::array<bool, view_menu::Switches.size()> switches{};
  for (std::size_t i = 0; i < switches.size(); ++i) switches[i] = MainForm().Checked(view_menu::Switches[i]);
  frameSwitches_ = switches;
  ResetPolygonCount();
  glPolygonMode(GL_FRONT_AND_BACK, MenuChecked(view_menu::WireframeMode) ? GL_LINE : GL_FILL);
  glShadeModel(GL_SMOOTH);
  roomRenderer_->DrawRoom(afterPass);
  frameSwitches_.reset();
  engine_.GetHost().SetStatusText(4, "Polygons: " + std::to_string(polygons_));
  bool failed = false;
  // Drain every pending flag so one fault is not reported again next frame.
  while (glGetError() != GL_NO_ERROR) failed = true;
  if (failed) engine_.GetHost().SetCaption("GL_ERROR located!");
}

void TEditGL::SetGLStates(bool depthTest, bool blend, bool fog, bool colorMaterial, bool lighting,
                          bool cullFace, bool texture2D) {
  Switch(GL_DEPTH_TEST, depthTest);
  Switch(GL_BLEND, blend);
  Switch(GL_FOG, fog);
  Switch(GL_TEXTURE_2D, texture2D);
  Switch(GL_CULL_FACE, cullFace);
  Switch(GL_LIGHTING, lighting && MenuChecked(view_menu::Lighting));
  Switch(GL_COLOR_MATERIAL, colorMaterial);
}

void TEditGL::SetBlendColor(GLenum sourceFactor, GLenum destFactor, double red, double green, double blue,
                            double alpha) {
  glBlendFunc(sourceFactor, destFactor);
  glColor4d(red, green, blue, alpha);
}

void TEditGL::SetBlendMode(int mode, double red, double green, double blue, double alpha) {
  glEnable(GL_BLEND);
  if (const auto blend = BlendOf(mode, red, green, blue, alpha)) {
    const auto& [r, g, b, a] = blend->colour;
    SetBlendColor(blend->source, blend->dest, r, g, b, a);
  }
}

std::optional<TEditGL::TBlend> TEditGL::BlendOf(int mode, double red, double green, double blue, double alpha) {
  switch (mode) {
    case 0:
    case 2: return TBlend{GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, {red, green, blue, alpha}};
    case 1: return TBlend{GL_SRC_ALPHA, GL_ONE, {red, green, blue, alpha}};
    // Darkens by the colour: the source is folded into the colour, not the factor.
    case 3: return TBlend{GL_ZERO, GL_ONE_MINUS_SRC_COLOR, {red * alpha, green * alpha, blue * alpha, alpha}};
    case 4: return TBlend{GL_SRC_ALPHA_SATURATE, GL_ONE_MINUS_DST_ALPHA, {red, green, blue, alpha}};
    default: return std::nullopt;
  }
}

void TEditGL::SetViewTransform() {
  if (viewOverride_) {
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(viewOverride_->data());
    return;
  }
  const TCamera& camera = Room().Camera;
  const TVector& p = camera.Position;
  const TVector& r = camera.Rotation;
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  switch (camera.Mode) {
    case TCamera::ModeTop:
      glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
      glTranslatef(-p.x, -FlatEyeDistance, -p.z);
      glScalef(1.0f, FlatViewScale, 1.0f);
      break;
    case TCamera::ModeSide:
      glTranslatef(-p.x, -p.y, -FlatEyeDistance);
      glScalef(1.0f, 1.0f, FlatViewScale);
      break;
    default:
      glRotatef(-r.z, 0.0f, 0.0f, 1.0f);
      glRotatef(-r.x, 1.0f, 0.0f, 0.0f);
      glRotatef(-r.y, 0.0f, 1.0f, 0.0f);
      glTranslatef(-p.x, -p.y, -p.z);
      break;
  }
}

void TEditGL::SetViewProjection() { SetViewProjection(view_geometry::Aspect(viewWidth_, viewHeight_)); }

void TEditGL::SetViewProjection(double aspect) {
  const TCamera& camera = Room().Camera;
  const bool flat = camera.Mode == TCamera::ModeTop || camera.Mode == TCamera::ModeSide;
  // A zoom of 0 would divide by zero; such a camera sees like an unzoomed one.
  const double zoom = flat && camera.Zoom > 0.0f ? camera.Zoom : 1.0;
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(FieldOfView / zoom, aspect, NearPlane, FarPlane);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}
