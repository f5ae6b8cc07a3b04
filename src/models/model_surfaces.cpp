#include "models/model_surfaces.h"

#include <array>
#include <cmath>
#include <optional>

#include "core/edit_math.h"
#include "core/form.h"
#include "engine/edit_engine.h"
#include "models/edit_model.h"
#include "models/model_bounds.h"
#include "room/edit_room.h"

namespace {

using Corner = std::size_t;

Corner NextCorner(Corner k) { return (k + 1) % 3; }

class TrianglePairing {
public:
  TrianglePairing(TRoom& room, const TVEModel& model, const TVector& position, const TVector& rotation, float size)
      : room_(room), model_(model), position_(position), rotation_(rotation), size_(size),
        paired_(model.Triangles.size(), false) {}

  void Run() {
    for (bool longestEdgesOnly : {true, false})
      for (std::size_t c = 0; c < paired_.size(); ++c)
        for (std::size_t i = c + 1; i < paired_.size() && !paired_[c]; ++i)
          if (!paired_[i] && Pairs(c, i, longestEdgesOnly)) Convert(c, i);
  }

private:
  const TMS3DTriangle& Tri(std::size_t t) const { return model_.Triangles[t]; }
  const TVector& Vertex(const TMS3DTriangle& t, Corner k) const { return model_.Vertices[t.Indices[k]].Position; }

  TVector AverageNormal(const TMS3DTriangle& t) const {
    const TVector sum = TQZMath::Add(TQZMath::Add(t.Normals[0], t.Normals[1]), t.Normals[2]);
    return TQZMath::Normalize(TQZMath::Scale(sum, 0.33333334f));
  }

  // The first of the longest edges, as its two corners.
  std::array<Corner, 2> LongestEdge(const TMS3DTriangle& t, float& length) const {
    std::array<Corner, 2> edge{0, 1};
    length = -1.0f;
    for (Corner k = 0; k < 3; ++k) {
      const float d = TQZMath::Distance(Vertex(t, k), Vertex(t, NextCorner(k)));
      if (d > length) {
        length = d;
        edge = {k, NextCorner(k)};
      }
    }
    return edge;
  }

  bool SameLongestEdge(const TMS3DTriangle& c, const TMS3DTriangle& i) const {
    float lengthC = 0.0f, lengthI = 0.0f;
    const auto ec = LongestEdge(c, lengthC);
    const auto ei = LongestEdge(i, lengthI);
    if (lengthC != lengthI) return false;
    const auto eq = [](const TVector& a, const TVector& b) { return TQZMath::EqualVectors(a, b); };
    const TVector c0 = Vertex(c, ec[0]), c1 = Vertex(c, ec[1]), i0 = Vertex(i, ei[0]), i1 = Vertex(i, ei[1]);
    return (eq(c0, i0) && eq(c1, i1)) || (eq(c0, i1) && eq(c1, i0));
  }

  static std::optional<Corner> CornerWithIndex(const TMS3DTriangle& t, std::uint16_t index) {
    for (Corner k = 0; k < 3; ++k)
      if (t.Indices[k] == index) return k;
    return std::nullopt;
  }

  static int SharedCorners(const TMS3DTriangle& a, const TMS3DTriangle& b) {
    int shared = 0;
    for (auto index : a.Indices) shared += CornerWithIndex(b, index) ? 1 : 0;
    return shared;
  }

  bool Pairs(std::size_t c, std::size_t i, bool longestEdgesOnly) const {
    const auto& tc = Tri(c);
    const auto& ti = Tri(i);
    if (longestEdgesOnly && !SameLongestEdge(tc, ti)) return false;
    for (Corner k = 0; k < 3; ++k)
      if (const auto m = CornerWithIndex(ti, tc.Indices[k]); m && !(tc.Normals[k] == ti.Normals[*m])) return false;
    return SharedCorners(tc, ti) == 2 && SharedCorners(ti, tc) == 2;
  }

  TVector Placed(const TMS3DTriangle& t, Corner k) const { return PlacedVertex(Vertex(t, k), position_, rotation_, size_); }

  void Convert(std::size_t c, std::size_t i) {
    paired_[c] = paired_[i] = true;
    const auto& tc = Tri(c);
    const auto& ti = Tri(i);
    Corner a = 0, cI = 0;
    for (Corner k = 0; k < 3; ++k) {
      if (!CornerWithIndex(ti, tc.Indices[k])) a = k;
      if (!CornerWithIndex(tc, ti.Indices[k])) cI = k;
    }
    const Corner b = NextCorner(a);
    const Corner d = NextCorner(b);
    const TVector pa = Placed(tc, a), pb = Placed(tc, b), pc = Placed(ti, cI), pd = Placed(tc, d);
    TSurface* surface = room_.AddSurface(pa, pb, pc, pd, "textures\\default");
    if (!surface) return;

    const TVector origin{};
    const TVector modelFacing = TQZMath::AnglesTo(origin, AverageNormal(tc));
    const TVector surfaceFacing = TQZMath::AnglesTo(origin, surface->normal);
    if (TQZMath::AngleDelta(modelFacing.y, surfaceFacing.y).Delta > 90.0f ||
        TQZMath::AngleDelta(modelFacing.x, surfaceFacing.x).Delta > 90.0f)
      surface->Invert();

    const bool wall = std::fabs(TQZMath::AnglesTo(pa, pb).x) > 45.0f || std::fabs(TQZMath::AnglesTo(pa, pd).x) > 45.0f;
    if (MainForm().Checked("CBSurfaceInvertWall") && wall) surface->Invert();
  }

  Form& MainForm() const { return room_.Engine.GetHost().GetForm(FormId::Main); }

  TRoom& room_;
  const TVEModel& model_;
  TVector position_, rotation_;
  float size_;
  std::vector<bool> paired_;
};

}  // namespace

void ConvertModelToSurfaces(TRoom& room, const TVEModel& model, const TVector& position, const TVector& rotation,
                            float size) {
  // The surfaces below would otherwise each compute a light map as they are made.
  room.Engine.GetHost().GetForm(FormId::Main).SetChecked("CBLightMapCompute", false);
  TrianglePairing(room, model, position, rotation, size).Run();
}
