#include "core/texture_list.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

Names Read(std::string_view text) {
  ConfigLineReader reader(text);
  return ReadTextureList(reader);
}

// "t000\n" ... for the given range, so the surviving names show where the cut fell.
std::string Numbered(int first, int count) {
  std::string text;
  for (int i = first; i < first + count; ++i) text += "t" + std::to_string(i) + "\n";
  return text;
}

}  // namespace

TEST(TextureList, WithoutAnExactHeaderNothingIsListed) {
  EXPECT_EQ(Read(""), Names{});
  EXPECT_EQ(Read("a\nb\n"), Names{}) << "names before any header are commentary";
  EXPECT_EQ(Read("[TEXTURE_FILENAME] \na\n [TEXTURE_FILENAME]\nb\n[texture_filename]\nc\n"), Names{})
      << "blanks around the header or lower case make it commentary";
  EXPECT_EQ(Read("[TEXTURE_FILENAME]"), Names{}) << "a header at the end of the file opens an empty list";
}

TEST(TextureList, ListsEndAtTheEmptyLineAndLaterHeadersContinueThem) {
  EXPECT_EQ(Read("notes\n[TEXTURE_FILENAME]\na\nb\n\nnot a texture\n[TEXTURE_FILENAME]\nc"),
            (Names{"a", "b", "c"}));
  EXPECT_EQ(Read("[TEXTURE_FILENAME]\n\na\n"), Names{}) << "an empty line right after the header closes the list";
  EXPECT_EQ(Read("[TEXTURE_FILENAME]\na\n[TEXTURE_FILENAME]\nb\n"), (Names{"a", "[TEXTURE_FILENAME]", "b"}))
      << "inside a list a header line is just a name";
}

TEST(TextureList, LineEndsAndBlanksAsTheLineReaderGivesThem) {
  EXPECT_EQ(Read("[TEXTURE_FILENAME]\r\nwall \r\n\tfloor\rsky\n"), (Names{"wall ", "\tfloor", "sky"}))
      << "CR LF and lone CR end lines; blanks and tabs are part of the name";
  EXPECT_EQ(Read("[TEXTURE_FILENAME]\r\na\r\n\r\nb\r\n"), Names{"a"}) << "an empty CR LF line ends the list";
  EXPECT_EQ(Read("[TEXTURE_FILENAME]\ra\r\rb\r"), Names{"a"}) << "so does an empty line ended by a lone CR";
  EXPECT_EQ(Read("[TEXTURE_FILENAME]\n \n"), Names{" "}) << "a blank line is not empty";
}

TEST(TextureList, LongNamesAreCutWithoutSpillingIntoTheNextSlot) {
  const std::string longName(300, 'n');
  const auto names = Read("[TEXTURE_FILENAME]\n" + longName + "\nnext\n");
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(names[0], std::string(ConfigLineReader::MaxLineLength, 'n'));
  EXPECT_EQ(names[1], "next");
}

TEST(TextureList, TheTableHoldsAHundredNamesAcrossAllLists) {
  auto names = Read("[TEXTURE_FILENAME]\n" + Numbered(0, 100));
  ASSERT_EQ(names.size(), 100u) << "exactly full";
  EXPECT_EQ(names.back(), "t99");

  names = Read("[TEXTURE_FILENAME]\n" + Numbered(0, 60) + "\n[TEXTURE_FILENAME]\n" + Numbered(60, 60));
  ASSERT_EQ(names.size(), TextureListSlots);
  EXPECT_EQ(names[59], "t59");
  EXPECT_EQ(names[60], "t60") << "the second list continues the numbering";
  EXPECT_EQ(names.back(), "t99") << "names past the hundredth are dropped, not the earlier ones";

  names = Read("[TEXTURE_FILENAME]\n" + Numbered(0, 100) + "\n[TEXTURE_FILENAME]\nextra\n");
  EXPECT_EQ(names.size(), 100u) << "a full table takes no name from a later list";
}
