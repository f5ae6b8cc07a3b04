#include "core/texture_list.h"

std::vector<std::string> ReadTextureList(ConfigLineReader& reader) {
  std::vector<std::string> names;
  bool inList = false;
  while (auto line = reader.ReadLine()) {
    if (!inList) {
      inList = *line == TextureListHeader;
      continue;
    }
    if (line->empty()) {
      inList = false;
      continue;
    }
    // The rest of the file can only hold names for slots the table does not have.
    if (names.size() == TextureListSlots) break;
    names.push_back(std::move(*line));
  }
  return names;
}
