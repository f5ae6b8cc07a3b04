#pragma once
// The model catalogue: 500 slots of TVEModel, filled at start-up from loadmodel.ini
// (slots 1 .. GlobalCount) and per room with the 32 room tile models (the slots
// after them). Entities refer to models by slot; slot 0 and -1 mean no model.
//
// Life cycle: the engine constructs it with std::make_unique<TModelEngine>(engine);
// the engine's start-up calls LoadModels() once (directly or through its
// EngineHooks::LoadModels hook); the room calls LoadRoomModels(TileList) from
// ReloadResources, which also refills the main window's LBEntityTiles.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/short_string.h"
#include "core/vector.h"
#include "models/animation_instance.h"
#include "models/ms3d_model.h"

class Form;
class TQZEngine;

// GL texture name that means "no texture".
constexpr std::uint32_t NoTexture = 9999;

// Texture upload belongs to the renderer; the catalogue only asks for it. Without a
// loader (tests, the command-line tool) every texture stays NoTexture.
class ModelTextureLoader {
public:
  virtual ~ModelTextureLoader() = default;
  // GL name of the uploaded bitmap, or NoTexture when it could not be loaded.
  virtual std::uint32_t LoadBitmapTexture(std::string_view gamePath) = 0;
  virtual void DeleteTexture(std::uint32_t glName) = 0;
};

class TVEModel : public TMS3DContents {
public:
  String255 DisplayName = "MODEL";
  String255 ModelName;          // file name without extension, relative to ModelDir
  String255 AnimationBaseName;  // set to ModelName when loading
  std::int16_t SlotNumber = 0;
  double Scale = 0.0;  // 0 until [MODEL_BASEDATA] gives it
  bool CullFace = true;
  bool DepthTest = true;
  bool AlphaTest = false;
  float BlendAlpha = 0.0f;
  std::int16_t BlendMode = 0;
  bool DetailMap = false;
  float DetailScale = 0.0f;
  std::array<std::uint32_t, 8> SkinTextures{NoTexture, NoTexture, NoTexture, NoTexture,
                                            NoTexture, NoTexture, NoTexture, NoTexture};
  std::uint32_t DetailTexture = NoTexture;
  // Measured after scaling.
  float Radius = 0.0f;
  float HorizontalExtent = 0.0f;
  float Height = 0.0f;
  float Depth = 0.0f;
  std::vector<TModelAnimation> Animations;
  std::int16_t HighestAnimation = -1;
  bool Loaded = false;
};

// Axis-aligned box of a placed model.
struct TModelBox {
  TVector min;
  TVector max;
};

class TModelEngine {
public:
  static constexpr int SlotCount = 500;
  static constexpr int RoomSlotCount = 32;
  // The list must leave room for the room's tile models.
  static constexpr int MaxListedModels = SlotCount - RoomSlotCount;

  explicit TModelEngine(TQZEngine& engine);
  ~TModelEngine();
  TModelEngine(const TModelEngine&) = delete;
  TModelEngine& operator=(const TModelEngine&) = delete;

  std::int16_t Count = 0;
  std::int16_t GlobalCount = 0;
  std::int16_t RoomModelCount = RoomSlotCount;

  // Held, not owned; null means no textures are uploaded.
  void SetTextureLoader(ModelTextureLoader* loader) { textures_ = loader; }

  // loadmodel.ini -> slots 1 .. GlobalCount; Count becomes GlobalCount + 32.
  void LoadModels();
  // tileList: the room's 32 tile model names (empty ones leave their slot empty).
  void LoadRoomModels(std::span<const String255> tileList);
  void LoadModel(TVEModel& model, std::string_view name, std::int16_t slot);

  // The model in slot 1..500, or null.
  TVEModel* GetModel(std::int16_t slot);
  const TVEModel* GetModel(std::int16_t slot) const;

  // Last slot 1..Count whose display name equals the text; -1 when none or empty.
  std::int16_t FindModel(std::string_view displayName) const;
  void FillModelList(Form& form, std::string_view comboBox) const;
  // Last animation of the model with that name; -1 (with a message) when none.
  std::int16_t FindAnimation(std::int16_t slot, std::string_view name);

  void SetAnimation(std::int16_t slot, std::string_view animationName, TAnimationInstance& instance, bool loop,
                    std::int16_t direction, float speed, float frame);
  // The game's stored names, as entities hold them.
  template <std::size_t N>
  std::int16_t FindModel(const ShortString<N>& displayName) const {
    return FindModel(displayName.view());
  }
  template <std::size_t N>
  void SetAnimation(std::int16_t slot, const ShortString<N>& animationName, TAnimationInstance& instance, bool loop,
                    std::int16_t direction, float speed, float frame) {
    SetAnimation(slot, animationName.view(), instance, loop, direction, speed, frame);
  }
  static void ResetAnimation(TAnimationInstance& instance);
  void AnimateInstance(TAnimationInstance& instance) const;

  // Box of the placed vertices, grown from the position itself.
  TModelBox PlacedModelBounds(std::int16_t slot, const TVector& position, const TVector& rotation,
                              float size) const;
  // y of the last placed vertex within 0.1 of the point in XZ; -999 when none.
  float ModelHeightAt(std::int16_t slot, const TVector& position, const TVector& rotation, float size,
                      const TVector& point) const;

private:
  void FreeSlot(std::int16_t slot);
  std::vector<std::uint8_t> ReadModelFile(const std::string& gamePath) const;
  void LoadDefinition(TVEModel& model);
  void LoadAnimations(TVEModel& model, const std::vector<String32>& names);
  void LoadTextures(TVEModel& model);

  TQZEngine& engine_;
  ModelTextureLoader* textures_ = nullptr;
  std::array<std::unique_ptr<TVEModel>, SlotCount + 1> slots_;  // slot 0 unused
};
