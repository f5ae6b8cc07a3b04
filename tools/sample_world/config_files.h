#pragma once
// The game's plain-text lists: editor.ini (all 32 sections), variable.ini, enemy.ini
// and sound/loadsound.ini. The order of entries is what rooms store, so these lists
// only ever grow at their ends.

class WorldWriter;

void WriteConfigFiles(WorldWriter& world);
