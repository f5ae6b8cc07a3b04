// What entities ask of the catalogue about their placed, animated model.

#include <cmath>
#include <string>

#include "engine/edit_engine.h"
#include "models/edit_model.h"
#include "models/model_animation.h"
#include "models/model_bounds.h"

std::int16_t TModelEngine::FindAnimation(std::int16_t slot, std::string_view name) {
  std::int16_t found = -1;
  if (const TVEModel* model = GetModel(slot)) {
    for (std::size_t i = 0; i < model->Animations.size(); ++i)
      if (model->Animations[i].Name == name) found = static_cast<std::int16_t>(i);
  }
  if (found < 0) engine_.ShowError("QZ_MODEL", "Animation \"" + std::string(name) + "\" not found!");
  return found;
}

void TModelEngine::SetAnimation(std::int16_t slot, std::string_view animationName, TAnimationInstance& instance,
                                bool loop, std::int16_t direction, float speed, float frame) {
  const TVEModel* model = GetModel(slot);
  if (!model) return;
  instance.Model = slot;
  instance.Animation = FindAnimation(slot, animationName);
  instance.Speed = speed;
  instance.Direction = direction;
  instance.Loop = loop;
  const long marker = std::lround(frame);
  if (marker == -2) {
    frame = instance.Animation >= 0 ? model->Animations[instance.Animation].LastFrame : 1.0f;
  } else if (marker == -1) {
    frame = 1.0f;
  }
  instance.Frame = frame;
}

void TModelEngine::ResetAnimation(TAnimationInstance& instance) {
  instance.Animation = -1;
  instance.Frame = 1.0f;
  instance.Speed = 0.0f;
}

void TModelEngine::AnimateInstance(TAnimationInstance& instance) const {
  const TVEModel* model = GetModel(instance.Model);
  if (!model || instance.Animation < 0 || static_cast<std::size_t>(instance.Animation) >= model->Animations.size())
    return;
  // An animation whose file failed has no keys: looping over its zero length would
  // push the frame further on every step.
  if (model->Animations[instance.Animation].Joints.empty()) return;
  instance.Frame = AdvanceFrame(instance.Frame, model->Animations[instance.Animation].LastFrame,
                                TQZEngine::FrameStep() * instance.Speed, instance.Direction, instance.Loop);
}

TModelBox TModelEngine::PlacedModelBounds(std::int16_t slot, const TVector& position, const TVector& rotation,
                                          float size) const {
  const TVEModel* model = GetModel(slot);
  return model ? PlacedBounds(*model, position, rotation, size) : TModelBox{position, position};
}

float TModelEngine::ModelHeightAt(std::int16_t slot, const TVector& position, const TVector& rotation, float size,
                                  const TVector& point) const {
  const TVEModel* model = GetModel(slot);
  return model ? PlacedHeightAt(*model, position, rotation, size, point) : NoModelHeight;
}
