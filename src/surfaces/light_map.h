#pragma once
// Light maps: each texel centre of a surface gets the room's static light sum, each
// light's share decided by a shadow test. The processor's ray caster is the default and
// runs on every core; the rendered test stays selectable for comparison.

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "room/view_mapping.h"
#include "surfaces/surface_main.h"
#include "surfaces/occlusion.h"

class BakeProgress;
class CpuOcclusion;
class TRoom;
class TSurface;

enum class ShadowMethod { Cpu, Gl };

// The view panel the editor's window opens with. "Compute Surface Lighting" casts
// through the panel, so light maps baked without a window through this view are the
// ones F6 on the untouched room computes again.
inline constexpr ShadowView PanelShadowView{view_geometry::DesignedWidth, view_geometry::DesignedHeight};

// Fills the surface's light map (white when "Compute Lighting:" is unchecked) with
// `occlusion` deciding every shadow; a null test lets every light through. Rows are
// shared among `threads` threads, so the test must be safe to call concurrently when
// threads > 1. A bake that is part of a larger command steps that command's progress.
void ComputeLightMap(TRoom& room, TSurface& surface, Occlusion* occlusion, int threads, BakeProgress* whole = nullptr);

// Where the bake samples a light map of width x height texels, and how it stores a
// light sum, so that a bake from a copy of the room writes the very same bytes.
struct LightMapRow {
  TVector start;  // the row's line between the side from corner 0 to 3 and the one from 1 to 2
  TVector end;
};
LightMapRow LightMapRowAt(const std::array<TSurfaceCorner, 4>& corners, int height, int row);
TVector LightMapTexelAt(const LightMapRow& row, int width, int column);
std::uint8_t LightMapByte(float component);

// A static light as the light maps' sum takes it.
struct LightTerm {
  TVector position;
  float radius;
  TVector color;
};
// The static lights TRoom::SumLights counts, in its order.
std::vector<LightTerm> StaticLightTerms(const TRoom& room);
// TRoom::SumLights at many points of one surface (skipped by the shadow test): term by
// term in the same order, so every sum is the same to the bit, with each light's shadow
// rays asked of the test together.
void SumLightsAt(std::span<const LightTerm> lights, std::span<const TVector> points, Occlusion* occlusion,
                 std::int16_t skipSurface, std::span<TVector> sums);

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
  // so while a batch lives they share one occluder scene instead of building one each,
  // and one progress bar over all their `rows`.
  class Batch {
  public:
    Batch(LightMapBaker* baker, int rows);  // null: no baker, nothing to share
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
  std::unique_ptr<BakeProgress> batchProgress_;
};
