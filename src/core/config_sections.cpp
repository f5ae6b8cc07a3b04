#include "core/config_sections.h"

std::vector<std::string> ReadSectionEntries(ConfigLineReader& reader) {
  std::vector<std::string> entries;
  while (auto line = reader.ReadLine()) {
    if (line->empty()) break;
    entries.push_back(std::move(*line));
  }
  return entries;
}

SectionLists ReadSectionLists(ConfigLineReader& reader, const std::set<std::string, std::less<>>& headers) {
  SectionLists lists;
  while (auto line = reader.ReadLine()) {
    if (headers.count(*line) > 0) lists[*line] = ReadSectionEntries(reader);
  }
  return lists;
}

std::optional<int> ParseSlotIndex(std::string_view digits, int highest) {
  if (digits.size() != 3) return std::nullopt;
  int value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value > highest) return std::nullopt;
  return value;
}
