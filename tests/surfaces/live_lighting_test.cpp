#include "surfaces/live_lighting.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <thread>
#include <utility>
#include <vector>

#include "core/file_system.h"
#include "core/headless_host.h"
#include "engine/edit_engine.h"
#include "entities/edit_entity.h"
#include "entities/entity_tile.h"
#include "room/edit_room.h"
#include "room/room_history.h"
#include "surfaces/cpu_occlusion.h"
#include "surfaces/light_map.h"
#include "surfaces/live_lighting_steps.h"

namespace {

using Maps = std::map<int, std::vector<std::uint8_t>>;

// The sample world's bake room, with "Compute Surface Lighting" through the processor's
// caster as the reference.
class LiveLightingBakeRoom : public ::testing::Test {
protected:
  LiveLightingBakeRoom() {
    engine.StartUp();
    host.Memory(FormId::Main).SetChecked("CBLightMapCompute", true);
    baker = std::make_unique<LightMapBaker>(Room());
    baker->View = live.View;
    baker->Rule = live.Rule;
    baker->Threads = 2;
    live.Threads = 2;
  }

  TRoom& Room() { return *engine.Room; }

  void Load() {
    ASSERT_TRUE(Room().LoadFromFile(fs_layer::ToHostPath(engine.RoomDir.str() + "bake.rer")));
    ASSERT_GT(Room().CountSurfaces(), 100);
  }

  // The room's maps as they are.
  Maps Current() {
    Maps maps;
    for (int i = 0; i <= Room().LastSurface; ++i) {
      const TSurface& s = *Room().Surfaces[static_cast<std::size_t>(i)];
      if (s.InUse()) maps[i].assign(s.lightMapPixels.begin(), s.lightMapPixels.begin() + s.LightMapSize());
    }
    return maps;
  }

  void FullBake() {
    Room().LightMaps = baker.get();
    Room().ComputeSurfaceShadows();
    Room().LightMaps = nullptr;
  }

  // The live maps against a full bake of the same room: texels that differ.
  std::string DifferencesFromFullBake() {
    const Maps live = Current();
    FullBake();
    const Maps full = Current();
    std::ostringstream out;
    int wrong = 0;
    for (const auto& [slot, bytes] : full) {
      const auto& mine = live.at(slot);
      if (mine.size() != bytes.size()) {
        out << "surface " << slot << ": size " << mine.size() << " not " << bytes.size() << "\n";
        continue;
      }
      for (std::size_t i = 0; i < bytes.size(); i += 3)
        if (!std::equal(bytes.begin() + i, bytes.begin() + i + 3, mine.begin() + i) && ++wrong <= 10)
          out << "surface " << slot << " texel " << i / 3 << ": " << int(mine[i]) << " not " << int(bytes[i]) << "\n";
    }
    if (wrong > 10) out << wrong << " texels in all\n";
    return out.str();
  }

