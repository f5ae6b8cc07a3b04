#include "surfaces/live_lighting.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <map>
#include <optional>
#include <utility>

#include "core/bounding_box.h"
#include "engine/edit_engine.h"
#include "room/edit_room.h"
#include "surfaces/cpu_occlusion.h"
#include "surfaces/helper_threads.h"
#include "surfaces/occluder_scene.h"
#include "surfaces/surface_main.h"

namespace {

// Slack on every "cannot reach" decision, far above float rounding at room scale, so
// a texel left alone is one no change can touch.
constexpr float Margin = 0.01f;

bool Same(float a, float b) { return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b); }
bool Same(const TVector& a, const TVector& b) { return Same(a.x, b.x) && Same(a.y, b.y) && Same(a.z, b.z); }
bool Same(const OccluderTriangle& a, const OccluderTriangle& b) {
  return Same(a.a, b.a) && Same(a.b, b.b) && Same(a.c, b.c) && a.entity == b.entity && a.surface == b.surface &&
         a.frontOnly == b.frontOnly;
}

// Whether the segment a..b passes within `grow` of the box (a box test, so a little more).
bool SegmentNearBox(const TVector& a, const TVector& b, const BoundingBox& box, float grow) {
  const float o[3] = {a.x, a.y, a.z};
  const float d[3] = {b.x - a.x, b.y - a.y, b.z - a.z};
  float enter = 0.0f, leave = 1.0f;
  for (int i = 0; i < 3; ++i) {
    const float lo = box.lo[i] - grow, hi = box.hi[i] + grow;
    if (std::fabs(d[i]) < 1e-12f) {
      if (o[i] < lo || o[i] > hi) return false;
      continue;
    }
    float t0 = (lo - o[i]) / d[i], t1 = (hi - o[i]) / d[i];
    if (t0 > t1) std::swap(t0, t1);
    enter = std::max(enter, t0);
    leave = std::min(leave, t1);
    if (enter > leave) return false;
  }
  return true;
}

using OwnerKey = std::pair<std::int16_t, std::int16_t>;  // entity, surface

}  // namespace

struct LiveLighting::Snapshot {
  struct Light {
    std::int16_t slot;
    TVector position;
    float radius;
    TVector color;
  };
  struct Surface {
    std::int16_t slot;
    std::int16_t skip;  // the slot its own shadow test leaves out
    std::array<TSurfaceCorner, 4> corners;
    int width;
    int height;
    BoundingBox bounds;
  };
  struct Owner {
    std::vector<std::uint32_t> triangles;
    BoundingBox bounds;
  };

  bool compute = false;
  OcclusionRule rule = OcclusionRule::Exact;
  ShadowView view;
  int threads = 1;
  std::vector<Light> lights;      // the lights SumLights counts, in its order
  std::vector<LightTerm> terms;   // the same, as the sum takes them
  std::vector<Surface> surfaces;  // the maps "Compute Surface Lighting" bakes
  std::shared_ptr<const std::vector<OccluderTriangle>> triangles;
  std::map<OwnerKey, Owner> owners;
};

struct LiveLighting::Changes {
  struct Sphere {
    TVector centre;
    float radius;
  };
  bool everything = false;
  std::vector<Sphere> spheres;         // a light's reach before or after
  std::vector<BoundingBox> boxes;      // an occluder before or after
  std::vector<std::int16_t> surfaces;  // maps baked whole

  bool Empty() const { return !everything && spheres.empty() && boxes.empty() && surfaces.empty(); }
  void Add(const Changes& more) {
    everything = everything || more.everything;
    spheres.insert(spheres.end(), more.spheres.begin(), more.spheres.end());
    boxes.insert(boxes.end(), more.boxes.begin(), more.boxes.end());
    surfaces.insert(surfaces.end(), more.surfaces.begin(), more.surfaces.end());
  }
};

struct LiveLighting::Job {
  std::shared_ptr<const Snapshot> snapshot;
  Changes changes;
  std::uint64_t generation = 0;
};

