#pragma once
// The model definition file (model name + ".ini"): display name and scale, render
// switches, blend, alpha test, detail map and the list of animations. A section
// header line is followed directly by its value lines; comparisons are exact.

#include <string_view>
#include <vector>

#include "core/config_lines.h"
#include "core/short_string.h"

class Host;
class TVEModel;

// More would overflow the game's animation table.
constexpr std::size_t MaxModelAnimations = 100;

// Applies the definition to the model and returns the listed animation names in
// order; names past MaxModelAnimations are refused with one message.
std::vector<String32> ApplyModelDefinition(ConfigLineReader& reader, TVEModel& model, Host& host);

// The real number at the start of a line; the rest of the line is ignored. False
// (with the engine's conversion message) when it does not convert.
bool ReadLeadingFloat(std::string_view line, float& destination, Host& host);