  HeadlessHost host;
  TQZEngine engine{host, BRANNOCK_SAMPLE_DIR};
  std::unique_ptr<LightMapBaker> baker;
  LiveLighting live;
};

std::vector<TLight*> StaticLights(TRoom& room) {
  std::vector<TLight*> lights;
  for (int i = 0; i <= room.LastLight; ++i)
    if (room.Lights[i].InUse() && room.Lights[i].Effect == 0) lights.push_back(&room.Lights[i]);
  return lights;
}

class LiveLightingEdits : public LiveLightingBakeRoom, public ::testing::WithParamInterface<OcclusionRule> {
protected:
  LiveLightingEdits() { live.Rule = baker->Rule = GetParam(); }
};

// Edits of every kind the bake reads, undo and redo among them, each becoming a step as
// in the window, and now and then a frame that lands what has finished; once all has
// landed the maps are a full bake's. Steps recorded before their bake landed hold
// stale maps, which going back to them must not leave behind. The surface moves leave
// their stale maps in place (no baker is attached), so they too are the live bake's
// work. Both rules: the literal one's shadow rays run far past their texels.
TEST_P(LiveLightingEdits, RandomEditsEndInTheFullBakeByteForByte) {
  Load();
  FullBake();
  RoomHistory history(Room());
  LiveLightingSteps steps(Room(), history, live);
  live.Adopt(Room());
  const Maps before = Current();
  std::mt19937 random(20261209);
  const auto uniform = [&](float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(random); };
  const auto pick = [&](auto& items) -> auto& {
    return items[std::uniform_int_distribution<std::size_t>(0, items.size() - 1)(random)];
  };
  std::map<std::string, int> done;
  for (int step = 0; step < 200; ++step) {
    // Undo and redo put records back as new objects: look them up again each time.
    std::vector<TSurface*> surfaces;
    std::vector<TEntity*> tiles;
    for (auto& s : Room().Surfaces)
      if (s->InUse()) surfaces.push_back(s.get());
    for (auto& e : Room().Entities)
      if (e->InUse() && e->ModelIndex > 0 && dynamic_cast<TETile*>(e.get())) tiles.push_back(e.get());
    ASSERT_FALSE(tiles.empty());
    if (step % 3 == 0) steps.Land(true);
    const int action = std::uniform_int_distribution<int>(0, 13)(random);
    if (action >= 10 && (action >= 12 ? steps.Redo() : steps.Undo())) {
      ++done[action >= 12 ? "redo" : "undo"];
      continue;
    }
    auto lights = StaticLights(Room());
    TLight& light = *pick(lights);
    switch (action) {
      case 0:
      case 1:
        light.Position = {light.Position.x + uniform(-0.6f, 0.6f), light.Position.y + uniform(-0.3f, 0.3f),
                          light.Position.z + uniform(-0.6f, 0.6f)};
        ++done["move light"];
        break;
      case 2:
        light.Color = {uniform(0, 1), uniform(0, 1), uniform(0, 1)};
        ++done["colour"];
        break;
      case 3:
        light.Radius *= uniform(0.6f, 1.5f);
        ++done["radius"];
        break;
      case 4:
        // To an animated effect and, later, back to none.
        light.Effect = 3;
        ++done["effect"];
        break;
      case 5:
        Room().AddLight({light.Position.x + uniform(-2, 2), light.Position.y, light.Position.z + uniform(-2, 2)},
                        {uniform(0, 1), uniform(0, 1), uniform(0, 1)}, uniform(2, 6));
        ++done["add"];
        break;
      case 6:
        light.ResetLight();
        Room().CountLights();
        ++done["delete"];
        break;
      case 7: {
        TSurface& s = *pick(surfaces);
        const TVector by{uniform(-0.4f, 0.4f), uniform(-0.2f, 0.2f), uniform(-0.4f, 0.4f)};
        for (auto& c : s.corners) c.position = TQZEngine::Add(c.position, by);
        s.Recompute();
        ++done["move surface"];
        break;
      }
      default: {
        TEntity& tile = *pick(tiles);
        tile.Position = {tile.Position.x + uniform(-0.5f, 0.5f), tile.Position.y, tile.Position.z + uniform(-0.5f, 0.5f)};
        tile.Rotation.y += uniform(-45, 45);
        ++done["move tile"];
      }
    }
    // Effects return to none now and then, so lights come back as well as go.
    for (TLight& l : Room().Lights)
      if (l.InUse() && l.Effect != 0 && step % 7 == 0) l.Effect = 0;
    history.Record("Edit");
    steps.Recorded();
  }
  live.WaitUntilIdle();
  steps.Land(true);
  EXPECT_FALSE(steps.Pending());
  EXPECT_EQ(live.PendingTexels(), 0u);
  for (const char* kind :
       {"move light", "colour", "radius", "effect", "add", "delete", "move surface", "move tile", "undo", "redo"})
    EXPECT_GT(done[kind], 0) << kind;
  EXPECT_NE(Current(), before);  // the edits did change the lighting
  EXPECT_EQ(DifferencesFromFullBake(), "");

  // Back to a step that holds its own maps: they come back with it, and nothing bakes.
  ASSERT_TRUE(history.Complete());
  while (steps.Undo() && !history.Complete()) {
  }
  const std::uint64_t bakes = live.BakesRun();
  const Maps restored = Current();
  live.WaitUntilIdle();
  steps.Land(true);
  EXPECT_EQ(live.BakesRun(), bakes);
  EXPECT_EQ(Current(), restored);
  EXPECT_EQ(DifferencesFromFullBake(), "");
}

// The bake asks the shadow test a row and a light at a time, four rays at once; every
// texel is still the room's own light sum with one ray at a time.
TEST_P(LiveLightingEdits, TheBakesPacketsOfRaysGiveTheRoomsOwnSum) {
  Load();
  FullBake();
  CpuOcclusion oneByOne(Room(), live.View);
  oneByOne.Rule = GetParam();
  Occlusion* const before = std::exchange(Room().OcclusionTest, &oneByOne);
  int wrong = 0, lit = 0;
  for (const auto& surface : Room().Surfaces) {
    if (!surface->InUse()) continue;
    const int w = surface->lightMapWidth, h = surface->lightMapHeight;
    for (int r = 0; r < h; ++r) {
      const LightMapRow line = LightMapRowAt(surface->corners, h, r);
      for (int c = 0; c < w; ++c) {
        const TVector sum = Room().SumLights(LightMapTexelAt(line, w, c), -1, surface->slotIndex);
        const std::uint8_t* texel = &surface->lightMapPixels[static_cast<std::size_t>(r * w + c) * 3];
        wrong += texel[0] != LightMapByte(sum.x) || texel[1] != LightMapByte(sum.y) || texel[2] != LightMapByte(sum.z);
        lit += texel[0] > 0;
      }
    }
  }
  Room().OcclusionTest = before;
  EXPECT_EQ(wrong, 0);
  EXPECT_GT(lit, 1000);
}

INSTANTIATE_TEST_SUITE_P(BothRules, LiveLightingEdits,
                         ::testing::Values(OcclusionRule::Exact, OcclusionRule::Literal),
                         [](const auto& info) { return info.param == OcclusionRule::Exact ? "Exact" : "Literal"; });

// A drag: a request per mouse move while the worker is still on the first (the whole
// room, nothing adopted). The moves pile into one waiting bake instead of one each, and
// what lands is still the full bake of where the light ended up.
TEST_F(LiveLightingBakeRoom, RequestsDuringABakeMergeIntoOneAndStayExact) {
  Load();
  live.Request(Room());
  // The moves come while the worker is on the first.
  while (live.BakesRun() == 0) std::this_thread::yield();
  TLight& light = *StaticLights(Room()).front();
  for (int step = 0; step < 19; ++step) {
    light.Position.x += 0.25f;
    live.Request(Room());
  }
  EXPECT_TRUE(live.Pending());
  // The status bar asks while the worker counts down.
  std::size_t texels = 0;
  for (const auto& s : Room().Surfaces)
    if (s->InUse()) texels += s->LightMapSize() / 3;
  EXPECT_LE(live.PendingTexels(), texels);
  live.WaitUntilIdle();
  EXPECT_LE(live.BakesRun(), 3u);
  EXPECT_GE(live.BakesRun(), 2u);
  const auto written = live.ApplyFinished(Room());
  EXPECT_EQ(static_cast<int>(written.size()), Room().CountSurfaces());
  EXPECT_EQ(DifferencesFromFullBake(), "");
  // Nothing changed since: a request bakes nothing.
  live.Request(Room());
  live.WaitUntilIdle();
  EXPECT_TRUE(live.TakeFinished().empty());
}

}  // namespace
