#include "core/config_tables.h"

#include <optional>
#include <string>

#include "core/config_sections.h"

namespace {

constexpr std::string_view VariableHeader = "[GAME_VARIABLE]";
constexpr std::string_view EnemyHeader = "[GAME_ENEMY]";
constexpr int HighestValue = 5;

// "012 Name": the index, one separator character, the name.
struct IndexedLine {
  int index = 0;
  std::string_view name;
};

std::optional<IndexedLine> SplitIndexedLine(std::string_view line, int highest) {
  const auto index = ParseSlotIndex(line.substr(0, 3), highest);
  if (!index) return std::nullopt;
  return IndexedLine{*index, line.size() > 4 ? line.substr(4) : std::string_view{}};
}

// "\t\t000 Value": the value index sits in characters 3 to 5, the name from character 7.
void StoreValueLine(std::string_view line, TGameVariable* variable) {
  if (line.size() < 5) return;
  const auto index = ParseSlotIndex(line.substr(2, 3), HighestValue);
  if (!index || !variable) return;
  variable->Values[static_cast<std::size_t>(*index)] = line.size() > 6 ? line.substr(6) : std::string_view{};
}

// Stores one variable line and, after a name ending in a colon, its value lines.
// Returns the line that ended the value list when it is the next variable line, so
// the caller handles it the same way; a skipped line's value list is consumed too.
std::optional<std::string> ParseVariableLine(std::string_view line, ConfigLineReader& reader,
                                             VariableTable& variables) {
  const auto parsed = SplitIndexedLine(line, VariableCount - 1);
  std::string_view name = parsed ? parsed->name : line;
  const bool hasValues = !name.empty() && name.back() == ':';
  if (hasValues) name.remove_suffix(1);
  TGameVariable* variable = parsed ? &variables[static_cast<std::size_t>(parsed->index)] : nullptr;
  if (variable) variable->Name = name;
  if (!hasValues) return std::nullopt;

  while (auto next = reader.ReadLine()) {
    if (next->empty() || next->front() != '\t') {
      if (next->empty()) return std::nullopt;
      return next;
    }
    StoreValueLine(*next, variable);
  }
  return std::nullopt;
}

void ReadVariableSection(ConfigLineReader& reader, VariableTable& variables) {
  while (auto line = reader.ReadLine()) {
    if (line->empty()) return;
    // An empty line right after a value list goes back to this loop without ending it.
    std::optional<std::string> pending = std::move(line);
    while (pending) pending = ParseVariableLine(*pending, reader, variables);
  }
}

}  // namespace

void ResetVariables(VariableTable& variables) {
  for (TGameVariable& variable : variables) {
    variable.Name = " ";
    variable.Values.fill(String32());
  }
}

void ResetEnemies(EnemyTable& enemies) { enemies.fill(String32(" ")); }

void ReadVariables(ConfigLineReader& reader, VariableTable& variables) {
  while (auto line = reader.ReadLine()) {
    if (*line == VariableHeader) ReadVariableSection(reader, variables);
  }
}

void ReadEnemies(ConfigLineReader& reader, EnemyTable& enemies) {
  while (auto line = reader.ReadLine()) {
    if (*line != EnemyHeader) continue;
    for (const std::string& entry : ReadSectionEntries(reader)) {
      if (const auto parsed = SplitIndexedLine(entry, EnemyCount - 1))
        enemies[static_cast<std::size_t>(parsed->index)] = parsed->name;
    }
  }
}
