#pragma once
// `brannock-tool bake`: recomputes every surface's light map of a room file without a
// window, by the processor's ray caster or the rendered test, with a progress bar on
// the terminal; --compare bakes both ways and reports how far they differ.

#include <ostream>
#include <string>

class TRoom;

struct BakeOptions {
  std::string method = "cpu";  // "cpu" or "gl"
  int threads = 0;             // 0: all cores
  bool compare = false;
};

// The room is already loaded; returns the process status (0 when the bake ran).
int RunBake(TRoom& room, const BakeOptions& options, std::ostream& out, std::ostream& err);
