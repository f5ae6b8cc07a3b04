#include "core/config_sections.h"

#include <gtest/gtest.h>

#include "support/temp_game_dir.h"

namespace {

std::vector<std::string> AllLines(std::string_view text) {
  ConfigLineReader reader(text);
  std::vector<std::string> lines;
  while (auto line = reader.ReadLine()) lines.push_back(*line);
  return lines;
}

SectionLists Sections(std::string_view text, std::set<std::string, std::less<>> headers) {
  ConfigLineReader reader(text);
  return ReadSectionLists(reader, headers);
}

using Lines = std::vector<std::string>;

}  // namespace

TEST(ConfigLines, LineEndsAndNoTrimming) {
  EXPECT_EQ(AllLines("a\r\nb\nc"), (Lines{"a", "b", "c"})) << "CR LF and LF; last line without end";
  EXPECT_EQ(AllLines("a\rb"), (Lines{"a", "b"})) << "a lone CR ends a line too";
  EXPECT_EQ(AllLines(" a \t\n\n"), (Lines{" a \t", ""})) << "blanks stay; a trailing newline adds no line";
  EXPECT_EQ(AllLines(""), Lines{});
  EXPECT_EQ(AllLines("\n"), Lines{""});
}

TEST(ConfigLines, LongLinesAreCutAndTheirRestSkipped) {
  // 255 characters, then four more that must be dropped.
  std::string text(255, 'x');
  text.append("REST\r\nnext\n");
  const auto lines = AllLines(text);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], std::string(255, 'x'));
  EXPECT_EQ(lines[1], "next") << "the cut-off part must not become a line of its own";
}

TEST(ConfigLines, OpenReadsThroughTheFileLayerAndRefusesMissingFiles) {
  TempGameDir dir;
  dir.Write("Sub/Editor.INI", "one\ntwo");
  auto reader = ConfigLineReader::Open(dir.Path() + "\\sub\\editor.ini");
  ASSERT_TRUE(reader.has_value()) << "backslashes and case differences resolve";
  EXPECT_EQ(reader->ReadLine(), "one");
  EXPECT_FALSE(ConfigLineReader::Open(dir.Path() + "\\missing.ini").has_value());
}

TEST(ConfigSections, HeaderMustMatchExactly) {
  const auto lists = Sections("[ROOM_FOG] \nfog a\n\n [ROOM_FOG]\nfog b\n\n[room_fog]\nfog c\n", {"[ROOM_FOG]"});
  EXPECT_TRUE(lists.empty()) << "a blank after or before the header, or lower case, is no header";
}

TEST(ConfigSections, EntriesRunToTheEmptyLineAndTextBetweenIsCommentary) {
  const auto lists = Sections(
      "Some notes\n[A]\none\n two \n\nmore notes\n[B]\n\n[C]\nlast",
      {"[A]", "[B]", "[C]"});
  EXPECT_EQ(lists.at("[A]"), (Lines{"one", " two "}));
  EXPECT_EQ(lists.at("[B]"), Lines{}) << "a header followed by an empty line gives an empty list";
  EXPECT_EQ(lists.at("[C]"), Lines{"last"}) << "the end of the file ends a section";
}

TEST(ConfigSections, HeaderDirectlyAfterAnEntryIsAnEntry) {
  const auto lists = Sections("[A]\none\n[B]\nb1\n\n", {"[A]", "[B]"});
  EXPECT_EQ(lists.at("[A]"), (Lines{"one", "[B]", "b1"}));
  EXPECT_EQ(lists.count("[B]"), 0u);
}

TEST(ConfigSections, LaterOccurrenceReplacesTheList) {
  const auto lists = Sections("[A]\nold1\nold2\n\n[A]\nnew\n", {"[A]"});
  EXPECT_EQ(lists.at("[A]"), Lines{"new"});
}

TEST(ConfigSections, SlotIndexIsThreeDigitsInRange) {
  EXPECT_EQ(ParseSlotIndex("007", 200), 7);
  EXPECT_EQ(ParseSlotIndex("200", 200), 200);
  EXPECT_EQ(ParseSlotIndex("000", 5), 0);
  for (std::string_view bad : {"201", "07", "0007", " 07", "-01", "+01", "1a2", "", "006"}) {
    EXPECT_FALSE(ParseSlotIndex(bad, bad == "006" ? 5 : 200).has_value()) << '"' << bad << '"';
  }
}
