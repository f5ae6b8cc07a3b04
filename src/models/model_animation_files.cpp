// The animations a model definition lists: each read from its own MS3D file, its
// joints tied to their parents, its length measured and its skinning prepared.

#include <string>

#include "core/file_system.h"
#include "core/host.h"
#include "engine/edit_engine.h"
#include "models/edit_model.h"
#include "models/model_animation.h"
#include "models/ms3d_reader.h"

namespace {

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

}  // namespace

void TModelEngine::LoadAnimations(TVEModel& model, const std::vector<String32>& names) {
  Host& host = engine_.GetHost();
  for (const auto& name : names) {
    TModelAnimation& animation = model.Animations.emplace_back();
    model.HighestAnimation = static_cast<std::int16_t>(model.Animations.size() - 1);
    animation.Name = name;

    const std::string path =
        engine_.ModelDir.str() + model.AnimationBaseName.str() + "_" + name.str() + ".ms3d";
    if (engine_.CheckFile(path, true)) {
      ReadAnimationFile(ReadModelFile(path), model.ModelName.view(), animation, host);
    } else {
      host.ShowError("QZ_MODEL", "Animation file " + Quoted(model.ModelName.view()) + " not found!");
    }
    // A skeleton whose parents do not precede their children cannot be posed: the
    // animation is kept without joints, so it stands still.
    if (!ResolveJointParents(animation.Joints)) {
      animation.Joints.clear();
      host.SetCaption(host.Caption() + " -ERROR- ");
      host.ShowError("QZ_MODEL", "Failed to load animation " + Quoted(name.view()) + "!");
    }
    animation.LastFrame = AnimationLastFrame(animation);
    SetupAnimation(model.Vertices, animation);
  }
}
