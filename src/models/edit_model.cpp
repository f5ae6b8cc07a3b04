#include "models/edit_model.h"

#include <algorithm>
#include <string>

#include "core/file_system.h"
#include "engine/edit_engine.h"
#include "models/model_bounds.h"
#include "models/ms3d_reader.h"

namespace {

// Far beyond any model of the game (65 535 of every record); a larger file is refused.
constexpr std::size_t MaxModelFileBytes = 64u * 1024u * 1024u;

}  // namespace

TModelEngine::TModelEngine(TQZEngine& engine) : engine_(engine) {
  for (auto& slot : slots_) slot = std::make_unique<TVEModel>();
}

TModelEngine::~TModelEngine() {
  for (std::int16_t slot = 1; slot <= SlotCount; ++slot) FreeSlot(slot);
}

TVEModel* TModelEngine::GetModel(std::int16_t slot) {
  return (slot >= 1 && slot <= SlotCount) ? slots_[slot].get() : nullptr;
}

const TVEModel* TModelEngine::GetModel(std::int16_t slot) const {
  return (slot >= 1 && slot <= SlotCount) ? slots_[slot].get() : nullptr;
}

void TModelEngine::FreeSlot(std::int16_t slot) {
  auto& model = slots_[slot];
  if (model->Loaded && textures_) {
    for (auto name : model->SkinTextures)
      if (name != NoTexture) textures_->DeleteTexture(name);
    if (model->DetailTexture != NoTexture) textures_->DeleteTexture(model->DetailTexture);
  }
  model = std::make_unique<TVEModel>();
}

std::vector<std::uint8_t> TModelEngine::ReadModelFile(const std::string& path) const {
  return fs_layer::ReadFile(path, MaxModelFileBytes).value_or(std::vector<std::uint8_t>());
}

void TModelEngine::LoadModel(TVEModel& model, std::string_view name, std::int16_t slot) {
  model.SlotNumber = slot;
  model.ModelName = name;
  model.AnimationBaseName = name;
  model.Animations.clear();
  model.HighestAnimation = -1;
  static_cast<TMS3DContents&>(model) = TMS3DContents{};  // nothing of an earlier file survives

  const std::string path = engine_.ModelDir.str() + model.ModelName.str() + ".ms3d";
  if (!engine_.CheckFile(path, true)) {
    model.Loaded = false;
    return;
  }
  // An unreadable or oversized file reads as an empty one: refused with the load messages.
  model.Loaded = ReadMS3DBase(ReadModelFile(path), model.ModelName.view(), model, engine_.GetHost());
  if (!model.Loaded) return;

  LoadDefinition(model);
  ScaleAndMeasure(model);
  LoadTextures(model);
}

void TModelEngine::LoadTextures(TVEModel& model) {
  const bool textured = std::any_of(model.Materials.begin(), model.Materials.end(),
                                    [](const TMS3DMaterial& m) { return m.HasTexture; });
  if (!textured) return;
  const std::string base = engine_.ModelDir.str() + model.ModelName.str();
  for (std::size_t i = 0; i < model.SkinTextures.size(); ++i) {
    const std::string path = base + (i == 0 ? std::string() : std::to_string(i)) + ".bmp";
    model.SkinTextures[i] =
        (textures_ && fs_layer::FileExists(path)) ? textures_->LoadBitmapTexture(path) : NoTexture;
  }
  model.DetailTexture = (textures_ && model.DetailMap) ? textures_->LoadBitmapTexture(base + "_d.bmp") : NoTexture;
}