namespace {

using Snapshot = LiveLighting::Snapshot;
using Changes = LiveLighting::Changes;

std::shared_ptr<const Snapshot> TakeSnapshot(TRoom& room, OcclusionRule rule, ShadowView view, int threads,
                                             const Snapshot* last) {
  auto s = std::make_shared<Snapshot>();
  s->compute = room.Engine.GetHost().GetForm(FormId::Main).Checked("CBLightMapCompute");
  s->rule = rule;
  s->view = view;
  s->threads = std::max(1, threads);
  for (int i = 0; i <= room.LastLight && i < TRoom::LightSlots; ++i) {
    const TLight& light = room.Lights[static_cast<std::size_t>(i)];
    if (!light.InUse() || light.Effect != 0) continue;
    s->lights.push_back({static_cast<std::int16_t>(i), light.Position, light.Radius, light.Color});
    s->terms.push_back({light.Position, light.Radius, light.Color});
  }
  for (int i = 0; i <= room.LastSurface && i < TRoom::SurfaceSlots; ++i) {
    const TSurface& surface = *room.Surfaces[static_cast<std::size_t>(i)];
    if (!surface.InUse()) continue;
    Snapshot::Surface copy{static_cast<std::int16_t>(i), surface.slotIndex, surface.corners,
                           std::clamp<int>(surface.lightMapWidth, 0, TSurface::MaxLightMapSize),
                           std::clamp<int>(surface.lightMapHeight, 0, TSurface::MaxLightMapSize), {}};
    for (const auto& corner : copy.corners) copy.bounds.Grow(corner.position);
    s->surfaces.push_back(copy);
  }
  auto triangles = CollectOccluders(room);
  for (std::uint32_t i = 0; i < triangles.size(); ++i) {
    const OccluderTriangle& t = triangles[i];
    Snapshot::Owner& owner = s->owners[{t.entity, t.surface}];
    owner.triangles.push_back(i);
    owner.bounds.Grow(t.a);
    owner.bounds.Grow(t.b);
    owner.bounds.Grow(t.c);
  }
  // The same triangles keep the same scene, which the worker then need not build again.
  if (last && last->triangles->size() == triangles.size() &&
      std::equal(triangles.begin(), triangles.end(), last->triangles->begin(),
                 [](const OccluderTriangle& a, const OccluderTriangle& b) { return Same(a, b); }))
    s->triangles = last->triangles;
  else
    s->triangles = std::make_shared<const std::vector<OccluderTriangle>>(std::move(triangles));
  return s;
}

void AddSphere(Changes& changes, const Snapshot::Light& light) {
  if (!std::isfinite(light.position.x) || !std::isfinite(light.position.y) || !std::isfinite(light.position.z) ||
      std::isinf(light.radius)) {
    changes.everything = true;
    return;
  }
  if (light.radius > 0.0f) changes.spheres.push_back({light.position, light.radius});
}

void AddBox(Changes& changes, const BoundingBox& box) {
  if (!box.Finite()) changes.everything = true;
  changes.boxes.push_back(box);
}

bool SameTriangles(const Snapshot& a, const Snapshot::Owner& oa, const Snapshot& b, const Snapshot::Owner& ob) {
  return oa.triangles.size() == ob.triangles.size() &&
         std::equal(oa.triangles.begin(), oa.triangles.end(), ob.triangles.begin(),
                    [&](std::uint32_t i, std::uint32_t j) { return Same((*a.triangles)[i], (*b.triangles)[j]); });
}

// What may differ between the bakes of `before` and `after`.
Changes Diff(const Snapshot* before, const Snapshot& after) {
  Changes changes;
  if (!before || before->compute != after.compute || before->rule != after.rule ||
      before->view.width != after.view.width || before->view.height != after.view.height) {
    changes.everything = true;
    return changes;
  }
  // Lights, slot by slot (both lists ascend).
  const auto& old = before->lights;
  const auto& now = after.lights;
  for (std::size_t i = 0, j = 0; i < old.size() || j < now.size();) {
    if (j == now.size() || (i < old.size() && old[i].slot < now[j].slot)) {
      AddSphere(changes, old[i++]);
    } else if (i == old.size() || now[j].slot < old[i].slot) {
      AddSphere(changes, now[j++]);
    } else {
      const auto& a = old[i++];
      const auto& b = now[j++];
      if (!Same(a.position, b.position) || !Same(a.radius, b.radius) || !Same(a.color, b.color)) {
        AddSphere(changes, a);
        AddSphere(changes, b);
      }
    }
  }
  // Maps: a surface that is new or differs in what its bake reads is baked whole; its
  // shadow on others is an occluder change below.
  std::map<std::int16_t, const Snapshot::Surface*> previous;
  for (const auto& s : before->surfaces) previous[s.slot] = &s;
  for (const auto& s : after.surfaces) {
    const auto found = previous.find(s.slot);
    bool same = found != previous.end();
    if (same) {
      const auto& p = *found->second;
      same = p.skip == s.skip && p.width == s.width && p.height == s.height;
      for (std::size_t c = 0; same && c < 4; ++c) same = Same(p.corners[c].position, s.corners[c].position);
    }
    if (!same) changes.surfaces.push_back(s.slot);
  }
  // Occluders, owner by owner.
  if (before->triangles != after.triangles) {
    for (const auto& [key, owner] : before->owners) {
      const auto found = after.owners.find(key);
      if (found == after.owners.end()) {
        AddBox(changes, owner.bounds);
      } else if (!SameTriangles(*before, owner, after, found->second)) {
        AddBox(changes, owner.bounds);
        AddBox(changes, found->second.bounds);
      }
    }
    for (const auto& [key, owner] : after.owners)
      if (!before->owners.contains(key)) AddBox(changes, owner.bounds);
  }
  return changes;
}

// How far along its line to the light a texel's shadow ray runs (its depth range), or
// nothing when the test decides without looking at the scene.
std::optional<float> RayReach(float distance, OcclusionRule rule) {
  using namespace shadow_depth;
  // The caster's own distance may differ from ours in the last bit: decide only clear cases.
  if (distance < Near * 0.999f || distance > Far * 1.001f) return std::nullopt;
  if (rule == OcclusionRule::Exact) return distance + ExactDistanceMargin;
  const float needed = WindowDepth(distance) + LiteralDepthMargin;
  if (needed > 1.0001f) return std::nullopt;
  return needed < 1.0f ? DistanceAtDepth(needed) : Far;
}

// A light's farthest shadow ray, over every point it reaches.
float LongestReach(float radius, OcclusionRule rule) {
  const float d = std::min(radius, shadow_depth::Far);
  if (rule == OcclusionRule::Exact) return d + ExactDistanceMargin;
  return shadow_depth::Far;  // the literal rule's depth margin runs far past the target
}

// One surface's part of a bake.
struct MapWork {
  const Snapshot::Surface* surface;
  std::vector<std::uint8_t> dirty;  // per texel
  std::vector<std::uint8_t> pixels;
  std::size_t count = 0;
};

// Marks the texels of the map whose bake the changes may have altered.
void MarkTexels(const Snapshot& s, const Changes& changes, float slope, MapWork& work) {
  const auto& surface = *work.surface;
  const int w = surface.width, h = surface.height;
  const std::size_t texels = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
  const bool whole = changes.everything ||
                     std::find(changes.surfaces.begin(), changes.surfaces.end(), surface.slot) != changes.surfaces.end();
  if (whole) {
    work.dirty.assign(texels, 1);
    work.count = texels;
    return;
  }
  work.dirty.assign(texels, 0);
  // Unlit maps are white whatever lights and occluders do.
  if (!s.compute) return;
  std::vector<const Changes::Sphere*> spheres;
  for (const auto& sphere : changes.spheres)
    if (surface.bounds.DistanceTo(sphere.centre) <= sphere.radius + Margin) spheres.push_back(&sphere);
  struct Pair {
    const Snapshot::Light* light;
    const BoundingBox* box;
  };
  std::vector<Pair> pairs;
  for (const auto& light : s.lights) {
    if (!(light.radius > 0.0f) || surface.bounds.DistanceTo(light.position) > light.radius + Margin) continue;
    const float reach = LongestReach(light.radius, s.rule);
    for (const auto& box : changes.boxes)
      if (box.DistanceTo(light.position) <= reach * (1.0f + slope) + Margin) pairs.push_back({&light, &box});
  }
  if (spheres.empty() && pairs.empty()) return;
  for (int r = 0; r < h; ++r) {
    const LightMapRow line = LightMapRowAt(surface.corners, h, r);
    for (int c = 0; c < w; ++c) {
      const TVector p = LightMapTexelAt(line, w, c);
      bool hit = std::any_of(spheres.begin(), spheres.end(), [&](const Changes::Sphere* sphere) {
        return TQZEngine::Distance(sphere->centre, p) <= sphere->radius + Margin;
      });
      for (std::size_t k = 0; !hit && k < pairs.size(); ++k) {
        const auto& light = *pairs[k].light;
        const float d = TQZEngine::Distance(light.position, p);
        if (!(d <= light.radius)) continue;  // the light passes it by, shadow or not
        const auto reach = RayReach(d, s.rule);
        if (!reach) continue;
        const float along = *reach * 1.001f / d;
        const TVector end{light.position.x + (p.x - light.position.x) * along,
                          light.position.y + (p.y - light.position.y) * along,
                          light.position.z + (p.z - light.position.z) * along};
        hit = SegmentNearBox(light.position, end, *pairs[k].box, *reach * slope * 1.001f + Margin);
      }
      if (hit) {
        work.dirty[static_cast<std::size_t>(r * w + c)] = 1;
        ++work.count;
      }
    }
  }
}

// The scene the worker cast through last, kept while the occluders stay the same (a
// light drag moves no occluder).
struct SceneCache {
  std::shared_ptr<const std::vector<OccluderTriangle>> triangles;
  ShadowView view;
  std::unique_ptr<CpuOcclusion> occlusion;

