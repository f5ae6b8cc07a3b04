#pragma once
// The GL side of the editor: the texture table with its fixed slots, the switches and
// blend modes every drawing routine goes through, the view transforms of the three
// camera modes and the frame wrapper with its polygon counter. It draws into whatever
// context is current; the window (or a test harness) creates that context, makes it
// current and swaps its buffers.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <utility>

#include "core/short_string.h"
#include "models/edit_model.h"
#include "render/glExt.h"
#include "render/gl_api.h"
#include "render/gl_multitexture.h"
#include "render/room_pass.h"
#include "room/texture_lookup.h"
#include "surfaces/light_map.h"

class TQZEngine;
class TRoom;
class Form;
class TRoomRenderer;
class TProjection;
class GLOcclusion;
class GLSurfaceTextures;
class LightMapBaker;

// The view's background where no fog colour takes its place.
inline constexpr GLfloat NoFogClearGrey = 0.3f;

struct TTextureSlot {
  GLuint GLName = 0;
  String255 Name;
  bool Loaded = false;
  // The size of the top level as GL holds it (a bitmap may have been scaled to it),
  // read once at loading rather than asked of GL at every sprite.
  GLint Width = 0;
  GLint Height = 0;
};

// Slots of the textures the renderer itself draws with; -1 when not in the list.
struct TFixedTextures {
  std::int16_t FrameHorizontal = -1;
  std::int16_t FrameVertical = -1;
  std::int16_t FrameTopLeft = -1;
  std::int16_t FrameTopRight = -1;
  std::int16_t FrameBottomLeft = -1;
  std::int16_t FrameBottomRight = -1;
  std::int16_t FramePattern = -1;
  std::int16_t Flare = -1;
  std::int16_t FlareRings = -1;
  std::int16_t FlareCenter = -1;
  std::int16_t Shadow = -1;
  std::int16_t Water = -1;
  std::int16_t Water2 = -1;
};

// The View menu items of the main window the drawing code reads every frame.
namespace view_menu {
constexpr std::string_view ShowFog = "ShowFog1";
constexpr std::string_view ShowGrid = "ShowGrid1";
constexpr std::string_view ShowFieldCeiling = "ShowFieldCeiling1";
constexpr std::string_view ShowSurfaces = "ShowSurfaces1";
constexpr std::string_view ShowLights = "ShowLights1";
constexpr std::string_view ShowLensFlares = "ShowLensFlares1";
constexpr std::string_view ShowEntityTargets = "ShowEntityTargets1";
constexpr std::string_view ShowCollisionRadius = "ShowCollisionRadius1";
constexpr std::string_view ShowCameraRadii = "ShowCameraRadii1";
constexpr std::string_view WireframeMode = "WireframeMode1";
constexpr std::string_view Lighting = "Lighting1";
constexpr std::string_view ShowDetailmaps = "ShowDetailmaps1";
// The switches above, which a frame reads once at its start.
constexpr std::array<std::string_view, 12> Switches = {
    ShowFog,          ShowGrid,            ShowFieldCeiling, ShowSurfaces,  ShowLights, ShowLensFlares,
    ShowEntityTargets, ShowCollisionRadius, ShowCameraRadii,  WireframeMode, Lighting,   ShowDetailmaps};
// The tool palette and the two of its sheets that change what is drawn.
constexpr std::string_view ToolPalette = "PageControl";
constexpr std::string_view FieldsSheet = "TabSheetFields";
constexpr std::string_view SurfacesSheet = "TabSheetSurfaces";
}  // namespace view_menu

class TEditGL : public TextureLookup, public ModelTextureLoader {
public:
  static constexpr int TextureSlots = 100;
  static constexpr int PanelWidth = PanelShadowView.width;  // the view panel of the main window
  static constexpr int PanelHeight = PanelShadowView.height;

  // lookup fetches extension entry points from the context's creator.
  TEditGL(TQZEngine& engine, GLProcLookup lookup);
  ~TEditGL() override;
  TEditGL(const TEditGL&) = delete;
  TEditGL& operator=(const TEditGL&) = delete;

  TQZEngine& Engine() { return engine_; }
  TRoom& Room();
  Form& MainForm();
  // During a frame, the View menu switches as they were when the frame began: the
  // drawing code asks thousands of times a frame, and a window looks a control up by
  // name at every question.
  bool MenuChecked(std::string_view item);

  // Context life. The window calls these once its context is current: ResizeGLScene
  // with the panel size, then InitGLState (which loads the texture list) and Attach
  // (which offers textures, occlusion and surface uploads to the document).
  void ResizeGLScene(int width, int height);
  int ViewWidth() const { return viewWidth_; }
  int ViewHeight() const { return viewHeight_; }
  void InitGLState();
  void Attach();
  void Detach();
  // Frees every texture slot; the window then releases its context.
  void ShutdownGL();

