#pragma once
// The texture list (loadtexture.ini in the art directory). A line equal to the header
// opens a list; its names are the following lines up to the first empty line or the
// end of the file. Lines outside a list are commentary, and a later header opens
// another list that continues the numbering. A header directly after a name is a name.
// The names fill the texture table's slots 1, 2, ... in order; the table has 100
// slots, so names past the hundredth are ignored.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/config_lines.h"

inline constexpr std::string_view TextureListHeader = "[TEXTURE_FILENAME]";
inline constexpr std::size_t TextureListSlots = 100;

// The names in slot order, at most TextureListSlots of them, each exactly as the line
// stands (blanks included, cut at ConfigLineReader::MaxLineLength).
std::vector<std::string> ReadTextureList(ConfigLineReader& reader);
