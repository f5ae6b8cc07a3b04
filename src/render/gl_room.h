#pragma once
// The room renderer: every pass of one frame in order (fog and clear, sky box, grid,
// surfaces, entities, water, field overlay, lights, lens flares, edit cursor) under
// the main window's View menu switches. It owns no data and reads the room as it is,
// the edit cursor's tool, position, drag and selected surface included.

#include <array>
#include <cstdint>
#include <memory>

#include "core/vector.h"
#include "render/room_pass.h"

class TEditGL;
class TRoom;
class TEntity;
class TEParticle;
struct TParticle;
class TSpriteBatch;

class TRoomRenderer {
public:
  explicit TRoomRenderer(TEditGL& gl);
  ~TRoomRenderer();

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
  // One sprite into the batch of its emitter.
  void AddSpriteParticle(const TParticle& particle);
  void DrawFieldOverlay();
  void DrawField(int i, int j);
  void DrawLights();
  // The cursor's selected surface, outlined over everything on the Surfaces sheet.
  void DrawSelectedSurface();
  // The document's selection (gl_selection.cpp).
  void DrawSelection();
  void DrawLightMarker(const TVector& position, float radius, const TVector& color, float reachAlpha);
  void DrawCursor();
  void DrawCursorModelPreview();

  TEditGL& gl_;
  // Kept between frames, so its storage is not allocated anew for every emitter.
  std::unique_ptr<TSpriteBatch> sprites_;
};
