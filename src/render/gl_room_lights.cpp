// The lights' markers and reach rings, and the edit cursor with its tool previews.
#include <string>
#include <span>
#include <string_view>

#include "core/numbers.h"
#include "engine/edit_engine.h"
#include "models/edit_model.h"
#include "render/edit_gl.h"
#include "render/gl_model.h"
#include "render/gl_primitives.h"
#include "render/gl_room.h"
#include "room/edit_room.h"

namespace {

constexpr int FirstFieldTool = 1001;
constexpr int LastFieldTool = 1004;
constexpr int ToolNewLight = 2001;
constexpr int ToolNewEntity = 3001;
constexpr int ToolNewSurface = 4001;
constexpr float ReachAlpha = 0.05f;
// Flat enough to read as a ring.
constexpr double RingHeight = 0.0001;
constexpr float DefaultPreviewRadius = 5.0f;

double MarkerRadius(float lightRadius) { return 0.02 * lightRadius + 0.12; }

}  // namespace

void TRoomRenderer::DrawLights() {
  glLineWidth(1.0f);
  gl_.SetGLStates(false, true, false, false, false, false, false);
  for (const TLight& light : gl_.Room().Lights) {
    if (!light.InUse()) continue;
    const TVector& p = light.Position;
    if (p.y != 0.0f) {
      gl_.SetViewTransform();
      TEditGL::SetBlendMode(1, 0.2, 0.05, 0.05, 1.0);
      glBegin(GL_LINES);
      glVertex3f(p.x, p.y, p.z);
      glVertex3f(p.x, 0.0f, p.z);
      glEnd();
      glTranslatef(p.x, -1.0f, p.z);
      DrawWireCylinder(MarkerRadius(light.Radius), RingHeight);
    }
    const TVector& c = light.CurrentColor;
    const TVector bright{0.67f * c.x + 0.33f, 0.67f * c.y + 0.33f, 0.67f * c.z + 0.33f};
    DrawLightMarker(p, light.Radius, bright, ReachAlpha);
  }
}

void TRoomRenderer::DrawLightMarker(const TVector& position, float radius, const TVector& color, float reachAlpha) {
  gl_.SetViewTransform();
  glTranslatef(position.x, position.y, position.z);
  TEditGL::SetBlendMode(1, color.x / 6, color.y / 6, color.z / 6, 1.0);
  DrawSolidSphere(MarkerRadius(radius));
  DrawWireSphere(MarkerRadius(radius));
  const TCamera& camera = gl_.Room().Camera;
  if (camera.Mode == TCamera::Mode3D) return;
  // The reach ring lies flat in the view's plane.
  if (camera.Mode == TCamera::ModeSide) glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
  glTranslatef(0.0f, -1.0f, 0.0f);
  TEditGL::SetBlendMode(1, color.x, color.y, color.z, reachAlpha);
  DrawWireCylinder(radius, RingHeight);
}

