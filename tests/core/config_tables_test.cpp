#include "core/config_tables.h"

#include <gtest/gtest.h>

namespace {

struct Tables {
  VariableTable variables;
  EnemyTable enemies;
  Tables() {
    ResetVariables(variables);
    ResetEnemies(enemies);
  }
  void Variables(std::string_view text) {
    ConfigLineReader reader(text);
    ReadVariables(reader, variables);
  }
  void Enemies(std::string_view text) {
    ConfigLineReader reader(text);
    ReadEnemies(reader, enemies);
  }
  const TGameVariable& Var(int i) const { return variables[static_cast<std::size_t>(i)]; }
};

}  // namespace

TEST(ConfigTables, ResetGivesBlankNamesAndEmptyValues) {
  Tables t;
  EXPECT_EQ(t.Var(0).Name.str(), " ");
  EXPECT_EQ(t.Var(200).Name.str(), " ");
  EXPECT_TRUE(t.Var(200).Values[5].empty());
  EXPECT_EQ(t.enemies[100].str(), " ");
}

TEST(ConfigTables, VariableWithValueListThenPlainVariable) {
  Tables t;
  t.Variables("[GAME_VARIABLE]\n012 Bridge state:\n\t\t000 lowered\n\t\t001 raised\n013 Gate opened\n");
  EXPECT_EQ(t.Var(12).Name.str(), "Bridge state");
  EXPECT_EQ(t.Var(12).Values[0].str(), "lowered");
  EXPECT_EQ(t.Var(12).Values[1].str(), "raised");
  EXPECT_TRUE(t.Var(12).Values[2].empty());
  EXPECT_EQ(t.Var(13).Name.str(), "Gate opened");
  EXPECT_EQ(t.Var(11).Name.str(), " ");
}

TEST(ConfigTables, ValueListsChainAndAnEmptyLineAfterOneKeepsTheSectionOpen) {
  Tables t;
  t.Variables(
      "[GAME_VARIABLE]\n"
      "001 First:\n\t\t005 five\n"
      "002 Second:\n\t\t000 zero\n"
      "\n"
      "003 Third\n"
      "\n"
      "004 Outside\n");
  EXPECT_EQ(t.Var(1).Values[5].str(), "five");
  EXPECT_EQ(t.Var(2).Name.str(), "Second");
  EXPECT_EQ(t.Var(2).Values[0].str(), "zero");
  EXPECT_EQ(t.Var(3).Name.str(), "Third") << "the empty line after a value list does not end the section";
  EXPECT_EQ(t.Var(4).Name.str(), " ") << "an empty line after a plain variable does";
}

TEST(ConfigTables, BadIndicesAreSkippedWithTheirValueLists) {
  Tables t;
  t.Variables(
      "[GAME_VARIABLE]\n"
      "201 Too far\n"
      "12 Short index\n"
      "abc Letters\n"
      "099 Ninety-nine:\n\t\t006 past the values\n\t\t-01 negative\n\t\t001 kept\n\t\n"
      "300 Far:\n\t\t000 lost\n"
      "200 Last\n");
  EXPECT_EQ(t.Var(200).Name.str(), "Last");
  EXPECT_EQ(t.Var(99).Name.str(), "Ninety-nine");
  EXPECT_EQ(t.Var(99).Values[1].str(), "kept");
  EXPECT_TRUE(t.Var(99).Values[0].empty());
  for (int i = 0; i < VariableCount; ++i) {
    if (i == 99 || i == 200) continue;
    EXPECT_EQ(t.Var(i).Name.str(), " ") << i;
    for (const auto& value : t.Var(i).Values) EXPECT_TRUE(value.empty()) << i << " got " << value.str();
  }
}

TEST(ConfigTables, NamesAreCutToThirtyTwoAndColonDroppedBeforeTheCut) {
  Tables t;
  const std::string longName(40, 'n');
  t.Variables("[GAME_VARIABLE]\n005 " + longName + ":\n\t\t000 " + longName + "\n006 x\n");
  EXPECT_EQ(t.Var(5).Name.str(), std::string(32, 'n'));
  EXPECT_EQ(t.Var(5).Values[0].str(), std::string(32, 'n'));
  EXPECT_EQ(t.Var(6).Name.str(), "x") << "the long name still opened a value list that ended";
}

TEST(ConfigTables, VariablesOnlyInsideTheirSectionAndEverySectionRead) {
  Tables t;
  t.Variables("001 Before\n[GAME_VARIABLE]\n002 In\n\n003 Between\n[GAME_VARIABLE]\n004 Again\n");
  EXPECT_EQ(t.Var(1).Name.str(), " ");
  EXPECT_EQ(t.Var(2).Name.str(), "In");
  EXPECT_EQ(t.Var(3).Name.str(), " ");
  EXPECT_EQ(t.Var(4).Name.str(), "Again");
}

TEST(ConfigTables, ShortLinesDoNotReadPastTheirEnd) {
  Tables t;
  t.Variables("[GAME_VARIABLE]\n007\n008 A:\n\t\n\t\t0\n\t\t001\n");
  EXPECT_EQ(t.Var(7).Name.str(), "") << "an index with no name";
  EXPECT_EQ(t.Var(8).Name.str(), "A");
  EXPECT_EQ(t.Var(8).Values[1].str(), "");
}

TEST(ConfigTables, Enemies) {
  Tables t;
  t.Enemies("[GAME_ENEMY]\n000 Bog crawler\n100 Ash warden\n101 Beyond\n1 Short\n050 " + std::string(40, 'e') +
            "\n\n051 After the section\n");
  EXPECT_EQ(t.enemies[0].str(), "Bog crawler");
  EXPECT_EQ(t.enemies[100].str(), "Ash warden");
  EXPECT_EQ(t.enemies[50].str(), std::string(32, 'e'));
  EXPECT_EQ(t.enemies[51].str(), " ");
  EXPECT_EQ(t.enemies[1].str(), " ");
}
