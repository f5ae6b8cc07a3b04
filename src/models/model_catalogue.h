#pragma once
// The model list (loadmodel.ini): "[MODEL_FILENAME]" opens a list of model names
// that ends at the first empty line; a name beginning with "-" is switched off.

#include <string>
#include <vector>

#include "core/config_lines.h"

// The names to load, in order, from every list of the file.
std::vector<std::string> ParseModelList(ConfigLineReader& reader);
