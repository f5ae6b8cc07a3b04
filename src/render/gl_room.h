#pragma once
// The room renderer: every pass of one frame in order (fog and clear, sky box, grid,
// surfaces, entities, water, field overlay, lights, lens flares, edit cursor) under
// the main window's View menu switches. It owns no data and reads the room as it is,
// the edit cursor's tool, position, drag and selected surface included.

#include <array>
#include <cstdint>
#include <vector>

#include "core/vector.h"
#include "render/room_pass.h"

class TEditGL;
class TRoom;
class TEntity;
class TEParticle;
struct TParticle;

class TRoomRenderer {
public:
  explicit TRoomRenderer(TEditGL& gl) : gl_(gl) {}
  // Frees the display list while the context is current; the window calls it at shut-down.
  void ReleaseGL();

  void DrawRoom(const PassObserver& afterPass = {});
  // skip -1 leaves nothing out; lightPassOnly draws only what casts shadows.
  void DrawEntities(std::int16_t skipEntity, bool lightPassOnly);
  void DrawSurfaces(std::int16_t skipSurface, bool lightPassOnly);
  // A filled quadrilateral, then its outline.
  static void DrawQuadWithOutline(const std::array<TVector, 4>& corners);

  // Entity decorations, also used by the cursor preview.
  void DrawMarkerBox(const TVector& position, const TVector& size, float scale, const TVector& color);
  void DrawMarkerCylinder(const TVector& position, float radius, float height, float scale, const TVector& color);
  void DrawTargetArrow(const TVector& from, const TVector& to);
  // Back to what "Wireframe Mode" says.
  void ResetPolygonMode();

private:
  void DrawPass(RoomPass pass);
  void ApplyFog();
  void DrawSkyBox();
  void DrawGrid();
  void DrawEntity(TEntity& entity, bool lightPassOnly);
  void DrawEntityExtras(TEntity& entity);
  void DrawCameraZone(TEntity& entity);
  void DrawBlobShadow(const TEntity& entity);
  void DrawParticles(const TEParticle& emitter);
  void DrawSpriteParticle(const TParticle& particle);
  void DrawFieldOverlay();
  void DrawField(int i, int j);
  void DrawLights();
  void DrawLightMarker(const TVector& position, float radius, const TVector& color, float reachAlpha);
  void DrawCursor();
  void DrawCursorModelPreview();

  // What the field overlay's picture depends on: every field's kind, material and
  // heights, the tool and the ceiling switch. The overlay is replayed from a display
  // list while this stays the same; comparing the fields themselves, rather than
  // trusting every edit path to report a change, leaves no way to a stale picture.
  struct FieldOverlayKey {
    std::vector<std::array<float, 4>> fields;
    int tool = 0;
    bool ceiling = false;
    bool operator==(const FieldOverlayKey&) const = default;
  };
  FieldOverlayKey CurrentFieldOverlayKey() const;

  TEditGL& gl_;
  unsigned fieldOverlayList_ = 0;
  FieldOverlayKey fieldOverlayKey_;
};
