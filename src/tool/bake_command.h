#pragma once
// `brannock-tool bake`: recomputes every surface's light map of a loaded room without
// a window, by the processor's ray caster or the rendered test, with a progress bar on
// the terminal; --compare bakes both ways and reports how far they differ.

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "surfaces/occlusion.h"

class HeadlessHost;
class TRoom;

struct BakeOptions {
  std::string method = "cpu";  // "cpu" or "gl"
  int threads = 0;             // 0: all cores
  bool compare = false;
  OcclusionRule rule = OcclusionRule::Exact;
  ShadowView view;  // both methods cast and read as on a panel of this size
  // A bar redrawn in place on a terminal; a line per surface into a log or a pipe.
  bool terminal = true;
};

// "641x481" as a view size; nothing unless both are whole numbers from 1 to 4096.
std::optional<ShadowView> ParseViewSize(std::string_view text);

// The room keeps the chosen method's light maps. Returns the process status: 0 when
// the bake ran, 1 when the rendered test was asked for and cannot run here.
int RunBake(TRoom& room, HeadlessHost& host, const BakeOptions& options, std::ostream& out, std::ostream& err);
