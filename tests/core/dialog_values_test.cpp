// A dialog control the designer leaves alone gives back the stored value: rounded
// numbers, list indices the list cannot show.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/dialog_values.h"
#include "core/memory_form.h"

namespace {

using namespace dialog_values;

class DialogValuesTest : public ::testing::Test {
protected:
  DialogValuesTest() { form.SetItems("CBKey", {"none", "silver", "gold"}); }
  MemoryForm form;
};

TEST_F(DialogValuesTest, AnUntouchedNumberReadsBackUnrounded) {
  form.ShowNumber("EditLightX", "-0.40", -0.3990037f);
  EXPECT_EQ(ReadFloat(form, "EditLightX"), -0.3990037f);

  // NaN from a damaged file survives as well, bit for bit.
  const float nan = std::numeric_limits<float>::quiet_NaN();
  form.ShowNumber("EditSize", "nan", nan);
  ASSERT_TRUE(ReadFloat(form, "EditSize"));
  EXPECT_TRUE(std::isnan(*ReadFloat(form, "EditSize")));
}

TEST_F(DialogValuesTest, ATypedNumberIsTheNumberTyped) {
  form.ShowNumber("EditLightX", "-0.40", -0.3990037f);
  form.SetText("EditLightX", "-0.41");
  EXPECT_EQ(ReadFloat(form, "EditLightX"), -0.41f);
  // Typing the shown text again is the same as leaving it.
  form.SetText("EditLightX", "-0.40");
  EXPECT_EQ(ReadFloat(form, "EditLightX"), -0.3990037f);
  form.SetText("EditLightX", "west");
  EXPECT_FALSE(ReadFloat(form, "EditLightX"));
  // The next showing replaces what was remembered.
  form.ShowNumber("EditLightX", "2.00", 2.0f);
  EXPECT_EQ(ReadFloat(form, "EditLightX"), 2.0f);
}

TEST_F(DialogValuesTest, SixteenBitIntegersOnly) {
  for (const auto& [text, value] : {std::pair{"-32768", -32768}, std::pair{" 32767 ", 32767}, std::pair{"0", 0}}) {
    form.SetText("EditHealth", text);
    EXPECT_EQ(ReadInt16(form, "EditHealth"), value) << text;
  }
  for (const char* text : {"40000", "-32769", "65536", "1.0", ""}) {
    form.SetText("EditHealth", text);
    EXPECT_FALSE(ReadInt16(form, "EditHealth")) << text;
  }
}

TEST_F(DialogValuesTest, AnIndexTheListCanShowIsSelected) {
  for (int index : {-1, 0, 2}) {
    ShowListIndex(form, "CBKey", index);
    EXPECT_EQ(form.ItemIndex("CBKey"), index);
    EXPECT_EQ(form.Items("CBKey").size(), 3u);
    EXPECT_EQ(ReadListIndex(form, "CBKey", 5), index) << "the selection is what counts";
  }
}

TEST_F(DialogValuesTest, AnIndexBeyondTheListGetsItsOwnEntryAndIsKept) {
  ShowListIndex(form, "CBKey", 7);
  EXPECT_EQ(form.Items("CBKey"), (std::vector<std::string>{"none", "silver", "gold", "7 (not in editor.ini)"}));
  EXPECT_EQ(form.ItemIndex("CBKey"), 3);
  EXPECT_EQ(ReadListIndex(form, "CBKey", 7), 7);

  // Picking a real item replaces it.
  form.SetItemIndex("CBKey", 1);
  EXPECT_EQ(ReadListIndex(form, "CBKey", 7), 1);

  // The next showing drops the entry of the earlier value, whatever comes now.
  ShowListIndex(form, "CBKey", -4, "variable.ini");
  EXPECT_EQ(form.Items("CBKey").back(), "-4 (not in variable.ini)");
  EXPECT_EQ(form.Items("CBKey").size(), 4u);
  EXPECT_EQ(ReadListIndex(form, "CBKey", -4), -4);
  ShowListIndex(form, "CBKey", 0);
  EXPECT_EQ(form.Items("CBKey").size(), 3u);
  EXPECT_EQ(form.ItemIndex("CBKey"), 0);
}

TEST_F(DialogValuesTest, AnEmptyListShowsItsStoredIndexToo) {
  ShowListIndex(form, "CBEmpty", 0);
  EXPECT_EQ(form.Items("CBEmpty"), std::vector<std::string>{"0 (not in editor.ini)"});
  EXPECT_EQ(ReadListIndex(form, "CBEmpty", 0), 0);
}

}  // namespace
