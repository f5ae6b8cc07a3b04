#pragma once
// The section grammar. A section opens with a line equal to its header ("[ROOM_FOG]",
// nothing before or after it); its entries are the following lines up to the first
// empty line, which is consumed, or the end of the file. Lines outside sections are
// commentary. A header directly after an entry is an entry of the open section.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/config_lines.h"

// The lines after a header that was just read, up to and including the ending empty line.
std::vector<std::string> ReadSectionEntries(ConfigLineReader& reader);

// Header -> entries for every section of the file whose header is in `headers`. A
// section that occurs more than once keeps its last occurrence's entries.
using SectionLists = std::map<std::string, std::vector<std::string>, std::less<>>;
SectionLists ReadSectionLists(ConfigLineReader& reader, const std::set<std::string, std::less<>>& headers);

// An index field of exactly three decimal digits ("007") within 0..highest; nothing otherwise.
std::optional<int> ParseSlotIndex(std::string_view digits, int highest);
