// The processor's shadow test against the rendered one, under both rules and on panels
// of even and odd size: sample by sample and texel by texel on a small room with
// surfaces, a culled tile and three lights, and case by case where the rules differ.
#include <cmath>
#include <memory>

#include "entities/edit_entity.h"
#include "entities/entity_typus.h"
#include "gl_fixture.h"
#include "render/projection.h"
#include "support/shadow_cases.h"
#include "support/square_model.h"
#include "surfaces/cpu_occlusion.h"
#include "surfaces/light_map.h"

namespace {

struct Setting {
  int width;
  int height;
  OcclusionRule rule;
};

std::string SettingName(const ::testing::TestParamInfo<Setting>& info) {
  return std::to_string(info.param.width) + "x" + std::to_string(info.param.height) +
         (info.param.rule == OcclusionRule::Exact ? "Exact" : "Literal");
}

const auto Settings = ::testing::Values(Setting{640, 480, OcclusionRule::Exact}, Setting{641, 481, OcclusionRule::Exact},
                                        Setting{640, 480, OcclusionRule::Literal},
                                        Setting{641, 481, OcclusionRule::Literal});

// A started GL view of the setting's size whose rendered test follows its rule, and a
// ray caster for the same view and rule.
class ShadowTests : public GLTest, public ::testing::WithParamInterface<Setting> {
protected:
  ShadowTests() {
    viewWidth = GetParam().width;
    viewHeight = GetParam().height;
  }

  void SetUp() override {
    GLTest::SetUp();
    if (HasFatalFailure()) return;
    StartGL();
    Main().SetChecked("CBLightMapCompute", true);
    gl->Occlusion().Rule = GetParam().rule;
  }

  std::unique_ptr<CpuOcclusion> RayCaster() {
    auto cpu = std::make_unique<CpuOcclusion>(Room(), ShadowView{viewWidth, viewHeight});
    cpu->Rule = GetParam().rule;
    return cpu;
  }
};

class ShadowAgreement : public ShadowTests {
protected:
  void SetUp() override {
    ShadowTests::SetUp();
    if (HasFatalFailure()) return;
    TRoom& room = Room();
    floor = room.AddSurface({-2, 0, -2}, {2, 0, -2}, {2, 0, 2}, {-2, 0, 2}, "textures\\floor");
    slab = room.AddSurface({-1, 1.2f, -1}, {0.5f, 1.2f, -1}, {0.5f, 1.2f, 0.5f}, {-1, 1.2f, 0.5f}, "textures\\slab");
    wall = room.AddSurface({1, 0, -2}, {1, 0, 2}, {1, 2, 2}, {1, 2, -2}, "textures\\wall");
    MakeSquareModel(*engine->ModelEngine->GetModel(1));
    TEntity& tile = *room.AddEntity(typus::Tile, {-1, 0.8f, 1.5f}, {0, 30, 0}, 0.5f);
    tile.ModelIndex = 1;
    room.AddLight({0, 3, 0}, {1, 0.9f, 0.8f}, 6.0f);
    room.AddLight({-1.5f, 1.0f, -1.5f}, {0.3f, 0.3f, 1}, 4.0f);
    room.AddLight({0.5f, 1.5f, 1.8f}, {1, 0, 0}, 3.0f);
    host.errors.clear();  // the textures are not there, which does not matter here
  }

  struct Counts {
    int samples = 0;
    int differing = 0;
    int awayFromBoundary = 0;
  };

  // Every texel centre and light in reach, decided by both tests; a disagreement must
  // sit where the processor's own answer changes within one texel.
  Counts CompareSamples(CpuOcclusion& cpu) {
    Counts counts;
    TRoom& room = Room();
    for (TSurface* s : {floor, slab, wall}) {
      const auto& c = s->corners;
      const int w = s->lightMapWidth, h = s->lightMapHeight;
      const auto at = [&](float row, float column) {
        const auto lerp = [](const TVector& a, const TVector& b, float f) {
          return TVector{a.x + (b.x - a.x) * f, a.y + (b.y - a.y) * f, a.z + (b.z - a.z) * f};
        };
        return lerp(lerp(c[0].position, c[3].position, row / h), lerp(c[1].position, c[2].position, row / h),
                    column / w);
      };
      for (int r = 0; r < h; ++r) {
        for (int col = 0; col < w; ++col) {
          const TVector p = at(r + 0.5f, col + 0.5f);
          for (const TLight& light : room.Lights) {
            if (!light.InUse() || TQZEngine::Distance(light.Position, p) > light.Radius) continue;
            ++counts.samples;
            const bool byCpu = cpu.IsOccluded(-1, s->slotIndex, light.Position, p);
            if (gl->Occlusion().IsOccluded(-1, s->slotIndex, light.Position, p) == byCpu) continue;
            ++counts.differing;
            bool boundary = false;
            for (const auto& [dr, dc] : {std::pair{-1.0f, 0.0f}, {1.0f, 0.0f}, {0.0f, -1.0f}, {0.0f, 1.0f}}) {
              boundary = boundary || cpu.IsOccluded(-1, s->slotIndex, light.Position, at(r + 0.5f + dr, col + 0.5f + dc)) != byCpu;
            }
            counts.awayFromBoundary += !boundary;
          }
        }
      }
    }
    return counts;
  }