  CpuOcclusion& For(const Snapshot& s) {
    if (!occlusion || triangles != s.triangles || view.width != s.view.width || view.height != s.view.height) {
      occlusion = std::make_unique<CpuOcclusion>(TriangleBvh(*s.triangles), s.view);
      triangles = s.triangles;
      view = s.view;
    }
    occlusion->Rule = s.rule;
    return *occlusion;
  }
};

void BakeRow(const Snapshot& s, CpuOcclusion* occlusion, MapWork& work, int r) {
  const auto& surface = *work.surface;
  const int w = surface.width;
  const LightMapRow line = LightMapRowAt(surface.corners, surface.height, r);
  std::vector<std::size_t> texels;
  std::vector<TVector> points;
  for (int c = 0; c < w; ++c) {
    const auto at = static_cast<std::size_t>(r * w + c);
    if (!work.dirty[at]) continue;
    texels.push_back(at);
    points.push_back(LightMapTexelAt(line, w, c));
  }
  std::vector<TVector> sums(points.size(), TVector{255.0f, 255.0f, 255.0f});
  // The room's light sum, term by term in its order; unlit maps are white.
  if (occlusion) SumLightsAt(s.terms, points, occlusion, surface.skip, sums);
  for (std::size_t i = 0; i < texels.size(); ++i) {
    std::uint8_t* texel = &work.pixels[texels[i] * 3];
    texel[0] = LightMapByte(sums[i].x);
    texel[1] = LightMapByte(sums[i].y);
    texel[2] = LightMapByte(sums[i].z);
  }
}

FinishedMap Collect(const MapWork& work) {
  FinishedMap map;
  map.slot = work.surface->slot;
  map.width = work.surface->width;
  map.height = work.surface->height;
  map.firstRow = map.height;
  for (std::size_t i = 0; i < work.dirty.size(); ++i) {
    if (!work.dirty[i]) continue;
    if (!map.runs.empty() && map.runs.back().first + map.runs.back().count == i)
      ++map.runs.back().count;
    else
      map.runs.push_back({static_cast<std::uint32_t>(i), 1});
    map.bytes.insert(map.bytes.end(), work.pixels.begin() + static_cast<std::ptrdiff_t>(i * 3),
                     work.pixels.begin() + static_cast<std::ptrdiff_t>(i * 3 + 3));
    const int row = static_cast<int>(i / static_cast<std::size_t>(map.width));
    map.firstRow = std::min(map.firstRow, row);
    map.lastRow = std::max(map.lastRow, row);
  }
  return map;
}

std::vector<FinishedMap> Bake(const LiveLighting::Job& job, SceneCache& cache, std::stop_token stop,
                              std::atomic<std::size_t>& pending) {
  const Snapshot& s = *job.snapshot;
  CpuOcclusion* occlusion = s.compute ? &cache.For(s) : nullptr;
  const float slope = occlusion ? occlusion->RaySlope() : 0.0f;
  std::vector<MapWork> works;
  std::size_t total = 0;
  for (const auto& surface : s.surfaces) {
    if (stop.stop_requested()) return {};
    if (surface.width <= 0 || surface.height <= 0) continue;
    MapWork work{&surface, {}, {}, 0};
    MarkTexels(s, job.changes, slope, work);
    if (work.count == 0) continue;
    work.pixels.assign(work.dirty.size() * 3, 0);
    total += work.count;
    works.push_back(std::move(work));
  }
  pending = total;
  // Rows with work, shared among the threads.
  std::vector<std::pair<std::size_t, int>> rows;
  for (std::size_t i = 0; i < works.size(); ++i) {
    const int w = works[i].surface->width;
    for (int r = 0; r < works[i].surface->height; ++r) {
      const auto begin = works[i].dirty.begin() + static_cast<std::ptrdiff_t>(r) * w;
      if (std::find(begin, begin + w, 1) != begin + w) rows.emplace_back(i, r);
    }
  }
  std::atomic<std::size_t> next{0};
  const auto share = [&] {
    for (std::size_t k; !stop.stop_requested() && (k = next.fetch_add(1)) < rows.size();) {
      auto& work = works[rows[k].first];
      BakeRow(s, occlusion, work, rows[k].second);
      const auto begin = work.dirty.begin() + static_cast<std::ptrdiff_t>(rows[k].second) * work.surface->width;
      pending -= static_cast<std::size_t>(std::count(begin, begin + work.surface->width, 1));
    }
  };
  const std::size_t helpers = std::min<std::size_t>(static_cast<std::size_t>(std::max(s.threads - 1, 0)), rows.size() / 2);
  RunOnThreads(static_cast<int>(helpers), share, share);
  pending = 0;
  if (stop.stop_requested()) return {};
  std::vector<FinishedMap> maps;
  maps.reserve(works.size());
  for (const auto& work : works) maps.push_back(Collect(work));
  return maps;
}

}  // namespace

