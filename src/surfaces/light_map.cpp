#include "surfaces/light_map.h"

#include <algorithm>
#include <cmath>
#include <thread>

#include "engine/edit_engine.h"
#include "room/edit_room.h"
#include "surfaces/bake_progress.h"
#include "surfaces/cpu_occlusion.h"
#include "surfaces/surface_main.h"

namespace {

// The room's light sum asks the room's shadow test; the bake lends it its own for the
// duration and gives the old one back.
class LentOcclusion {
public:
  LentOcclusion(TRoom& room, Occlusion* occlusion) : room_(room), saved_(room.OcclusionTest) {
    room_.OcclusionTest = occlusion;
  }
  ~LentOcclusion() { room_.OcclusionTest = saved_; }
  LentOcclusion(const LentOcclusion&) = delete;
  LentOcclusion& operator=(const LentOcclusion&) = delete;

private:
  TRoom& room_;
  Occlusion* saved_;
};

TVector Lerp(const TVector& a, const TVector& b, float f) {
  return TQZEngine::Add(a, TQZEngine::Scale(TQZEngine::Subtract(b, a), f));
}


int DefaultThreads() { return static_cast<int>(std::max(1u, std::thread::hardware_concurrency())); }

}  // namespace

LightMapRow LightMapRowAt(const std::array<TSurfaceCorner, 4>& c, int height, int row) {
  const float down = (static_cast<float>(row) + 0.5f) / static_cast<float>(height);
  return {Lerp(c[0].position, c[3].position, down), Lerp(c[1].position, c[2].position, down)};
}

TVector LightMapTexelAt(const LightMapRow& row, int width, int column) {
  return Lerp(row.start, row.end, (static_cast<float>(column) + 0.5f) / static_cast<float>(width));
}

// Light sums are clamped to 0..1 before they become bytes; a negative colour typed into
// a light would otherwise wrap round to bright.
std::uint8_t LightMapByte(float component) {
  return static_cast<std::uint8_t>(std::nearbyint(std::clamp(component, 0.0f, 1.0f) * 255.0f));
}

std::vector<LightTerm> StaticLightTerms(const TRoom& room) {
  std::vector<LightTerm> lights;
  for (int i = 0; i <= room.LastLight; ++i) {
    const TLight& light = room.Lights[i];
    if (light.InUse() && light.Effect == 0) lights.push_back({light.Position, light.Radius, light.Color});
  }
  return lights;
}

void SumLightsAt(std::span<const LightTerm> lights, std::span<const TVector> points, Occlusion* occlusion,
                 std::int16_t skipSurface, std::span<TVector> sums) {
  const std::size_t n = std::min(points.size(), sums.size());
  std::fill(sums.begin(), sums.begin() + static_cast<std::ptrdiff_t>(n), TVector{});
  std::vector<float> distance(n);
  std::vector<std::size_t> reached;
  std::vector<TVector> targets;
  std::unique_ptr<bool[]> occluded(new bool[n]);
  for (const LightTerm& light : lights) {
    reached.clear();
    targets.clear();
    for (std::size_t i = 0; i < n; ++i) {
      distance[i] = TQZEngine::Distance(light.position, points[i]);
      if (TLight::Reaches(light.radius, distance[i])) {
        reached.push_back(i);
        targets.push_back(points[i]);
      }
    }
    const std::span<bool> hidden(occluded.get(), reached.size());
    std::fill(hidden.begin(), hidden.end(), false);
    if (occlusion && !reached.empty()) occlusion->AreOccluded(-1, skipSurface, light.position, targets, hidden);
    // Every light adds its term, a zero one too, as the room's sum does.
    std::size_t next = 0;
    for (std::size_t i = 0; i < n; ++i) {
      TVector term;
      if (next < reached.size() && reached[next] == i) {
        if (!hidden[next]) term = TLight::Unshadowed(light.color, light.radius, distance[i]);
        ++next;
      }
      sums[i] = TQZEngine::Add(sums[i], term);
    }
  }
}

void ComputeLightMap(TRoom& room, TSurface& surface, Occlusion* occlusion, int threads, BakeProgress* whole) {
  Host& host = room.Engine.GetHost();
  const auto pixels = std::span(surface.lightMapPixels).first(surface.LightMapSize());
  if (!host.GetForm(FormId::Main).Checked("CBLightMapCompute")) {
    std::fill(pixels.begin(), pixels.end(), std::uint8_t{255});
    return;
  }
  const int w = std::clamp<int>(surface.lightMapWidth, 0, TSurface::MaxLightMapSize);
  const int h = std::clamp<int>(surface.lightMapHeight, 0, TSurface::MaxLightMapSize);
  BakeProgress progress(whole, host, h);
  const LentOcclusion lent(room, occlusion);
  const std::vector<LightTerm> lights = StaticLightTerms(room);
  const auto row = [&](int r) {
    const LightMapRow line = LightMapRowAt(surface.corners, h, r);
    std::vector<TVector> points(static_cast<std::size_t>(w)), sums(static_cast<std::size_t>(w));
    for (int col = 0; col < w; ++col) points[static_cast<std::size_t>(col)] = LightMapTexelAt(line, w, col);
    SumLightsAt(lights, points, room.OcclusionTest, surface.slotIndex, sums);
    for (int col = 0; col < w; ++col) {
      const TVector& light = sums[static_cast<std::size_t>(col)];
      const auto texel = pixels.subspan(static_cast<std::size_t>(r * w + col) * 3, 3);
      texel[0] = LightMapByte(light.x);
      texel[1] = LightMapByte(light.y);
      texel[2] = LightMapByte(light.z);
    }
  };
  RunRows(h, threads, row, progress);
}

LightMapBaker::LightMapBaker(TRoom& room) : Threads(DefaultThreads()), room_(room) {}

LightMapBaker::~LightMapBaker() = default;

void LightMapBaker::ComputeLightMap(TSurface& surface) {
  if (Method == ShadowMethod::Gl) {
    Occlusion* rendered = RenderedTest ? RenderedTest : room_.OcclusionTest;
    if (rendered) rendered->Rule = Rule;
    // The rendered test draws into the one GL context: a single thread.
    ::ComputeLightMap(room_, surface, rendered, 1, batchProgress_.get());
    return;
  }
  // Unlit light maps come out white without any shadow test: no scene to build.
  if (!room_.Engine.GetHost().GetForm(FormId::Main).Checked("CBLightMapCompute")) {
    ::ComputeLightMap(room_, surface, nullptr, 1);
    return;
  }
  if (batched_) {
    if (!batchScene_) batchScene_ = std::make_unique<CpuOcclusion>(room_, View);
    batchScene_->Rule = Rule;
    ::ComputeLightMap(room_, surface, batchScene_.get(), Threads, batchProgress_.get());
    return;
  }
  CpuOcclusion occlusion(room_, View);
  occlusion.Rule = Rule;
  ::ComputeLightMap(room_, surface, &occlusion, Threads);
}

LightMapBaker::Batch::Batch(LightMapBaker* baker, int rows) : baker_(baker) {
  if (!baker_) return;
  baker_->batched_ = true;
  Host& host = baker_->room_.Engine.GetHost();
  // Unlit maps are filled white at once and show no progress.
  if (host.GetForm(FormId::Main).Checked("CBLightMapCompute"))
    baker_->batchProgress_ = std::make_unique<BakeProgress>(host, rows);
}

LightMapBaker::Batch::~Batch() {
  if (!baker_) return;
  baker_->batched_ = false;
  baker_->batchScene_.reset();
  baker_->batchProgress_.reset();
}
