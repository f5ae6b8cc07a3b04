#include <gtest/gtest.h>

#include "core/headless_host.h"
#include "engine/edit_engine.h"

namespace {

struct DialogFixture : ::testing::Test {
  HeadlessHost host;
  TQZEngine engine{host, "/nowhere"};
  MemoryForm& form = host.Memory(FormId::Entity);
};

}  // namespace

TEST_F(DialogFixture, NumbersAreShownWithTheLocaleSeparator) {
  host.decimalSeparator = ',';
  engine.ShowFloat(form, "EditSize", 1.5f);
  EXPECT_EQ(form.Text("EditSize"), "1,50");
  engine.ShowFloat(form, "EditFogDensity", 0.0125f, 4);
  EXPECT_EQ(form.Text("EditFogDensity"), "0,0125");
  EXPECT_EQ(engine.FloatToStr32(-1e30f, 2).size(), 16u) << "huge values fall back to scientific text";
  engine.ShowInt(form, "EditCount", -32768);
  EXPECT_EQ(form.Text("EditCount"), "-32768");
}

TEST_F(DialogFixture, ReadFloatAcceptsBothSeparatorsAndKeepsTheOldValueOnFailure) {
  float value = 7;
  form.SetText("EditSize", "2,25");
  EXPECT_TRUE(engine.ReadFloat(form, "EditSize", value));
  EXPECT_EQ(value, 2.25f);
  form.SetText("EditSize", "2.5");
  EXPECT_TRUE(engine.ReadFloat(form, "EditSize", value));
  EXPECT_EQ(value, 2.5f);
  EXPECT_TRUE(host.errors.empty());

  form.SetText("EditSize", "two");
  EXPECT_FALSE(engine.ReadFloat(form, "EditSize", value));
  EXPECT_EQ(value, 2.5f);
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_EQ(host.errors[0].Full(), "QZ_ENGINE: Error on converting value!");
}

TEST_F(DialogFixture, ReadIntRefusesWhatSixteenBitsCannotHold) {
  std::int16_t value = 3;
  form.SetText("EditHealth", " -32768");
  EXPECT_TRUE(engine.ReadInt(form, "EditHealth", value));
  EXPECT_EQ(value, -32768);
  form.SetText("EditHealth", "32767");
  EXPECT_TRUE(engine.ReadInt(form, "EditHealth", value));
  EXPECT_EQ(value, 32767);
  EXPECT_TRUE(host.errors.empty());
  for (const char* text : {"40000", "-32769", "70000", "1.5", "", "99999999999"}) {
    form.SetText("EditHealth", text);
    EXPECT_FALSE(engine.ReadInt(form, "EditHealth", value)) << text;
    EXPECT_EQ(value, 32767);
  }
  ASSERT_EQ(host.errors.size(), 6u);
  EXPECT_EQ(host.errors[0].Full(), "QZ_ENGINE: Error on converting value!");
}

TEST_F(DialogFixture, ReadVectorKeepsComponentsReadBeforeTheFailure) {
  TVector v{9, 9, 9};
  form.SetText("EditR", "0,5");
  form.SetText("EditG", "x");
  form.SetText("EditB", "0.25");
  EXPECT_FALSE(engine.ReadVector(form, v, "EditR", "EditG", "EditB"));
  EXPECT_EQ(v, (TVector{0.5f, 9, 9}));
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_EQ(host.errors[0].Full(), "QZ_ENGINE: Error on converting values!");

  form.SetText("EditG", "1");
  EXPECT_TRUE(engine.ReadVector(form, v, "EditR", "EditG", "EditB"));
  EXPECT_EQ(v, (TVector{0.5f, 1, 0.25f}));
}

TEST_F(DialogFixture, ColoursRoundToBytesAndSaturate) {
  engine.ShowVector(form, {1.0f, 0.5f, 0.0f}, "EditR", "EditG", "EditB", "Panel");
  EXPECT_EQ(form.Text("EditG"), "0.50");
  EXPECT_EQ(form.Color("Panel"), 0xFF8000u);
  TQZEngine::ShowColor(form, {1.5f, -0.2f, 0.2f}, "Panel");
  EXPECT_EQ(form.Color("Panel"), 0xFF0033u) << "out-of-range channels do not spill into their neighbours";
}

TEST_F(DialogFixture, PickColorPresetsUntilTheFirstBadTextAndWritesTheChoice) {
  form.SetText("EditR", "1");
  form.SetText("EditG", "oops");
  form.SetText("EditB", "1");
  host.colorAnswer = Host::Rgb{51, 102, 255};
  engine.PickColor(form, "EditR", "EditG", "EditB", "Panel");
  ASSERT_EQ(host.colorPresets.size(), 1u);
  EXPECT_EQ(host.colorPresets[0].r, 255);
  EXPECT_EQ(host.colorPresets[0].g, 0);
  EXPECT_EQ(host.colorPresets[0].b, 0) << "channels after the bad one start at 0 too";
  EXPECT_EQ(form.Text("EditR"), "0.20");
  EXPECT_EQ(form.Text("EditG"), "0.40");
  EXPECT_EQ(form.Text("EditB"), "1.00");
  EXPECT_EQ(form.Color("Panel"), 0x3366FFu);
  EXPECT_TRUE(host.errors.empty()) << "the preset is read silently";

  host.colorAnswer.reset();
  engine.PickColor(form, "EditR", "EditG", "EditB", "Panel");
  EXPECT_EQ(form.Text("EditR"), "0.20") << "cancel changes nothing";
  EXPECT_EQ(form.Color("Panel"), 0x3366FFu);
}

TEST_F(DialogFixture, VariableAndEnemyCombosKeepTableIndices) {
  engine.Variables[200].Name = "Last";
  engine.Variables[3].Values[5] = "five";
  engine.Enemies[100] = "Ash warden";
  engine.FillVariableCombo(form, "CBVariable");
  const auto& variables = form.Inspect("CBVariable");
  ASSERT_EQ(variables.items.size(), 201u);
  EXPECT_EQ(variables.items[0], " ");
  EXPECT_EQ(variables.items[200], "Last");
  EXPECT_EQ(variables.dropDownCount, 30);

  engine.FillVariableValueCombo(form, "CBValue", 3);
  ASSERT_EQ(form.Items("CBValue").size(), 6u);
  EXPECT_EQ(form.Items("CBValue")[5], "five");
  EXPECT_EQ(form.Inspect("CBValue").dropDownCount, 5);
  engine.FillVariableValueCombo(form, "CBValue", 201);
  EXPECT_TRUE(form.Items("CBValue").empty()) << "an index beyond the table reads nothing";
  engine.FillVariableValueCombo(form, "CBValue", -1);
  EXPECT_TRUE(form.Items("CBValue").empty());

  engine.FillEnemyCombo(form, "CBEnemy");
  ASSERT_EQ(form.Items("CBEnemy").size(), 101u);
  EXPECT_EQ(form.Items("CBEnemy")[100], "Ash warden");
}

TEST_F(DialogFixture, CopyComboItemsSetsBothDropDownCounts) {
  MemoryForm& room = host.Memory(FormId::Room);
  form.SetItems("CBSource", {"a", "b"});
  room.SetItems("CBTarget", {"old"});
  TQZEngine::CopyComboItems(form, "CBSource", room, "CBTarget");
  EXPECT_EQ(room.Items("CBTarget"), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(room.Inspect("CBTarget").dropDownCount, 22);
  EXPECT_EQ(form.Inspect("CBSource").dropDownCount, 22);
}
