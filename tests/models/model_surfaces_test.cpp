#include "models/model_surfaces.h"

#include <gtest/gtest.h>

#include "core/headless_host.h"
#include "engine/edit_engine.h"
#include "models/edit_model.h"
#include "models/ms3d_fixture.h"
#include "room/edit_room.h"

namespace {

TMS3DTriangle Triangle(std::uint16_t a, std::uint16_t b, std::uint16_t c, TVector normal = {0, 0, 1}) {
  TMS3DTriangle t;
  t.Indices = {a, b, c};
  t.Normals = {normal, normal, normal};
  return t;
}

class ModelSurfaces : public ::testing::Test {
protected:
  ModelSurfaces() : engine_(host, "/nonexistent-brannock"), room(*engine_.Room) {}

  void SetVertices(std::vector<TVector> positions) {
    model.Vertices.clear();
    for (const auto& p : positions) model.Vertices.push_back({p, -1});
  }
  std::vector<const TSurface*> Convert(const TVector& position = {}, float size = 1.0f) {
    ConvertModelToSurfaces(room, model, position, {}, size);
    std::vector<const TSurface*> made;
    for (const auto& s : room.Surfaces)
      if (s->InUse()) made.push_back(s.get());
    return made;
  }
  static std::vector<TVector> Corners(const TSurface& s) {
    std::vector<TVector> corners;
    for (const auto& c : s.corners) corners.push_back(c.position);
    return corners;
  }
  Form& Main() { return host.GetForm(FormId::Main); }

  HeadlessHost host;

private:
  TQZEngine engine_;

protected:
  TRoom& room;
  TVEModel model;
};

TEST_F(ModelSurfaces, SquareBecomesOneSurfaceWithPlacedCorners) {
  model = TVEModel{};
  static_cast<TMS3DContents&>(model) = ms3d_fixture::Square();
  Main().SetChecked("CBLightMapCompute", true);
  const auto made = Convert({10, 0, 5}, 2.0f);
  ASSERT_EQ(made.size(), 1u);
  EXPECT_FALSE(Main().Checked("CBLightMapCompute"));
  // a = the corner the partner lacks (vertex 1), b, the partner's own corner, d; x and
  // z mirrored, times the size, moved to the position. The mirror turned the quad's
  // back to where the triangles faced, so the facing correction swapped b and d.
  EXPECT_EQ(Corners(*made[0]), (std::vector<TVector>{{8, 0, 5}, {10, 0, 5}, {10, 2, 5}, {8, 2, 5}}));
  EXPECT_GT(made[0]->normal.z, 0.9f);
}

TEST_F(ModelSurfaces, LongestEdgePairsComeFirst) {
  // T0 shares its short edge 0-2 with T1 and its longest edge 1-2 with T2.
  SetVertices({{0, 0, 0}, {2, 0, 0}, {0, 1, 0}, {2, 1, 0}, {-1, 0.5f, 0}});
  model.Triangles = {Triangle(0, 1, 2), Triangle(0, 2, 4), Triangle(1, 3, 2)};
  const auto made = Convert();
  ASSERT_EQ(made.size(), 1u);
  const auto corners = Corners(*made[0]);
  EXPECT_NE(std::find(corners.begin(), corners.end(), TVector{-2, 1, 0}), corners.end());  // vertex 3, mirrored
}

TEST_F(ModelSurfaces, ShortSharedEdgesPairInTheSecondPass) {
  SetVertices({{0, 0, 0}, {2, 0, 0}, {0, 1, 0}, {-1, 0.5f, 0}});
  model.Triangles = {Triangle(0, 1, 2), Triangle(0, 2, 3)};
  EXPECT_EQ(Convert().size(), 1u);
}

TEST_F(ModelSurfaces, UnpairableTrianglesGiveNothing) {
  SetVertices({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}});
  model.Triangles = {Triangle(0, 1, 2)};
  EXPECT_TRUE(Convert().empty());

  model.Triangles = {Triangle(0, 1, 2), Triangle(0, 2, 3)};
  model.Triangles[1].Normals[1] = {0, 0.1f, 0.99f};  // differs at shared vertex 2
  EXPECT_TRUE(Convert().empty());
}

TEST_F(ModelSurfaces, SurfacesFaceLikeTheirTriangles) {
  SetVertices({{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}});
  for (float up : {1.0f, -1.0f}) {
    SCOPED_TRACE(up);
    room.ClearRoom();
    model.Triangles = {Triangle(0, 1, 2, {0, up, 0}), Triangle(0, 2, 3, {0, up, 0})};
    const auto made = Convert();
    ASSERT_EQ(made.size(), 1u);
    EXPECT_GT(made[0]->normal.y * up, 0.9f);
  }
}

TEST_F(ModelSurfaces, InvertWallTurnsVerticalSurfacesOnceMore) {
  static_cast<TMS3DContents&>(model) = ms3d_fixture::Square();
  const TVector plain = Convert()[0]->normal;
  room.ClearRoom();
  Main().SetChecked("CBSurfaceInvertWall", true);
  const TVector inverted = Convert()[0]->normal;
  EXPECT_FLOAT_EQ(inverted.z, -plain.z);
  EXPECT_NE(plain.z, 0.0f);
}

}  // namespace
