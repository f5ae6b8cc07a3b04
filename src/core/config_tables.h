#pragma once
// The game's variable and enemy tables and their readers (variable.ini and enemy.ini).
// Lines whose index is not three decimal digits within the table are skipped.

#include <array>

#include "core/config_lines.h"
#include "core/short_string.h"

struct TGameVariable {
  String32 Name;
  std::array<String32, 6> Values;
};

constexpr int VariableCount = 201;
constexpr int EnemyCount = 101;
using VariableTable = std::array<TGameVariable, VariableCount>;
using EnemyTable = std::array<String32, EnemyCount>;

// Names never set show as a single blank, so item and table indices stay equal in combos.
void ResetVariables(VariableTable& variables);
void ResetEnemies(EnemyTable& enemies);

// Every "[GAME_VARIABLE]" section: "012 Name" lines, and after "012 Name:" the value
// lines "\t\t000 Value" (a tab, a separator, the value index 0..5, a separator, the name).
void ReadVariables(ConfigLineReader& reader, VariableTable& variables);
// Every "[GAME_ENEMY]" section: "012 Name" lines.
void ReadEnemies(ConfigLineReader& reader, EnemyTable& enemies);
