// The frame's pass order and the passes that belong to the room as a whole: fog,
// sky box and grid.
#include "render/gl_room.h"

#include "render/edit_gl.h"
#include "render/gl_lensflare.h"
#include "render/gl_sprite_batch.h"
#include "render/gl_water.h"
#include "room/edit_room.h"

namespace {

// Fog that starts this far away never shows.
constexpr float HiddenFogStart = 3990.0f;
constexpr float HiddenFogEnd = 4000.0f;
constexpr int GridHalf = 30;
constexpr int GridStep = 3;
constexpr float SkyHalf = 10.0f;

struct SkyCorner {
  float x, y, z, s, t;
};

// The six faces around the camera, in slot order SkyTexture + 0 .. + 5.
constexpr SkyCorner SkyFaces[6][4] = {
    {{-10, 10, -10, 0, 1}, {10, 10, -10, 1, 1}, {10, -10, -10, 1, 0}, {-10, -10, -10, 0, 0}},
    {{10, 10, -10, 0, 1}, {10, 10, 10, 1, 1}, {10, -10, 10, 1, 0}, {10, -10, -10, 0, 0}},
    {{10, 10, 10, 0, 1}, {-10, 10, 10, 1, 1}, {-10, -10, 10, 1, 0}, {10, -10, 10, 0, 0}},
    {{-10, 10, 10, 0, 1}, {-10, 10, -10, 1, 1}, {-10, -10, -10, 1, 0}, {-10, -10, 10, 0, 0}},
    {{-10, 10, -10, 0, 0}, {10, 10, -10, 1, 0}, {10, 10, 10, 1, 1}, {-10, 10, 10, 0, 1}},
    {{-10, -10, -10, 0, 1}, {10, -10, -10, 1, 1}, {10, -10, 10, 1, 0}, {-10, -10, 10, 0, 0}},
};
static_assert(SkyFaces[0][0].x == -SkyHalf);

void SetTextureWrap(GLint wrap) {
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
}

// Draws only where nothing has left a depth yet, as if drawn before everything: the
// sky and the grid leave no depth and are hidden wherever a surface lies, so drawing
// them after the surfaces keeps every pixel while the rasteriser skips their hidden part.
class BehindEverything {
public:
  BehindEverything() {
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_EQUAL);
    glDepthRange(1.0, 1.0);
    glDepthMask(GL_FALSE);
  }
  ~BehindEverything() {
    glDepthMask(GL_TRUE);
    glDepthRange(0.0, 1.0);
    glDepthFunc(GL_LEQUAL);
    glDisable(GL_DEPTH_TEST);
  }
  BehindEverything(const BehindEverything&) = delete;
  BehindEverything& operator=(const BehindEverything&) = delete;
};

}  // namespace

TRoomRenderer::TRoomRenderer(TEditGL& gl) : gl_(gl), sprites_(std::make_unique<TSpriteBatch>()) {}

TRoomRenderer::~TRoomRenderer() = default;

void TRoomRenderer::DrawRoom(const PassObserver& afterPass) {
  for (const RoomPass pass : FramePasses) {
    DrawPass(pass);
    if (afterPass) afterPass(pass);
  }
}

void TRoomRenderer::DrawPass(RoomPass pass) {
  switch (pass) {
    case RoomPass::Clear:
      gl_.SetViewProjection();
      ApplyFog();
      glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
      return;
    case RoomPass::Sky: return DrawSkyBox();
    case RoomPass::Grid:
      if (gl_.MenuChecked(view_menu::ShowGrid)) DrawGrid();
      return;
    case RoomPass::Surfaces:
      if (gl_.MenuChecked(view_menu::ShowSurfaces)) DrawSurfaces(-1, false);
      return;
    case RoomPass::Entities: return DrawEntities(-1, false);
    case RoomPass::Water: return DrawWater(gl_);
    case RoomPass::Fields:
      if (gl_.MainForm().ActivePage(view_menu::ToolPalette) == view_menu::FieldsSheet) DrawFieldOverlay();
      return;
    case RoomPass::Lights:
      if (gl_.MenuChecked(view_menu::ShowLights)) DrawLights();
      return;
    case RoomPass::Flares:
      if (gl_.MenuChecked(view_menu::ShowLensFlares)) DrawLightFlares(gl_);
      return;
    case RoomPass::SelectedSurface:
      DrawSelectedSurface();
      return DrawSelection();
    case RoomPass::Cursor: return DrawCursor();
  }
}

