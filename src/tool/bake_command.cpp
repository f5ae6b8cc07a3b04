#include "tool/bake_command.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>
#include <vector>

#include "core/headless_host.h"
#include "core/numbers.h"
#include "engine/edit_engine.h"
#include "room/edit_room.h"
#include "surfaces/cpu_occlusion.h"
#include "surfaces/light_map.h"
#include "tool/rendered_shadows.h"

namespace {

using LightMapSet = std::vector<std::vector<std::uint8_t>>;  // per surface slot in use

constexpr int BarWidth = 40;

// Redraws "[####    ] surface i/n" on one terminal line whenever the bake yields;
// without a terminal, writes "surface i/n" once per surface instead.
class TerminalBar {
public:
  TerminalBar(HeadlessHost& host, std::ostream& out, int surfaces, bool terminal)
      : host_(host), out_(out), surfaces_(surfaces), terminal_(terminal) {
    host_.onProcessEvents = [this] { Draw(); };
  }
  ~TerminalBar() {
    host_.onProcessEvents = nullptr;
    if (terminal_) out_ << '\n';
  }
  TerminalBar(const TerminalBar&) = delete;
  TerminalBar& operator=(const TerminalBar&) = delete;

  void NextSurface() { ++current_; }

private:
  void Draw() {
    if (!terminal_) {
      if (current_ != written_) out_ << "surface " << current_ << '/' << surfaces_ << '\n';
      written_ = current_;
      return;
    }
    const auto& bar = host_.Memory(FormId::Main).Inspect("ProgressBarSurface");
    const int filled = bar.maximum > 0 ? bar.position * BarWidth / bar.maximum : 0;
    out_ << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
         << std::string(static_cast<std::size_t>(BarWidth - filled), ' ') << "] surface " << current_ << '/'
         << surfaces_ << std::flush;
  }

  HeadlessHost& host_;
  std::ostream& out_;
  int surfaces_;
  bool terminal_;
  int current_ = 0;
  int written_ = 0;
};

std::vector<TSurface*> SurfacesInUse(TRoom& room) {
  std::vector<TSurface*> surfaces;
  for (auto& surface : room.Surfaces) {
    if (surface->InUse()) surfaces.push_back(surface.get());
  }
  return surfaces;
}

// Bakes every surface in use and returns the light maps in slot order.
LightMapSet BakeAll(TRoom& room, HeadlessHost& host, Occlusion& occlusion, int threads, bool terminal,
                    std::ostream& out, const char* label) {
  const auto surfaces = SurfacesInUse(room);
  out << label << ": " << surfaces.size() << " surfaces\n";
  const auto start = std::chrono::steady_clock::now();
  LightMapSet maps;
  {
    TerminalBar bar(host, out, static_cast<int>(surfaces.size()), terminal);
    for (TSurface* surface : surfaces) {
      bar.NextSurface();
      ComputeLightMap(room, *surface, &occlusion, threads);
      maps.emplace_back(surface->lightMapPixels.begin(),
                        surface->lightMapPixels.begin() + static_cast<long>(surface->LightMapSize()));
    }
  }
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  out << label << ": " << took.count() << " s\n";
  return maps;
}

void Restore(TRoom& room, const LightMapSet& maps) {
  const auto surfaces = SurfacesInUse(room);
  for (std::size_t i = 0; i < surfaces.size(); ++i) std::copy(maps[i].begin(), maps[i].end(), surfaces[i]->lightMapPixels.begin());
}

void ReportDifferences(const LightMapSet& cpu, const LightMapSet& gl, std::ostream& out) {
  std::size_t texels = 0, differing = 0;
  int largest = 0;
  double sum = 0;
  for (std::size_t s = 0; s < cpu.size(); ++s) {
    for (std::size_t i = 0; i + 2 < cpu[s].size(); i += 3) {
      ++texels;
      int worst = 0;
      for (std::size_t c = 0; c < 3; ++c) worst = std::max(worst, std::abs(cpu[s][i + c] - gl[s][i + c]));
      if (worst == 0) continue;
      ++differing;
      largest = std::max(largest, worst);
      sum += worst;
    }
  }
  out << "compare: " << differing << " of " << texels << " texels differ";
  if (differing > 0) out << ", by at most " << largest << " and on average " << sum / static_cast<double>(differing);
  out << " (" << (texels ? 100.0 * static_cast<double>(texels - differing) / static_cast<double>(texels) : 100.0)
      << "% agree)\n";
}

}  // namespace

std::optional<ShadowView> ParseViewSize(std::string_view text) {
  constexpr int Largest = 4096;
  const auto cross = text.find('x');
  if (cross == std::string_view::npos) return std::nullopt;
  const auto width = numbers::ParseInt(text.substr(0, cross));
  const auto height = numbers::ParseInt(text.substr(cross + 1));
  if (!width || !height || *width < 1 || *height < 1 || *width > Largest || *height > Largest) return std::nullopt;
  return ShadowView{*width, *height};
}

int RunBake(TRoom& room, HeadlessHost& host, const BakeOptions& options, std::ostream& out, std::ostream& err) {
  host.Memory(FormId::Main).SetChecked("CBLightMapCompute", true);
  const int threads =
      options.threads > 0 ? options.threads : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  std::unique_ptr<RenderedShadows> rendered;
  if (options.method == "gl" || options.compare) {
    std::string why;
    rendered = MakeRenderedShadows(room.Engine, options.view, why);
    if (!rendered) {
      err << "bake: the rendered shadow test is not available: " << why << '\n';
      return 1;
    }
    rendered->Test().Rule = options.rule;
  }
  LightMapSet cpuMaps;
  if (options.method == "cpu" || options.compare) {
    CpuOcclusion occlusion(room, options.view);
    occlusion.Rule = options.rule;
    cpuMaps = BakeAll(room, host, occlusion, threads, options.terminal, out, "cpu");
  }
  if (rendered) {
    const LightMapSet glMaps = BakeAll(room, host, rendered->Test(), 1, options.terminal, out, "gl");
    if (options.compare) ReportDifferences(cpuMaps, glMaps, out);
    if (options.method == "cpu") Restore(room, cpuMaps);
  }
  return 0;
}
