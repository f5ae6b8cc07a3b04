#pragma once
// The game path helpers moved to the core layer (the tool's `world` uses them too).
#include "core/game_path.h"
