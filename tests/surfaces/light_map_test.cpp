#include <algorithm>
#include <cmath>

#include "surfaces/bake_fixture.h"
#include "surfaces/cpu_occlusion.h"
#include "surfaces/light_map.h"

namespace {

class LightMaps : public BakeTest {
protected:
  // A 1 m floor square at the origin: 4 x 4 texels at the default 4 per metre, texel
  // centres at 0.125, 0.375, 0.625 and 0.875.
  TSurface& Square() { return *Floor(0, 0, 1, 1); }

  static std::array<int, 3> Texel(const TSurface& s, int row, int column) {
    const std::size_t at = static_cast<std::size_t>(row * s.lightMapWidth + column) * 3;
    return {s.lightMapPixels[at], s.lightMapPixels[at + 1], s.lightMapPixels[at + 2]};
  }
};

TEST_F(LightMaps, ALightAtATexelGivesSineOfOneAndNothingAtItsRadius) {
  TSurface& s = Square();
  // Row 0 runs from corner 0 towards corner 3 (z), column 0 from corner 0 towards corner 1 (x).
  Light({0.125f, 0, 0.125f}, 0.25f, {1, 1, 1});
  ComputeLightMap(room, s, nullptr, 1);
  EXPECT_EQ(Texel(s, 0, 0), (std::array{215, 215, 215}));
  EXPECT_EQ(Texel(s, 0, 1), (std::array{0, 0, 0}));  // exactly at the radius
  EXPECT_EQ(Texel(s, 1, 0), (std::array{0, 0, 0}));
  EXPECT_EQ(Texel(s, 3, 3), (std::array{0, 0, 0}));  // beyond it
}

TEST_F(LightMaps, ColoursAddUpAndClampAt255) {
  TSurface& s = Square();
  Light({0.125f, 0, 0.125f}, 2.0f, {1, 0.5f, 0});
  Light({0.125f, 0, 0.125f}, 2.0f, {1, 0.5f, 0});
  ComputeLightMap(room, s, nullptr, 1);
  // Each gives sin(1) at the light: 1.68 clamps to 255, 0.84 rounds to 215.
  EXPECT_EQ(Texel(s, 0, 0), (std::array{255, 215, 0}));
  const float fall = std::sin(1.0f - 0.25f / 2.0f) * 0.5f * 2.0f;
  EXPECT_EQ(Texel(s, 0, 1)[1], static_cast<int>(std::nearbyint(fall * 255.0f)));
}

TEST_F(LightMaps, NegativeLightColoursGiveBlackNotWrappedBytes) {
  TSurface& s = Square();
  Light({0.5f, 0, 0.5f}, 2.0f, {-1, 1, 0});
  ComputeLightMap(room, s, nullptr, 1);
  EXPECT_EQ(Texel(s, 1, 1)[0], 0);
  EXPECT_GT(Texel(s, 1, 1)[1], 0);
}

TEST_F(LightMaps, AnimatedLightsLeaveNoTrace) {
  TSurface& s = Square();
  TLight& light = *Light({0.5f, 0.5f, 0.5f}, 3.0f);
  for (std::int16_t effect : {1, 2, 3, 4, 5, 17}) {
    light.Effect = effect;
    ComputeLightMap(room, s, nullptr, 1);
    for (std::size_t i = 0; i < s.LightMapSize(); ++i) ASSERT_EQ(s.lightMapPixels[i], 0) << "effect " << effect;
  }
  light.Effect = 0;
  ComputeLightMap(room, s, nullptr, 1);
  EXPECT_GT(Texel(s, 0, 0)[0], 0);
}

TEST_F(LightMaps, UncheckedComputeLightingGivesWhiteWhateverTheLights) {
  TSurface& s = Square();
  Light({0.5f, 0.5f, 0.5f}, 3.0f, {0.1f, 0.2f, 0.3f});
  Main().SetChecked("CBLightMapCompute", false);
  LightMapBaker baker(room);
  room.LightMaps = &baker;
  s.Recompute();
  for (std::size_t i = 0; i < s.LightMapSize(); ++i) ASSERT_EQ(s.lightMapPixels[i], 255);
  room.LightMaps = nullptr;
}

// A stored light map may have no texels along one side: baking it touches no pixel,
// lit or not, whatever the thread count.
TEST_F(LightMaps, ALightMapWithoutTexelsBakesToNothing) {
  TSurface& s = Square();
  Light({0.5f, 0.5f, 0.5f}, 3.0f);
  CpuOcclusion occlusion(room);
  for (const auto& [width, height] : {std::pair{0, 4}, std::pair{4, 0}, std::pair{0, 0}}) {
    s.lightMapWidth = static_cast<std::int16_t>(width);
    s.lightMapHeight = static_cast<std::int16_t>(height);
    std::fill(s.lightMapPixels.begin(), s.lightMapPixels.end(), std::uint8_t{7});
    for (const bool lit : {true, false}) {
      Main().SetChecked("CBLightMapCompute", lit);
      ComputeLightMap(room, s, &occlusion, 2);
    }
    EXPECT_TRUE(std::all_of(s.lightMapPixels.begin(), s.lightMapPixels.end(), [](std::uint8_t b) { return b == 7; }))
        << width << " x " << height;
  }
}

TEST_F(LightMaps, ProgressRunsPerRowAndThePanelHidesAtTheEnd) {
  TSurface& s = *Floor(0, 0, 2, 1);  // 8 x 4
  const int before = host.eventsProcessed;
  ComputeLightMap(room, s, nullptr, 2);
  const auto& bar = Main().Inspect("ProgressBarSurface");
  EXPECT_EQ(bar.maximum, 4);
  EXPECT_EQ(bar.position, 4);
  EXPECT_FALSE(Main().Visible("PanelSurface"));
  EXPECT_EQ(host.eventsProcessed - before, 1 + 4);  // once when shown, once per row
}

// Recomputing through the room's service, with the processor's test: the floor never
// shadows itself, a slab above it casts a shadow, and thread counts do not matter.
TEST_F(LightMaps, RecomputedSurfacesAreShadowedByOthersButNeverByThemselves) {
  LightMapBaker baker(room);
  room.LightMaps = &baker;
  Light({2, 3, 2}, 8.0f);
  TSurface* slab = Floor(0.5f, 0.5f, 1.5f, 1.5f, 1.5f);
  TSurface& floor = *Floor(0, 0, 4, 4);  // 16 x 16
  const auto at = [&](float x, float z) {
    return Texel(floor, static_cast<int>(z * 4), static_cast<int>(x * 4));
  };
  EXPECT_GT(at(3.6f, 3.6f)[0], 0);   // open floor
  EXPECT_EQ(at(0.6f, 0.6f)[0], 0);   // under the slab, seen from the light
  EXPECT_GT(at(3.0f, 0.2f)[0], 0);

  const std::vector<std::uint8_t> twoThreads(floor.lightMapPixels.begin(),
                                             floor.lightMapPixels.begin() + static_cast<long>(floor.LightMapSize()));
  baker.Threads = 1;
  floor.Recompute();
  EXPECT_TRUE(std::equal(twoThreads.begin(), twoThreads.end(), floor.lightMapPixels.begin()));
  baker.Threads = 5;
  floor.Recompute();
  EXPECT_TRUE(std::equal(twoThreads.begin(), twoThreads.end(), floor.lightMapPixels.begin()));
  // The shadow test the room had is back after every bake.
  EXPECT_EQ(room.OcclusionTest, nullptr);
  ASSERT_NE(slab, nullptr);
  room.LightMaps = nullptr;
}

// "Compute Surface Lighting" lets every surface share one scene; that scene lives only
// as long as the command, so a slab moved afterwards casts its shadow where it is now.
TEST_F(LightMaps, ComputeSurfaceLightingGivesEachSurfaceItsOwnBakeAndForgetsTheScene) {
  LightMapBaker baker(room);
  room.LightMaps = &baker;
  Light({2, 3, 2}, 8.0f);
  TSurface* slab = Floor(0.5f, 0.5f, 1.5f, 1.5f, 1.5f);
  TSurface& floor = *Floor(0, 0, 4, 4);
  const auto Pixels = [](const TSurface& s) {
    return std::vector<std::uint8_t>(s.lightMapPixels.begin(), s.lightMapPixels.begin() + static_cast<long>(s.LightMapSize()));
  };
  const auto floorAlone = Pixels(floor), slabAlone = Pixels(*slab);
  room.ComputeSurfaceShadows();
  EXPECT_EQ(Pixels(floor), floorAlone);
  EXPECT_EQ(Pixels(*slab), slabAlone);

  const auto at = [&](float x, float z) { return Texel(floor, static_cast<int>(z * 4), static_cast<int>(x * 4)); };
  ASSERT_EQ(at(0.6f, 0.6f)[0], 0);
  for (auto& corner : slab->corners) corner.position.x += 2.0f;  // the slab moves to x 2.5 .. 3.5
  slab->Recompute();
  floor.Recompute();
  EXPECT_GT(at(0.6f, 0.6f)[0], 0);
  EXPECT_EQ(at(3.6f, 0.6f)[0], 0);  // its shadow falls at x 3 .. 5 now
  room.LightMaps = nullptr;
}

// A texel 25 m from a light of radius 30, with nothing in between: the exact rule lights
// it, the literal one has no depth left to light anything beyond about 17.7 m.
TEST_F(LightMaps, TheBakersRuleDecidesATexelFarFromItsLight) {
  LightMapBaker baker(room);
  TSurface& far = *Floor(25, 0, 26, 1);
  Light({0, 1, 0}, 30.0f);
  const float d = TQZEngine::Distance({0, 1, 0}, {25.125f, 0, 0.125f});
  const int expected = static_cast<int>(std::nearbyint(std::sin(1.0f - d / 30.0f) * 255.0f));
  ASSERT_GT(expected, 30);
  baker.ComputeLightMap(far);
  EXPECT_EQ(Texel(far, 0, 0), (std::array{expected, expected, expected}));
  baker.Rule = OcclusionRule::Literal;
  baker.ComputeLightMap(far);
  EXPECT_EQ(Texel(far, 0, 0), (std::array{0, 0, 0}));
}

// A slab 1 m above a floor, lit from 5 m above: the floor beneath lies within the
// literal rule's margin and blackens the slab's top; the exact rule leaves it lit.
TEST_F(LightMaps, TheBakersRuleDecidesASlabOverAFloor) {
  LightMapBaker baker(room);
  TSurface& slab = *Floor(-6, -6, -5, -5, 1);
  Floor(-8, -8, -3, -3, 0);
  Light({-5.5f, 6, -5.5f}, 10.0f);
  ComputeLightMap(room, slab, nullptr, 1);
  const std::vector<std::uint8_t> unshadowed(slab.lightMapPixels.begin(),
                                             slab.lightMapPixels.begin() + static_cast<long>(slab.LightMapSize()));
  ASSERT_GT(unshadowed[0], 100);
  baker.ComputeLightMap(slab);
  EXPECT_TRUE(std::equal(unshadowed.begin(), unshadowed.end(), slab.lightMapPixels.begin()));
  baker.Rule = OcclusionRule::Literal;
  baker.ComputeLightMap(slab);
  EXPECT_TRUE(std::all_of(slab.lightMapPixels.begin(), slab.lightMapPixels.begin() + static_cast<long>(slab.LightMapSize()),
                          [](std::uint8_t v) { return v == 0; }));
}

// With "Compute Lighting:" unchecked nothing is cast at all, whatever the method.
TEST_F(LightMaps, UnlitBakesAskNoShadowTest) {
  struct CountingTest : Occlusion {
    bool IsOccluded(std::int16_t, std::int16_t, const TVector&, const TVector&) override { return ++calls, true; }
    int calls = 0;
  } rendered;
  LightMapBaker baker(room);
  baker.RenderedTest = &rendered;
  Main().SetChecked("CBLightMapCompute", false);
  TSurface& s = Square();
  Light({0.5f, 0.5f, 0.5f}, 3.0f);
  for (ShadowMethod method : {ShadowMethod::Cpu, ShadowMethod::Gl}) {
    baker.Method = method;
    baker.ComputeLightMap(s);
    EXPECT_EQ(Texel(s, 1, 1), (std::array{255, 255, 255}));
  }
  EXPECT_EQ(rendered.calls, 0);
}

TEST_F(LightMaps, TheRenderedMethodUsesTheRoomsOwnTestOnOneThread) {
  struct CountingTest : Occlusion {
    bool IsOccluded(std::int16_t, std::int16_t skipSurface, const TVector&, const TVector&) override {
      ++calls;
      lastSkip = skipSurface;
      return true;
    }
    int calls = 0;
    std::int16_t lastSkip = -1;
  } rendered;
  room.OcclusionTest = &rendered;
  LightMapBaker baker(room);
  baker.Method = ShadowMethod::Gl;
  TSurface& s = Square();
  Light({0.5f, 0.5f, 0.5f}, 3.0f);
  baker.ComputeLightMap(s);
  EXPECT_EQ(rendered.calls, 16);
  EXPECT_EQ(rendered.lastSkip, s.slotIndex);
  EXPECT_EQ(Texel(s, 2, 2), (std::array{0, 0, 0}));
  EXPECT_EQ(room.OcclusionTest, &rendered);
  room.OcclusionTest = nullptr;
}

}  // namespace