bool FinishedMap::ApplyTo(TSurface& surface) const {
  if (std::clamp<int>(surface.lightMapWidth, 0, TSurface::MaxLightMapSize) != width ||
      std::clamp<int>(surface.lightMapHeight, 0, TSurface::MaxLightMapSize) != height)
    return false;
  auto from = bytes.begin();
  for (const auto& run : runs) {
    std::copy_n(from, run.count * 3, surface.lightMapPixels.begin() + static_cast<std::ptrdiff_t>(run.first) * 3);
    from += static_cast<std::ptrdiff_t>(run.count) * 3;
  }
  return true;
}

LiveLighting::LiveLighting() : worker_([this](std::stop_token stop) { Run(stop); }) {}

LiveLighting::~LiveLighting() {
  worker_.request_stop();
  worker_.join();
}

void LiveLighting::Adopt(TRoom& room) {
  last_ = TakeSnapshot(room, Rule, View, Threads, last_.get());
  const std::lock_guard lock(mutex_);
  queued_.reset();
  ++generation_;
  finished_.clear();
  idle_.notify_all();
}

void LiveLighting::Forget() { last_.reset(); }

bool LiveLighting::Request(TRoom& room) {
  auto now = TakeSnapshot(room, Rule, View, Threads, last_.get());
  Changes changes = Diff(last_.get(), *now);
  last_ = now;
  if (changes.Empty()) return false;
  {
    const std::lock_guard lock(mutex_);
    if (queued_) {
      // Not started yet: the newer room replaces it, and its texels stay to be done.
      queued_->snapshot = std::move(now);
      queued_->changes.Add(changes);
    } else {
      queued_ = std::make_unique<Job>(Job{std::move(now), std::move(changes), generation_});
    }
  }
  wake_.notify_one();
  return true;
}

