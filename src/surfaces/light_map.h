#pragma once
// Light maps: each texel centre of a surface gets the room's static light sum, each
// light's share decided by a shadow test. The processor's ray caster is the default and
// runs on every core; the rendered test stays selectable for comparison.

#include <cstdint>
#include <memory>

#include "surfaces/occlusion.h"

class CpuOcclusion;
class TRoom;
class TSurface;

enum class ShadowMethod { Cpu, Gl };

// Fills the surface's light map (white when "Compute Lighting:" is unchecked) with
// `occlusion` deciding every shadow; a null test lets every light through. Rows are
// shared among `threads` threads, so the test must be safe to call concurrently when
// threads > 1.
void ComputeLightMap(TRoom& room, TSurface& surface, Occlusion* occlusion, int threads);

// The room's light-map service: surfaces ask it while building their textures.
class LightMapBaker {
public:
  explicit LightMapBaker(TRoom& room);
  ~LightMapBaker();

  ShadowMethod Method = ShadowMethod::Cpu;
  OcclusionRule Rule = OcclusionRule::Exact;  // for either method
  ShadowView View;                  // the panel the rendered test draws into
  int Threads;                      // all cores by default
  Occlusion* RenderedTest = nullptr;  // the GL test, for ShadowMethod::Gl

  void ComputeLightMap(TSurface& surface);

  // Surfaces recomputed in one go ("Compute Surface Lighting") all see the same room,
  // so while a batch lives they share one occluder scene instead of building one each.
  class Batch {
  public:
    explicit Batch(LightMapBaker* baker);  // null: no baker, nothing to share
    ~Batch();
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

  private:
    LightMapBaker* baker_;
  };

private:
  TRoom& room_;
  bool batched_ = false;
  std::unique_ptr<CpuOcclusion> batchScene_;
};