  // One frame: polygon counter, polygon mode, the room, the counter in the status bar
  // and the GL error check. The caller swaps the buffers.
  void DrawFrame(const PassObserver& afterPass = {});

  // Switches, applied in the order depth test, blend, fog, texture, cull face,
  // lighting, colour material. Lighting needs the "Lighting" menu item as well.
  void SetGLStates(bool depthTest, bool blend, bool fog, bool colorMaterial, bool lighting, bool cullFace,
                   bool texture2D);
  static void SetBlendColor(GLenum sourceFactor, GLenum destFactor, double red, double green, double blue,
                            double alpha);
  // 0 none, 1 additive, 2 average, 3 negative, 4 saturate.
  static void SetBlendMode(int mode, double red, double green, double blue, double alpha);
  // The blend function and colour SetBlendMode sets; nothing for a mode that leaves
  // both as they are.
  struct TBlend {
    GLenum source;
    GLenum dest;
    std::array<GLdouble, 4> colour;
    friend bool operator==(const TBlend&, const TBlend&) = default;
  };
  static std::optional<TBlend> BlendOf(int mode, double red, double green, double blue, double alpha);
  void SetViewTransform();
  // A model snapshot (model_snapshot.h) looks from its own eye, with its own View menu
  // switches; reset, the view's camera and the menu count again.
  void OverrideView(std::optional<std::array<float, 16>> view) { viewOverride_ = view; }
  void OverrideSwitches(std::optional<std::array<bool, view_menu::Switches.size()>> switches) {
    frameSwitches_ = switches;
  }
  // The view's projection at the panel's aspect, or at the one given.
  void SetViewProjection();
  void SetViewProjection(double aspect);

  void ResetPolygonCount() { polygons_ = 0; }
  void AddPolygons(std::int16_t n) { polygons_ += n; }
  std::int32_t PolygonCount() const { return polygons_; }

  // The texture table.
  void LoadTextureList();
  std::int16_t FindTexture(std::string_view name) override;
  void SelectTexture(std::int16_t slot);
  void FreeTextureSlot(int slot);
  void FillTextureList(Form& form, std::string_view combo) override;
  // A bitmap file (game path) as a mipmapped texture; false (after the file message)
  // when it is missing or not a readable image.
  bool LoadBitmapTexture(std::string_view path, GLuint& glName);
  std::uint32_t LoadBitmapTexture(std::string_view gamePath) override;
  // Tightly packed RGB rows, one level, clamped; pixels must hold width x height x 3.
  static GLuint CreateRGBTexture(std::span<const std::uint8_t> pixels, int width, int height);
  void DeleteTexture(std::uint32_t glName) override;

  const TTextureSlot& TextureSlot(int slot) const { return textures_[static_cast<std::size_t>(slot)]; }
  std::int16_t TextureCount() const { return textureCount_; }
  const TFixedTextures& FixedTextures() const { return fixed_; }
  // GL name of a slot, 0 for -1 or an unloaded slot.
  GLuint TextureName(std::int16_t slot) const;
  // Binds the slot's texture (as SelectTexture) and gives its size, 0 x 0 for -1 or an
  // unloaded slot.
  std::pair<GLint, GLint> SelectSizedTexture(std::int16_t slot);

  TMultitexture& Multitexture() { return multitexture_; }
  TRoomRenderer& RoomRenderer() { return *roomRenderer_; }
  TProjection& Projection() { return *projection_; }
  GLOcclusion& Occlusion() { return *occlusion_; }
  GLSurfaceTextures& SurfaceTextureUploads() { return *surfaceTextures_; }
  // The room's light maps: the processor's ray caster by default, this context's
  // rendered test when its method is switched to it.
  LightMapBaker& LightMaps() { return *lightMaps_; }

private:
  bool LoadListedTexture(std::string_view name, int slot);
  void ResolveFixedTextures();

  TQZEngine& engine_;
  GLProcLookup lookup_;
  std::optional<std::array<bool, view_menu::Switches.size()>> frameSwitches_;
  std::optional<std::array<float, 16>> viewOverride_;
  int viewWidth_ = PanelWidth;
  int viewHeight_ = PanelHeight;
  std::int32_t polygons_ = 0;
  std::array<TTextureSlot, TextureSlots + 1> textures_{};
  std::int16_t textureCount_ = 0;
  TFixedTextures fixed_;
  TMultitexture multitexture_;
  std::unique_ptr<TRoomRenderer> roomRenderer_;
  std::unique_ptr<TProjection> projection_;
  std::unique_ptr<GLOcclusion> occlusion_;
  std::unique_ptr<GLSurfaceTextures> surfaceTextures_;
  std::unique_ptr<LightMapBaker> lightMaps_;
};