void TRoomRenderer::ApplyFog() {
  const TRoom& room = gl_.Room();
  glEnable(GL_FOG);
  if (room.FogTypus == 1) glFogi(GL_FOG_MODE, GL_LINEAR);
  if (room.FogTypus == 2) glFogi(GL_FOG_MODE, GL_EXP);
  if (room.FogTypus == 3) glFogi(GL_FOG_MODE, GL_EXP2);
  glFogf(GL_FOG_START, room.FogStartDist);
  glFogf(GL_FOG_END, room.FogEndDist);
  glFogf(GL_FOG_DENSITY, room.FogDensity);
  const GLfloat color[4] = {room.FogColor.x, room.FogColor.y, room.FogColor.z, 1.0f};
  glFogfv(GL_FOG_COLOR, color);
  if (room.FogTypus != 0 && gl_.MenuChecked(view_menu::ShowFog)) {
    glClearColor(color[0], color[1], color[2], 1.0f);
  } else {
    // The colour of a room shown before stays on screen otherwise.
    glClearColor(NoFogClearGrey, NoFogClearGrey, NoFogClearGrey, 1.0f);
    // Passes switch fog on by themselves; this keeps it out of sight.
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogf(GL_FOG_START, HiddenFogStart);
    glFogf(GL_FOG_END, HiddenFogEnd);
  }
}

void TRoomRenderer::DrawSkyBox() {
  TRoom& room = gl_.Room();
  if (room.Camera.Mode != TCamera::Mode3D || !room.HasSky()) return;
  gl_.SetViewTransform();
  const TVector& eye = room.Camera.Position;
  glTranslatef(eye.x, eye.y, eye.z);
  gl_.SetGLStates(false, false, false, false, false, false, true);
  const BehindEverything behind;
  glColor3f(1.0f, 1.0f, 1.0f);
  for (int face = 0; face < 6; ++face) {
    gl_.SelectTexture(static_cast<std::int16_t>(room.SkyTexture + face));
    // Clamped to the edge texel: a plain clamp blends the black border colour into the
    // last half texel and the cube's edges show as dark seams.
    SetTextureWrap(GL_CLAMP_TO_EDGE);
    glBegin(GL_QUADS);
    for (const SkyCorner& c : SkyFaces[face]) {
      glTexCoord2f(c.s, c.t);
      glVertex3f(c.x, c.y, c.z);
    }
    glEnd();
    SetTextureWrap(GL_REPEAT);
    gl_.AddPolygons(2);
  }
}

void TRoomRenderer::DrawGrid() {
  glLineWidth(1.0f);
  gl_.SetViewTransform();
  if (gl_.Room().Camera.Mode == TCamera::ModeSide) glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
  gl_.SetGLStates(false, false, true, false, false, false, false);
  const BehindEverything behind;
  for (int i = -GridHalf; i <= GridHalf; ++i) {
    const float grey = i == 0 ? 0.7f : 0.5f;
    glColor3f(grey, grey, grey);
    const auto at = static_cast<float>(i);
    glBegin(GL_LINE_STRIP);
    for (int k = -GridHalf; k <= GridHalf; k += GridStep) glVertex3f(at, 0.0f, static_cast<float>(k));
    glEnd();
    glBegin(GL_LINE_STRIP);
    for (int k = -GridHalf; k <= GridHalf; k += GridStep) glVertex3f(static_cast<float>(k), 0.0f, at);
    glEnd();
  }
}

void TRoomRenderer::DrawQuadWithOutline(const std::array<TVector, 4>& corners) {
  glBegin(GL_QUADS);
  for (const TVector& c : corners) glVertex3f(c.x, c.y, c.z);
  glEnd();
  glBegin(GL_LINE_LOOP);
  for (const TVector& c : corners) glVertex3f(c.x, c.y, c.z);
  glEnd();
}

void TRoomRenderer::ResetPolygonMode() {
  glPolygonMode(GL_FRONT_AND_BACK, gl_.MenuChecked(view_menu::WireframeMode) ? GL_LINE : GL_FILL);
}
