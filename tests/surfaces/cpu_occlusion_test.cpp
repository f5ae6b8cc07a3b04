#include <random>

#include "surfaces/bake_fixture.h"
#include "surfaces/cpu_occlusion.h"
#include "support/shadow_cases.h"

namespace {

using namespace shadow_depth;

class CpuShadows : public BakeTest {
protected:
  bool Hidden(const TVector& from, const TVector& to, std::int16_t skipEntity = -1, std::int16_t skipSurface = -1) {
    CpuOcclusion occlusion(room);
    occlusion.Rule = rule;
    return occlusion.IsOccluded(skipEntity, skipSurface, from, to);
  }

  OcclusionRule rule = OcclusionRule::Exact;
};

TEST(ShadowDepth, PerspectiveMappingAndItsInverse) {
  EXPECT_FLOAT_EQ(WindowDepth(Near), 0.0f);
  EXPECT_FLOAT_EQ(WindowDepth(Far), 1.0f);
  for (float d : {0.3f, 1.0f, 5.0f, 17.0f, 100.0f}) EXPECT_NEAR(DistanceAtDepth(WindowDepth(d)), d, d * 1e-4f);
  // The 0.99 cut-off lies about 17.7 m from the light.
  EXPECT_NEAR(DistanceAtDepth(0.99f), 17.67f, 0.01f);
}

TEST_F(CpuShadows, AWallHidesFromEitherSideUnlessItIsSkipped) {
  const TSurface& wall = *Wall(2.0f);
  EXPECT_TRUE(Hidden({0, 0, 0}, {0, 0, 4}));
  EXPECT_TRUE(Hidden({0, 0, 4}, {0, 0, 0}));
  EXPECT_FALSE(Hidden({0, 0, 0}, {0, 0, 4}, -1, wall.slotIndex));
  // Past its edge the light goes by.
  EXPECT_FALSE(Hidden({3, 0, 0}, {3, 0, 4}));
}

TEST_F(CpuShadows, TheTargetsOwnSurfaceHidesItUnlessSkipped) {
  const TSurface& floor = *Floor(-2, -2, 2, 2);
  EXPECT_TRUE(Hidden({0, 3, 0}, {0.5f, 0, 0.5f}));
  EXPECT_FALSE(Hidden({0, 3, 0}, {0.5f, 0, 0.5f}, -1, floor.slotIndex));
}

TEST_F(CpuShadows, OccludersInsideTheNearPlaneAreClippedAway) {
  Wall(0.15f);
  EXPECT_FALSE(Hidden({0, 0, 0}, {0, 0, 4}));
  Wall(0.25f);
  EXPECT_TRUE(Hidden({0, 0, 0}, {0, 0, 4}));
}

TEST_F(CpuShadows, ExactRuleHidesWithinOneCentimetreBeyondTheTarget) {
  // The inner face of a wall of two surfaces 0.3 m apart, lit from inside.
  const TSurface& inner = *Wall(5.0f);
  Wall(5.3f);
  EXPECT_FALSE(Hidden({0, 0, 0}, {0.2f, 0.1f, 5.0f}, -1, inner.slotIndex));
  // A point exactly on another drawn surface, and one just short of it, are hidden;
  // one further off than the centimetre is not.
  EXPECT_TRUE(Hidden({0, 0, 0}, {0.2f, 0.1f, 5.3f}, -1, inner.slotIndex));
  EXPECT_TRUE(Hidden({0, 0, 0}, {0.2f, 0.1f, 5.295f}, -1, inner.slotIndex));
  EXPECT_FALSE(Hidden({0, 0, 0}, {0.2f, 0.1f, 5.28f}, -1, inner.slotIndex));
  // Far out as well: the margin stays a centimetre.
  EXPECT_FALSE(Hidden({0, 0, -40}, {0.2f, 0.1f, 5.0f}, -1, inner.slotIndex));
  EXPECT_TRUE(Hidden({0, 0, -40}, {0.2f, 0.1f, 5.3f}, -1, inner.slotIndex));
}

TEST_F(CpuShadows, ExactRuleLightsTargetsAsFarAsTheFarPlane) {
  EXPECT_FALSE(Hidden({0, 0, 0}, {0, 0, 25.0f}));
  EXPECT_FALSE(Hidden({0, 0, 0}, {0, 0, 149.0f}));
  EXPECT_TRUE(Hidden({0, 0, 0}, {0, 0, 151.0f}));
  EXPECT_TRUE(Hidden({0, 0, 0}, {0, 0, 0.1f}));
  Wall(20.0f);
  EXPECT_TRUE(Hidden({0, 0, 0}, {0, 0, 25.0f}));
}

TEST_F(CpuShadows, EachRuleGivesItsAnswerInTheScenesWhereTheyDiffer) {
  const auto cases = BuildShadowCases(room);
  CpuOcclusion occlusion(room);
  for (OcclusionRule each : {OcclusionRule::Exact, OcclusionRule::Literal}) {
    occlusion.Rule = each;
    for (const ShadowCase& c : cases) {
      EXPECT_EQ(occlusion.IsOccluded(-1, c.skipSurface, c.light, c.point), c.Hidden(each))
          << c.name << (each == OcclusionRule::Exact ? ", exact" : ", literal");
    }
  }
}

TEST_F(CpuShadows, LiteralRuleHidesWithinTheWindowDepthMargin) {
  rule = OcclusionRule::Literal;
  // A target 5 m away has depth 0.9613; the margin reaches to depth 0.9713, 6.66 m.
  const float reach = DistanceAtDepth(WindowDepth(5.0f) + LiteralDepthMargin);
  EXPECT_NEAR(reach, 6.66f, 0.01f);
  Wall(6.5f);
  EXPECT_TRUE(Hidden({0, 0, 0}, {0, 0, 5}));
  rule = OcclusionRule::Exact;
  EXPECT_FALSE(Hidden({0, 0, 0}, {0, 0, 5}));
  rule = OcclusionRule::Literal;
  room.Surfaces[0]->Reset();
  Wall(6.8f);
  EXPECT_FALSE(Hidden({0, 0, 0}, {0, 0, 5}));
}

TEST_F(CpuShadows, LiteralRuleNeverLightsTargetsPastTheDepthCutOff) {
  rule = OcclusionRule::Literal;
  EXPECT_FALSE(Hidden({0, 0, 0}, {0, 0, 17.5f}));
  EXPECT_TRUE(Hidden({0, 0, 0}, {0, 0, 17.9f}));
  EXPECT_TRUE(Hidden({0, 0, 0}, {0, 0, 0.1f}));
  EXPECT_TRUE(Hidden({1, 2, 3}, {1, 2, 3}));
}

TEST_F(CpuShadows, CulledTileModelsHideWithTheirFrontFacesOnly) {
  SquareModel();
  Tile({0, 0, 5});  // turned half round: its front faces -z
  EXPECT_TRUE(Hidden({0, 0, 0}, {0, 0, 8}));
  EXPECT_FALSE(Hidden({0, 0, 8}, {0, 0, 0}));
  engine.ModelEngine->GetModel(ModelSlot)->CullFace = false;
  EXPECT_TRUE(Hidden({0, 0, 8}, {0, 0, 0}));
}

TEST_F(CpuShadows, TilesFollowPositionRotationAndSize) {
  SquareModel().CullFace = false;
  TEntity& tile = Tile({10, 0, 0}, {0, 90, 0});  // turned to face along x
  EXPECT_TRUE(Hidden({7, 0, 0}, {13, 0, 0}));
  EXPECT_FALSE(Hidden({10, 0, -3}, {10, 0, 3}));
  tile.Size = 3.0f;
  EXPECT_TRUE(Hidden({7, 2.5f, 2.5f}, {13, 2.5f, 2.5f}));
  tile.Size = 1.0f;
  EXPECT_FALSE(Hidden({7, 2.5f, 2.5f}, {13, 2.5f, 2.5f}));
}

TEST_F(CpuShadows, OnlyVisibleOpaqueDepthWritingTilesAndDoorsCastShadows) {
  SquareModel().CullFace = false;
  TEntity& tile = Tile({0, 0, 5});
  const TVector from{0, 0, 0}, to{0, 0, 8};
  ASSERT_TRUE(Hidden(from, to));
  EXPECT_FALSE(Hidden(from, to, tile.SlotIndex));

  tile.Visible = false;
  EXPECT_FALSE(Hidden(from, to));
  tile.Visible = true;
  tile.BlendingMode = 1;
  EXPECT_FALSE(Hidden(from, to));
  tile.BlendingMode = 0;
  tile.Density = 0.5f;  // fails the alpha test while unanimated
  EXPECT_FALSE(Hidden(from, to));
  tile.Density = 0.6f;
  EXPECT_TRUE(Hidden(from, to));
  engine.ModelEngine->GetModel(ModelSlot)->DepthTest = false;
  EXPECT_FALSE(Hidden(from, to));
  engine.ModelEngine->GetModel(ModelSlot)->DepthTest = true;

  tile.Delete();
  Tile({0, 0, 5}, {}, typus::Door);
  EXPECT_TRUE(Hidden(from, to));
}

TEST_F(CpuShadows, ModelsOfOtherEntitiesAndGroupsAfterAMissingMaterialLeaveNoShadow) {
  TVEModel& model = SquareModel();
  model.CullFace = false;
  TEntity& item = Tile({0, 0, 5}, {}, typus::Item);
  EXPECT_FALSE(Hidden({0, 0, 0}, {0, 0, 8}));
  item.Delete();
  Tile({0, 0, 5});
  model.Groups[0].Material = 3;  // no such material: the model ends before its first group
  EXPECT_FALSE(Hidden({0, 0, 0}, {0, 0, 8}));
}

// The hierarchy must answer exactly like testing every triangle.
TEST(TriangleBvhTest, AgreesWithTestingEveryTriangle) {
  std::mt19937 random(7);
  std::uniform_real_distribution<float> coordinate(-20.0f, 20.0f);
  std::uniform_real_distribution<float> offset(-1.5f, 1.5f);
  std::vector<OccluderTriangle> triangles;
  for (int i = 0; i < 3000; ++i) {
    const TVector a{coordinate(random), coordinate(random) / 4, coordinate(random)};
    triangles.push_back({a,
                         {a.x + offset(random), a.y + offset(random), a.z + offset(random)},
                         {a.x + offset(random), a.y + offset(random), a.z + offset(random)},
                         static_cast<std::int16_t>(i % 7),
                         static_cast<std::int16_t>(i % 11),
                         i % 3 == 0});
  }
  const TriangleBvh bvh(triangles);
  const TriangleBvh single(std::vector<OccluderTriangle>(triangles.begin(), triangles.begin() + 1));
  EXPECT_EQ(single.NodeCount(), 1u);
  ASSERT_GT(bvh.NodeCount(), 100u);

  int hits = 0;
  for (int ray = 0; ray < 4000; ++ray) {
    const TVector from{coordinate(random), coordinate(random) / 4, coordinate(random)};
    const TVector to{coordinate(random), coordinate(random) / 4, coordinate(random)};
    const TVector d{to.x - from.x, to.y - from.y, to.z - from.z};
    const auto skipEntity = static_cast<std::int16_t>(ray % 8 - 1);
    const auto skipSurface = static_cast<std::int16_t>(ray % 12 - 1);
    bool expected = false;
    for (const OccluderTriangle& t : triangles) {
      if ((skipEntity >= 0 && t.entity == skipEntity) || (skipSurface >= 0 && t.surface == skipSurface)) continue;
      expected = expected || TriangleBvh({t}).AnyHit(from, d, 0.05f, 1.0f, -1, -1);
    }
    ASSERT_EQ(bvh.AnyHit(from, d, 0.05f, 1.0f, skipEntity, skipSurface), expected) << "ray " << ray;
    hits += expected;
  }
  // Both answers occur often enough to mean something.
  EXPECT_GT(hits, 400);
  EXPECT_LT(hits, 3600);
}

TEST(TriangleBvhTest, FrontOnlyTrianglesBlockFromTheirCounterClockwiseSide) {
  // Counter-clockwise seen from +z.
  const OccluderTriangle t{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, -1, -1, true};
  const TriangleBvh bvh({t});
  EXPECT_TRUE(bvh.AnyHit({0.2f, 0.2f, 1}, {0, 0, -2}, 0, 1, -1, -1));
  EXPECT_FALSE(bvh.AnyHit({0.2f, 0.2f, -1}, {0, 0, 2}, 0, 1, -1, -1));
  // The stretch ends before the triangle, or begins after it.
  EXPECT_FALSE(bvh.AnyHit({0.2f, 0.2f, 1}, {0, 0, -2}, 0, 0.4f, -1, -1));
  EXPECT_FALSE(bvh.AnyHit({0.2f, 0.2f, 1}, {0, 0, -2}, 0.6f, 1, -1, -1));
  EXPECT_FALSE(TriangleBvh().AnyHit({0, 0, 0}, {1, 0, 0}, 0, 1, -1, -1));
}

}  // namespace
