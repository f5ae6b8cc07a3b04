#include "core/conversion_block.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/headless_host.h"
#include "core/memory_form.h"

namespace {

class ConversionBlockTest : public ::testing::Test {
protected:
  std::vector<std::string> Errors() const {
    std::vector<std::string> texts;
    for (const auto& error : host.errors) texts.push_back(error.Full());
    return texts;
  }

  HeadlessHost host;
  MemoryForm form;
};

TEST_F(ConversionBlockTest, NumbersInEitherSeparatorConvertWithoutAMessage) {
  ConversionBlock block(host, form, "QZ_ROOM");
  form.SetText("EditA", " 2,5 ");
  form.SetText("EditB", "-32768");
  float a = 0;
  std::int16_t b = 0;
  EXPECT_TRUE(block.Float("EditA", a));
  EXPECT_TRUE(block.Int("EditB", b));
  EXPECT_EQ(a, 2.5f);
  EXPECT_EQ(b, -32768);
  EXPECT_TRUE(Errors().empty());
}

TEST_F(ConversionBlockTest, AnIntegerBeyondSixteenBitsFailsInsteadOfWrapping) {
  ConversionBlock block(host, form, "QZ_ROOM");
  form.SetText("EditB", "40000");
  std::int16_t b = 5;
  EXPECT_FALSE(block.Int("EditB", b));
  EXPECT_EQ(b, 5);
  EXPECT_EQ(Errors(), std::vector<std::string>{"QZ_ROOM: Error on converting values!"});
}

TEST_F(ConversionBlockTest, AFailureKeepsTheFieldAndReportsUnderTheCallersTag) {
  ConversionBlock block(host, form, "QZ_ENTITY");
  form.SetText("EditX", "1.5");
  form.SetText("EditY", "abc");
  form.SetText("EditZ", "9");
  TVector v{7, 8, 9.5f};
  EXPECT_FALSE(block.Vector("EditX", "EditY", "EditZ", v));
  EXPECT_EQ(v.x, 1.5f) << "read before the failure";
  EXPECT_EQ(v.y, 8.0f);
  EXPECT_EQ(v.z, 9.5f) << "never read";
  std::int16_t n = 3;
  form.SetText("EditN", "");
  EXPECT_FALSE(block.Int("EditN", n));
  EXPECT_EQ(n, 3);
  EXPECT_EQ(Errors(), (std::vector<std::string>{"QZ_ENTITY: Error on converting values!",
                                                "QZ_ENTITY: Error on converting values!"}));
}

}  // namespace
