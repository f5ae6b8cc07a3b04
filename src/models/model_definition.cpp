#include "models/model_definition.h"

#include <map>
#include <optional>
#include <string>

#include "core/host.h"
#include "core/numbers.h"
#include "core/vector.h"
#include "models/edit_model.h"
#include "models/ms3d_reader.h"
#include "engine/edit_engine.h"

namespace {

std::optional<std::int16_t> BlendModeOf(std::string_view word) {
  static const std::map<std::string_view, std::int16_t> modes{
      {"ADDITIVE", 1}, {"AVERAGE", 2}, {"NEGATIVE", 3}, {"SATURATE", 4}};
  const auto found = modes.find(word);
  if (found == modes.end()) return std::nullopt;
  return found->second;
}

// The value line after a header; an empty text when the file ends first.
std::string ValueLine(ConfigLineReader& reader) { return reader.ReadLine().value_or(std::string()); }

void ReadAnimationNames(ConfigLineReader& reader, const TVEModel& model, std::vector<String32>& names,
                        Host& host) {
  bool refused = false;
  while (auto line = reader.ReadLine()) {
    if (line->empty()) return;
    if (names.size() < MaxModelAnimations) {
      names.emplace_back(*line);
    } else if (!refused) {
      host.ShowError("QZ_MODEL", QuotedModelText("Too many animations listed for model", model.ModelName.view()));
      refused = true;
    }
  }
}

}  // namespace

bool ReadLeadingFloat(std::string_view line, float& destination, Host& host) {
  const auto value = numbers::ParseLeadingFloat(line);
  if (!value) {
    host.ShowError("QZ_ENGINE", "Error on converting value!");
    return false;
  }
  destination = *value;
  return true;
}

std::vector<String32> ApplyModelDefinition(ConfigLineReader& reader, TVEModel& model, Host& host) {
  std::vector<String32> animations;
  while (auto line = reader.ReadLine()) {
    if (*line == "[MODEL_BASEDATA]") {
      model.DisplayName = ValueLine(reader);
      float scale = static_cast<float>(model.Scale);
      if (ReadLeadingFloat(ValueLine(reader), scale, host)) model.Scale = scale;
    } else if (*line == "[MODEL_CULLFACE]") {
      model.CullFace = ValueLine(reader) == "TRUE";
    } else if (*line == "[MODEL_DEPTHTEST]") {
      model.DepthTest = ValueLine(reader) == "TRUE";
    } else if (*line == "[MODEL_BLEND]") {
      ReadLeadingFloat(ValueLine(reader), model.BlendAlpha, host);
      if (const auto mode = BlendModeOf(ValueLine(reader))) model.BlendMode = *mode;
    } else if (*line == "[ANIMATION_BASEFILENAME]") {
      model.AnimationBaseName = ValueLine(reader);
    } else if (*line == "[MODEL_ALPHATEST]") {
      model.AlphaTest = true;
    } else if (*line == "[MODEL_DETAILMAP]") {
      model.DetailMap = ValueLine(reader) == "TRUE";
      ReadLeadingFloat(ValueLine(reader), model.DetailScale, host);
    } else if (*line == "[MODEL_ANIMATION]") {
      ReadAnimationNames(reader, model, animations, host);
    }
  }
  return animations;
}

void TModelEngine::LoadDefinition(TVEModel& model) {
  model.CullFace = true;
  model.DepthTest = true;
  model.AlphaTest = false;
  model.HighestAnimation = -1;
  model.DetailMap = false;

  const std::string path = engine_.ModelDir.str() + model.ModelName.str() + ".ini";
  if (!engine_.CheckFile(path, true)) return;
  auto reader = ConfigLineReader::Open(path);
  if (!reader) return;
  LoadAnimations(model, ApplyModelDefinition(*reader, model, engine_.GetHost()));
}