  TSurface* floor = nullptr;
  TSurface* slab = nullptr;
  TSurface* wall = nullptr;
};

TEST_P(ShadowAgreement, BothTestsAgreeOnAlmostEverySampleAndDifferOnlyAtShadowEdges) {
  const auto cpu = RayCaster();
  const Counts counts = CompareSamples(*cpu);
  RecordProperty("samples", counts.samples);
  RecordProperty("differing", counts.differing);
  ASSERT_GT(counts.samples, 300);
  EXPECT_LE(counts.differing * 100, counts.samples) << counts.differing << " of " << counts.samples;
  EXPECT_EQ(counts.awayFromBoundary, 0);
}

TEST_P(ShadowAgreement, LightMapsAgreeOnAtLeast99PercentOfTexels) {
  int texels = 0;
  int differing = 0;
  for (TSurface* s : {floor, slab, wall}) {
    ComputeLightMap(Room(), *s, &gl->Occlusion(), 1);
    const std::vector<std::uint8_t> rendered(s->lightMapPixels.begin(),
                                             s->lightMapPixels.begin() + static_cast<long>(s->LightMapSize()));
    const auto cpu = RayCaster();
    ComputeLightMap(Room(), *s, cpu.get(), 2);
    for (std::size_t i = 0; i < rendered.size(); i += 3) {
      ++texels;
      differing += !std::equal(rendered.begin() + static_cast<long>(i), rendered.begin() + static_cast<long>(i) + 3,
                               s->lightMapPixels.begin() + static_cast<long>(i));
    }
  }
  RecordProperty("texels", texels);
  RecordProperty("differingTexels", differing);
  EXPECT_LE(differing * 100, texels) << differing << " of " << texels;
  // The room is lit and shadowed: both kinds of texel occur.
  EXPECT_GT(texels, 300);
}

TEST_P(ShadowAgreement, WireframeModeDoesNotThinTheRenderedShadows) {
  Main().SetChecked(std::string(view_menu::WireframeMode), true);
  Main().SetChecked("ShowCollisionRadius1", true);
  gl->DrawFrame();  // leaves the view's polygon mode set, as every frame does
  // From the first light, through the slab, to the floor below it.
  EXPECT_TRUE(gl->Occlusion().IsOccluded(-1, floor->slotIndex, {0, 3, 0}, {-0.3f, 0, -0.3f}));
  // Through the middle of the tile, after its collision shape was drawn.
  EXPECT_TRUE(gl->Occlusion().IsOccluded(-1, -1, {-1, 0.8f, 0.5f}, {-1, 0.8f, 2.5f}));
  GLint mode[2] = {};
  glGetIntegerv(GL_POLYGON_MODE, mode);
  EXPECT_EQ(mode[0], GL_LINE);  // the view's own mode is back
}

INSTANTIATE_TEST_SUITE_P(Views, ShadowAgreement, Settings, SettingName);

using RuleCases = ShadowTests;

TEST_P(RuleCases, BothTestsGiveTheRulesAnswerWhereTheRulesDiffer) {
  const auto cases = BuildShadowCases(Room());
  const auto cpu = RayCaster();
  for (const ShadowCase& c : cases) {
    const bool expected = c.Hidden(GetParam().rule);
    EXPECT_EQ(gl->Occlusion().IsOccluded(-1, c.skipSurface, c.light, c.point), expected) << c.name << ", rendered";
    EXPECT_EQ(cpu->IsOccluded(-1, c.skipSurface, c.light, c.point), expected) << c.name << ", ray caster";
  }
}

// The rendered test reads the pixel on the view's centre: its centre is the view axis on
// a panel of odd size and half a pixel right of it on one of even size. A wall whose
// edge runs between the two hides the point on the even panel only, for both tests.
TEST_P(RuleCases, BothTestsLookThroughThePixelOnTheViewsCentre) {
  const float edge = 0.002f;  // a quarter of a pixel's width 5 m out
  Room().AddSurface({edge, -1, -5}, {1, -1, -5}, {1, 1, -5}, {edge, 1, -5}, "textures\\wall");
  const auto cpu = RayCaster();
  const bool even = viewWidth % 2 == 0;
  const TVector from{0, 0, 0}, to{0, 0, -10};
  EXPECT_EQ(gl->Occlusion().IsOccluded(-1, -1, from, to), even);
  EXPECT_EQ(cpu->IsOccluded(-1, -1, from, to), even);
}

INSTANTIATE_TEST_SUITE_P(Views, RuleCases, Settings, SettingName);

}  // namespace
