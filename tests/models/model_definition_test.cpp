#include "models/model_definition.h"

#include <gtest/gtest.h>

#include "core/headless_host.h"
#include "models/edit_model.h"
#include "models/model_catalogue.h"

namespace {

struct Applied {
  TVEModel model;
  std::vector<std::string> animations;
  std::vector<std::string> messages;
};

Applied Apply(std::string_view text) {
  HeadlessHost host;
  ConfigLineReader reader(text);
  Applied result;
  result.model.ModelName = "units\\guard";
  for (const auto& name : ApplyModelDefinition(reader, result.model, host)) result.animations.push_back(name.str());
  for (const auto& e : host.errors) result.messages.push_back(e.Full());
  return result;
}

TEST(ModelDefinition, EverySection) {
  const auto r = Apply(
      "[MODEL_BASEDATA]\r\nGuard of the gate\r\n0,25 metres\r\n"
      "[MODEL_BLEND]\r\n0.5\r\nSATURATE\r\n"
      "[ANIMATION_BASEFILENAME]\r\nunits\\human\r\n"
      "[MODEL_ALPHATEST]\r\n"
      "[MODEL_DETAILMAP]\r\nTRUE\r\n8\r\n"
      "[MODEL_DEPTHTEST]\r\nFALSE\r\n"
      "[MODEL_ANIMATION]\r\nwalk\r\nrun\r\n\r\nnot an animation\r\n");
  EXPECT_TRUE(r.messages.empty());
  EXPECT_EQ(r.model.DisplayName.view(), "Guard of the gate");
  EXPECT_DOUBLE_EQ(r.model.Scale, 0.25);
  EXPECT_FLOAT_EQ(r.model.BlendAlpha, 0.5f);
  EXPECT_EQ(r.model.BlendMode, 4);
  EXPECT_EQ(r.model.AnimationBaseName.view(), "units\\human");
  EXPECT_TRUE(r.model.AlphaTest);
  EXPECT_TRUE(r.model.DetailMap);
  EXPECT_FLOAT_EQ(r.model.DetailScale, 8.0f);
  EXPECT_FALSE(r.model.DepthTest);
  EXPECT_TRUE(r.model.CullFace);
  EXPECT_EQ(r.animations, (std::vector<std::string>{"walk", "run"}));
}

TEST(ModelDefinition, OnlyUpperCaseTrueSwitchesOn) {
  EXPECT_FALSE(Apply("[MODEL_CULLFACE]\ntrue\n").model.CullFace);
  EXPECT_TRUE(Apply("[MODEL_CULLFACE]\nTRUE\n").model.CullFace);
  EXPECT_FALSE(Apply("[MODEL_DETAILMAP]\nTrue\n2\n").model.DetailMap);
}

TEST(ModelDefinition, UnknownBlendWordsAndBadNumbersKeepTheOldValues) {
  const auto r = Apply("[MODEL_BLEND]\nhalf\nadditive\n[MODEL_BASEDATA]\nCrate\nbig\n");
  EXPECT_EQ(r.model.BlendMode, 0);
  EXPECT_FLOAT_EQ(r.model.BlendAlpha, 0.0f);
  EXPECT_DOUBLE_EQ(r.model.Scale, 0.0);
  EXPECT_EQ(r.model.DisplayName.view(), "Crate");
  EXPECT_EQ(r.messages, (std::vector<std::string>{"QZ_ENGINE: Error on converting value!",
                                                  "QZ_ENGINE: Error on converting value!"}));
}

TEST(ModelDefinition, NumbersAreReadFromTheStartOfTheirLine) {
  const auto r = Apply("[MODEL_BASEDATA]\nCrate\n0.5;x\n[MODEL_BLEND]\n1.0f\nADDITIVE\n[MODEL_DETAILMAP]\nTRUE\n4x\n");
  EXPECT_TRUE(r.messages.empty());
  EXPECT_DOUBLE_EQ(r.model.Scale, 0.5);
  EXPECT_FLOAT_EQ(r.model.BlendAlpha, 1.0f);
  EXPECT_FLOAT_EQ(r.model.DetailScale, 4.0f);
}

TEST(ModelDefinition, SectionNamesMustMatchExactly) {
  const auto r = Apply(" [MODEL_ALPHATEST]\n[model_alphatest]\n[MODEL_ALPHATEST] \n");
  EXPECT_FALSE(r.model.AlphaTest);
}

TEST(ModelDefinition, AnimationsPastTheHundredthAreRefusedOnce) {
  std::string text = "[MODEL_ANIMATION]\n";
  for (int i = 0; i < 105; ++i) text += "anim" + std::to_string(i) + "\n";
  const auto r = Apply(text);
  ASSERT_EQ(r.animations.size(), MaxModelAnimations);
  EXPECT_EQ(r.animations.back(), "anim99");
  EXPECT_EQ(r.messages,
            (std::vector<std::string>{"QZ_MODEL: Too many animations listed for model \"units\\guard\" !"}));
}

TEST(ModelList, ListsEndAtEmptyLinesAndMinusLinesAreSkipped) {
  ConfigLineReader reader(
      "ignored\n[MODEL_FILENAME]\ncrate\n-barrel\nunits\\guard\n\noutside\n[MODEL_FILENAME]\r\nlamp\r\n");
  EXPECT_EQ(ParseModelList(reader), (std::vector<std::string>{"crate", "units\\guard", "lamp"}));
}

}  // namespace
