// The selection commands in the document: box selection in both flat views at every zoom,
// select all and the same kind, and moving, turning and deleting what is selected.
#include "entities/edit_entity.h"
#include "entities/entity_typus.h"
#include "room/selection_edit.h"
#include "room_fixture.h"

namespace {

using Kind = TSelection::Kind;

struct BoxCase {
  int view;
  float zoom;
};

class SelectionBox : public RoomTest, public ::testing::WithParamInterface<BoxCase> {};

TEST_P(SelectionBox, TakesWhatIsDrawnInsideAndShiftAdds) {
  room.Camera.SetMode(GetParam().view);
  room.Camera.Zoom = GetParam().zoom;
  const TViewMapping view(room.Camera);
  // Three lights a little apart, at the depth the view shows them at.
  std::vector<TLight*> lights;
  for (const float x : {-1.0f, 0.0f, 1.0f}) lights.push_back(room.AddLight({x, 1.0f, 0.5f}, {1, 1, 1}, 2.0f));
  const auto at = [&](int i) { return view.ToView(lights[static_cast<std::size_t>(i)]->Position).value(); };
  const TViewPoint first = at(0), second = at(1), third = at(2);
  const float margin = (second.x - first.x) / 4.0f;
  selection::SelectInBox(room, Kind::Lights, {first.x - margin, first.y - margin}, {second.x + margin, second.y + margin},
                         false);
  EXPECT_EQ(room.Selection.Slots(), (std::set<int>{0, 1}));
  selection::SelectInBox(room, Kind::Lights, {third.x + margin, third.y + margin}, {third.x - margin, third.y - margin},
                         true);
  EXPECT_EQ(room.Selection.Slots(), (std::set<int>{0, 1, 2})) << "a box drawn backwards, added";
  selection::SelectInBox(room, Kind::Lights, {third.x - margin, third.y - margin}, {third.x + margin, third.y + margin},
                         false);
  EXPECT_EQ(room.Selection.Slots(), (std::set<int>{2}));
  EXPECT_EQ(selection::StatusText(room), "1 light selected");
}

INSTANTIATE_TEST_SUITE_P(BothFlatViews, SelectionBox,
                         ::testing::Values(BoxCase{TCamera::ModeTop, 0.5f}, BoxCase{TCamera::ModeTop, 1.0f},
                                           BoxCase{TCamera::ModeTop, 2.0f}, BoxCase{TCamera::ModeSide, 0.5f},
                                           BoxCase{TCamera::ModeSide, 1.0f}, BoxCase{TCamera::ModeSide, 2.0f}));

TEST_F(RoomTest, SelectionMovesTurnsAndDeletesAsOne) {
  TEntity* a = room.AddEntity(typus::Marker, {1, 0, 0}, {0, 30, 0}, 1.0f);
  TEntity* b = room.AddEntity(typus::Marker, {3, 2, 0}, {}, 1.0f);
  TEntity* other = room.AddEntity(typus::Sound, {9, 0, 9}, {}, 1.0f);
  ASSERT_TRUE(a && b && other);
  room.Selection.Set(Kind::Entities, 0);
  ASSERT_TRUE(selection::SelectSameKind(room));
  EXPECT_EQ(room.Selection.Slots(), (std::set<int>{0, 1})) << "the markers, not the sound";
  EXPECT_EQ(selection::Centre(room), (TVector{2, 1, 0}));

  selection::Move(room, {0.5f, 1.0f, -1.0f});
  EXPECT_EQ(a->Position, (TVector{1.5f, 1.0f, -1.0f}));
  EXPECT_EQ(b->Position, (TVector{3.5f, 3.0f, -1.0f}));
  EXPECT_EQ(other->Position, (TVector{9, 0, 9}));

  // A quarter turn to the left about the centre (2.5, -1): +x turns to -z; heights stay.
  selection::Rotate(room, 1);
  EXPECT_EQ(a->Position, (TVector{2.5f, 1.0f, 0.0f}));
  EXPECT_EQ(b->Position, (TVector{2.5f, 3.0f, -2.0f}));
  EXPECT_FLOAT_EQ(a->Rotation.y, 120.0f);
  selection::Rotate(room, 3);
  EXPECT_EQ(a->Position, (TVector{1.5f, 1.0f, -1.0f})) << "four quarters are a whole turn";
  EXPECT_FLOAT_EQ(a->Rotation.y, 30.0f);

  EXPECT_EQ(selection::Delete(room), 2);
  EXPECT_FALSE(a->InUse());
  EXPECT_TRUE(other->InUse());
  EXPECT_TRUE(room.Selection.Empty());
  EXPECT_EQ(room.CountEntities(), 1);
}

TEST_F(RoomTest, AFieldRectangleTurnsAsABlock) {
  // A 2 x 3 block of distinct typi at x 10..11, z 20..22.
  const auto field = [&](int x, int z) -> TField& { return room.Fields[static_cast<std::size_t>(x * 60 + z)]; };
  for (int x = 10; x <= 11; ++x)
    for (int z = 20; z <= 22; ++z) field(x, z).Typus = static_cast<std::int16_t>(1 + (x - 10) * 3 + (z - 20));
  room.Selection.SetFields({10, 20, 11, 22});
  EXPECT_EQ(selection::StatusText(room), "6 fields selected");
  selection::Rotate(room, 1);
  const TFieldRect turned = room.Selection.Fields();
  EXPECT_EQ(turned.maxX - turned.minX, 2);
  EXPECT_EQ(turned.maxZ - turned.minZ, 1);
  // The corner field (10, 20) turns to the left: to the block's low-x, high-z corner.
  EXPECT_EQ(field(turned.minX, turned.maxZ).Typus, 1);
  EXPECT_EQ(field(turned.maxX, turned.maxZ).Typus, 3);
  EXPECT_EQ(field(turned.minX, turned.minZ).Typus, 4);
  EXPECT_EQ(field(turned.minX, turned.minZ).GridX, turned.minX) << "a field keeps its place";
  int typed = 0;
  for (const TField& f : room.Fields) typed += f.Typus != 0;
  EXPECT_EQ(typed, 6) << "nothing left behind or lost";
}

TEST_F(RoomTest, SelectAllTakesEveryObjectOfTheKindInUse) {
  room.AddLight({0, 1, 0}, {1, 1, 1}, 2.0f);
  room.AddLight({1, 1, 0}, {1, 1, 1}, 2.0f);
  room.Lights[0].ResetLight();
  selection::SelectAll(room, Kind::Lights);
  EXPECT_EQ(room.Selection.Slots(), (std::set<int>{1}));
  selection::SelectAll(room, Kind::Fields);
  EXPECT_EQ(room.Selection.Count(), 3600);
}

}  // namespace