void TRoomRenderer::DrawCursor() {
  TRoom& room = gl_.Room();
  if (room.Camera.Mode == TCamera::Mode3D) return;
  const int tool = room.Cursor.Mode;
  const TCursor& cursor = room.Cursor;
  const TVector& at = cursor.Position;
  gl_.SetViewTransform();
  if (tool >= FirstFieldTool && tool <= LastFieldTool) {
    gl_.SetGLStates(false, false, false, false, false, false, false);
    glLineWidth(3.0f);
    glColor3f(1.0f, 1.0f, 1.0f);
    const int brush = gl_.MainForm().Position("TrackBarFieldBrushSize");
    const TCell centre = TRoom::CellOf(at);
    for (int i = centre.x - brush; i <= centre.x + brush; ++i) {
      for (int j = centre.z - brush; j <= centre.z + brush; ++j) {
        if (!TRoom::ValidCell(i, j)) continue;
        const float x = static_cast<float>(i - 30);
        const float z = static_cast<float>(j - 30);
        const float y = room.FieldOf(i, j).Height;
        glBegin(GL_LINE_LOOP);
        glVertex3f(x, y, z);
        glVertex3f(x + 1, y, z);
        glVertex3f(x + 1, y, z + 1);
        glVertex3f(x, y, z + 1);
        glEnd();
      }
    }
    glLineWidth(1.0f);
    return;
  }
  gl_.SetGLStates(false, true, false, false, false, false, false);
  glTranslatef(at.x, at.y, at.z);
  TEditGL::SetBlendMode(1, 0.2, 1.0, 0.2, 0.5);
  DrawSolidSphere(0.05);
  if (tool == ToolNewLight) {
    Form& form = gl_.MainForm();
    const auto read = [&](std::string_view edit) { return numbers::ParseFloat(form.Text(edit)); };
    const auto r = read("EditLightR"), g = read("EditLightG"), b = read("EditLightB");
    const auto radius = read("EditLightRadius");
    DrawLightMarker(at, radius.value_or(DefaultPreviewRadius), {r.value_or(0.0f), g.value_or(0.0f), b.value_or(0.0f)},
                    ReachAlpha);
  }
  if (tool == ToolNewEntity) DrawCursorModelPreview();
  // The rectangle a drag would make, from where the press began to the cursor.
  if (tool == ToolNewSurface && cursor.PressStateNow == TCursor::Held) {
    gl_.SetViewTransform();
    gl_.SetGLStates(false, true, false, false, false, false, false);
    TEditGL::SetBlendMode(2, 1.0, 1.0, 1.0, 0.5);
    const TVector& s = cursor.SurfaceStart;
    glBegin(GL_QUADS);
    glVertex3f(s.x, s.y, s.z);
    glVertex3f(at.x, s.y, s.z);
    glVertex3f(at.x, at.y, at.z);
    glVertex3f(s.x, at.y, at.z);
    glEnd();
  }
}

void TRoomRenderer::DrawCursorModelPreview() {
  static constexpr std::string_view Sequences[] = {
      "EDITOR_CAMERA",  "EDITOR_TRIGGER", "EDITOR_TOUCHFIELD", "EDITOR_SOUND",   "EDITOR_MESSAGE",
      "EDITOR_CONTROL", "EDITOR_MARKER",  "EDITOR_SPAWNER",    "EDITOR_VARIABLE", "EDITOR_MUSIC",
      "EDITOR_STARTUP", "EDITOR_ANIMATION", "EDITOR_ITEM",     "EDITOR_SAVEPOINT", "EDITOR_TILEMOVER"};
  static constexpr std::string_view Units[] = {"UNIT_ENEMY_MUTANT", "UNIT_ENEMY_CLAWSHRIMP"};
  static constexpr std::string_view Portals[] = {"EDITOR_PORTAL", "EDITOR_MARKER", "EDITOR_SPAWNER",
                                                 "EDITOR_PORTAL"};
  Form& form = gl_.MainForm();
  const auto pick = [&](std::string_view list, std::span<const std::string_view> names) -> std::string {
    const int index = form.ItemIndex(list);
    return index >= 0 && index < static_cast<int>(names.size()) ? std::string(names[static_cast<std::size_t>(index)])
                                                                 : std::string();
  };
  const int group = form.ItemIndex("CBEntityTypus");
  std::string displayName;
  if (group == 0) {
    const int index = form.ItemIndex("LBEntityTiles");
    const auto tiles = form.Items("LBEntityTiles");
    if (index >= 0 && index < static_cast<int>(tiles.size())) displayName = tiles[static_cast<std::size_t>(index)];
  }
  if (group == 1) displayName = pick("LBEntitySequences", Sequences);
  if (group == 2) displayName = pick("LBEntityUnits", Units);
  if (group == 3) displayName = pick("LBEntityPortals", Portals);
  if (group == 4) displayName = "EDITOR_PARTICLE";
  const std::int16_t slot = gl_.Engine().ModelEngine->FindModel(displayName);
  if (slot < 0) return;
  const float direction = numbers::ParseFloat(form.Text("EditEntityDirection")).value_or(0.0f);
  const float size = numbers::ParseFloat(form.Text("EditEntitySize")).value_or(1.0f);
  const bool lit = group != 1 && group != 3;
  DrawModel(gl_, {slot, gl_.Room().Cursor.Position, {0.0f, direction, 0.0f}, lit, 0, 1.0f, {1.0f, 1.0f, 1.0f}, -1, 1.0f, size});
}