std::vector<FinishedMap> LiveLighting::TakeFinished() {
  const std::lock_guard lock(mutex_);
  return std::exchange(finished_, {});
}

std::vector<std::int16_t> LiveLighting::ApplyFinished(TRoom& room) {
  std::vector<std::int16_t> written;
  for (const FinishedMap& map : TakeFinished()) {
    if (map.slot < 0 || map.slot >= TRoom::SurfaceSlots) continue;
    TSurface& surface = *room.Surfaces[static_cast<std::size_t>(map.slot)];
    if (!surface.InUse() || !map.ApplyTo(surface)) continue;
    if (std::find(written.begin(), written.end(), map.slot) == written.end()) written.push_back(map.slot);
  }
  return written;
}

bool LiveLighting::Pending() const {
  const std::lock_guard lock(mutex_);
  return queued_ != nullptr || running_;
}

std::size_t LiveLighting::PendingTexels() const { return pendingTexels_; }

void LiveLighting::WaitUntilIdle() {
  std::unique_lock lock(mutex_);
  idle_.wait(lock, [&] { return !queued_ && !running_; });
}

bool LiveLighting::WaitUntilIdleFor(std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  return idle_.wait_for(lock, timeout, [&] { return !queued_ && !running_; });
}

std::uint64_t LiveLighting::BakesRun() const {
  const std::lock_guard lock(mutex_);
  return bakesRun_;
}

void LiveLighting::Run(std::stop_token stop) {
  SceneCache cache;
  for (;;) {
    std::unique_ptr<Job> job;
    {
      std::unique_lock lock(mutex_);
      if (!wake_.wait(lock, stop, [&] { return queued_ != nullptr; })) break;
      job = std::move(queued_);
      running_ = true;
      ++bakesRun_;
    }
    auto maps = Bake(*job, cache, stop, pendingTexels_);
    {
      const std::lock_guard lock(mutex_);
      running_ = false;
      if (!stop.stop_requested() && job->generation == generation_)
        for (auto& map : maps) finished_.push_back(std::move(map));
    }
    idle_.notify_all();
  }
}
