// The room's history: snapshots give the room file's exact image and share what an edit
// left alone; every kind of edit is undone and redone to the byte; the unsaved state and
// the memory bound follow the steps; a long random session ends where replaying its
// surviving steps ends.
#include <functional>
#include <random>

#include "entities/edit_entity.h"
#include "entities/entity_typus.h"
#include "room/room_fixture.h"
#include "room/room_history.h"
#include "support/distinct_entities.h"

namespace {

using Image = std::vector<std::uint8_t>;

// A 2 x 2 m floor surface whose light map holds pixels of its own, as a bake leaves it.
TSurface* AddLitSurface(TRoom& room, float x, float z, std::uint8_t shade) {
  TSurface* surface =
      room.AddSurface({x, 0, z}, {x + 2, 0, z}, {x + 2, 0, z + 2}, {x, 0, z + 2}, "textures\\default");
  if (!surface) return nullptr;
  for (std::size_t i = 0; i < surface->LightMapSize(); ++i)
    surface->lightMapPixels[i] = static_cast<std::uint8_t>(shade + i * 7);
  return surface;
}

class RoomHistoryTest : public RoomTest {
protected:
  // Something in every part, with free slots between those in use.
  void FillRoom() {
    room.Name = "VARIED";
    room.FogDensity = 0.25f;
    room.FieldOf(3, 4).Typus = 2;
    room.FieldOf(59, 59).Height = 1.5f;
    for (int i = 0; i < 6; ++i) room.AddLight({float(i), 2, 1}, {0.5f, 0.25f, float(i) / 8}, 3.0f + float(i));
    room.Lights[2].ResetLight();
    const std::int16_t kinds[] = {typus::Trigger, typus::Door, typus::Sound, typus::Fire, typus::Mutant,
                                  typus::Variable};
    for (std::int16_t kind : kinds) {
      TEntity* entity = room.AddEntity(kind, {1, 0, float(kind % 7)}, {}, 1.0f);
      ASSERT_NE(entity, nullptr) << kind;
      Distinguish(*entity);
    }
    room.Entities[1]->Delete();
    for (int i = 0; i < 4; ++i) ASSERT_NE(AddLitSurface(room, float(3 * i), 5, std::uint8_t(40 * i)), nullptr);
    room.Surfaces[1]->Reset();
    room.CountLights();
    room.CountEntities();
    room.CountSurfaces();
  }
};

TEST_F(RoomHistoryTest, ASnapshotIsTheRoomFileAndSharesWhatAnEditLeftAlone) {
  EXPECT_EQ(RoomSnapshot::Take(room).Image(), room.SaveToBytes()) << "new room";
  FillRoom();
  const RoomSnapshot before = RoomSnapshot::Take(room);
  EXPECT_EQ(before.Image(), room.SaveToBytes());
  EXPECT_EQ(before.Bytes() - RoomSnapshot::TableBytes() + 6, room.SaveToBytes().size()) << "all but the three counts";

  room.FieldOf(30, 7).Material = 3;
  const RoomSnapshot oneField = RoomSnapshot::Take(room, &before);
  const std::size_t table = RoomSnapshot::TableBytes();
  EXPECT_EQ(oneField.BytesNotIn(before), table + TRoom::GridSize * TField::RecordSize) << "one column of fields";
  EXPECT_FALSE(oneField == before);

  room.Surfaces[3]->lightMapPixels[0] ^= 0xFF;
  const RoomSnapshot oneLightMap = RoomSnapshot::Take(room, &oneField);
  EXPECT_EQ(oneLightMap.BytesNotIn(oneField), table + TSurface::RecordHeaderSize + room.Surfaces[3]->LightMapSize());
  EXPECT_EQ(oneLightMap.Image(), room.SaveToBytes());

  // Equal bytes taken apart are equal snapshots, shared or not.
  EXPECT_TRUE(RoomSnapshot::Take(room) == oneLightMap);
  EXPECT_EQ(RoomSnapshot::Take(room, &oneLightMap).BytesNotIn(oneLightMap), table);
}

TEST_F(RoomHistoryTest, EveryKindOfEditIsUndoneAndRedoneToTheByte) {
  FillRoom();
  struct Edit {
    const char* name;
    std::function<void(TRoom&)> apply;
    std::string action;  // as the window records it
    std::string step;    // as the history names it
  };
  const std::vector<Edit> edits = {
      {"paint a field", [](TRoom& r) { r.FieldOf(10, 20).Typus = 5; }, "Paint", "Paint"},
      {"clear fields", [](TRoom& r) { r.ClearFields(); }, "Clear Fields", "Clear Fields"},
      {"attributes", [](TRoom& r) { r.Name = "OTHER"; r.FogColor = {0.1f, 0.2f, 0.3f}; }, "Attributes", "Attributes"},
      {"tile list", [](TRoom& r) { r.TileList[3] = "NO_SUCH_TILE"; }, "Attributes", "Attributes"},
      {"new light", [](TRoom& r) { r.AddLight({4, 4, 4}, {1, 1, 1}, 2); }, "New Light", "New Light"},
      {"edit light", [](TRoom& r) { r.Lights[3].Radius = 11; r.Lights[3].Effect = 2; }, "Edit Light", "Edit Light"},
      {"move light", [](TRoom& r) { r.Lights[0].Position = {-7, 1, 2}; }, "Move Light", "Move Light"},
      {"delete light", [](TRoom& r) { r.Lights[1].ResetLight(); }, "Edit Light", "Delete Light"},
      {"new entity", [](TRoom& r) { r.AddEntity(typus::Spawner, {2, 0, 2}, {}, 1); }, "New Entity", "New Entity"},
      {"move entity", [](TRoom& r) { r.Entities[3]->Position = {9, 1, 9}; }, "Move Entity", "Move Entity"},
      {"rename entity", [](TRoom& r) { r.Entities[0]->Name = "RENAMED"; }, "Edit Entity", "Edit Entity"},
      {"delete entity", [](TRoom& r) { r.Entities[2]->Delete(); }, "Edit Entity", "Delete Entity"},
      {"new surface", [](TRoom& r) { AddLitSurface(r, -10, -10, 9); }, "New Surface", "New Surface"},
      {"light map", [](TRoom& r) { r.Surfaces[2]->lightMapPixels[10] ^= 0x55; }, "Compute LightMap", "Compute LightMap"},
      {"surface texture", [](TRoom& r) { r.Surfaces[0]->textureName = "textures\\planks"; }, "Edit Surface", "Edit Surface"},
      {"delete surface", [](TRoom& r) { r.Surfaces[3]->Reset(); }, "Edit Surface", "Delete Surface"},
      {"entity into surfaces",
       [](TRoom& r) {
         r.Entities[4]->Delete();
         AddLitSurface(r, -6, -6, 1);
         AddLitSurface(r, -3, -6, 2);
       },
       "Edit Entity", "Convert Model to Surfaces"},
  };
  const Image filled = room.SaveToBytes();
  RoomHistory history(room);
  for (const Edit& edit : edits) {
    SCOPED_TRACE(edit.name);
    const Image before = room.SaveToBytes();
    edit.apply(room);
    room.CountLights();
    room.CountEntities();
    room.CountSurfaces();
    const Image after = room.SaveToBytes();
    ASSERT_NE(before, after);
    ASSERT_TRUE(history.Record(edit.action));
    EXPECT_EQ(history.UndoName(), edit.step);
    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(room.SaveToBytes(), before);
    EXPECT_EQ(history.RedoName(), edit.step);
    ASSERT_TRUE(history.Redo());
    EXPECT_EQ(room.SaveToBytes(), after);
  }
  // All the way back: the room as filled, the deleted objects in their own slots.
  while (history.Undo()) {
  }
  EXPECT_EQ(history.StepCount(), edits.size());
  EXPECT_EQ(room.SaveToBytes(), filled);
  EXPECT_TRUE(room.Entities[2]->InUse());
  EXPECT_EQ(room.Entities[2]->SlotIndex, 2);
  EXPECT_EQ(room.Entities[2]->Typus, typus::Sound);
  EXPECT_TRUE(room.Lights[1].InUse());
  EXPECT_FALSE(room.Lights[2].InUse());
}

TEST_F(RoomHistoryTest, WhatChangedNothingIsNoStepAndANewEditEndsTheRedoLine) {
  FillRoom();
  RoomHistory history(room);
  EXPECT_FALSE(history.Record("Nothing"));
  EXPECT_FALSE(history.CanUndo());
  EXPECT_EQ(history.UndoName(), "");

  room.FieldOf(1, 1).Height = 2;
  history.Record("First");
  room.FieldOf(1, 1).Height = 3;
  history.Record("Second");
  history.Undo();
  EXPECT_EQ(history.RedoName(), "Second");
  room.FieldOf(2, 2).Height = 4;
  history.Record("Third");
  EXPECT_FALSE(history.CanRedo());
  EXPECT_EQ(history.UndoName(), "Third");
  history.Undo();
  EXPECT_EQ(history.UndoName(), "First");
  EXPECT_EQ(room.FieldOf(1, 1).Height, 2);
  EXPECT_EQ(room.FieldOf(2, 2).Height, 0);

  // A change nobody recorded is a step of its own before the undo takes anything back.
  room.FieldOf(5, 5).Typus = 1;
  history.Undo();
  EXPECT_EQ(room.FieldOf(5, 5).Typus, 0);
  EXPECT_EQ(room.FieldOf(1, 1).Height, 2);
  EXPECT_EQ(history.RedoName(), "Edit");
}

TEST_F(RoomHistoryTest, TheUnsavedStateFollowsTheHistory) {
  RoomHistory history(room);
  EXPECT_FALSE(history.Modified());
  room.AddLight({}, {1, 1, 1}, 1);
  history.Record("New Light");
  EXPECT_TRUE(history.Modified());
  history.Undo();
  EXPECT_FALSE(history.Modified()) << "back where the room was saved";
  history.Redo();
  EXPECT_TRUE(history.Modified());

  history.MarkSaved();
  room.Lights[0].Radius = 5;
  history.Record("Edit Light");
  room.Lights[0].Radius = 1;
  history.Record("Edit Light");
  EXPECT_FALSE(history.Modified()) << "edited back to the saved bytes";
  history.Undo();
  EXPECT_TRUE(history.Modified());
  history.Undo();
  EXPECT_FALSE(history.Modified());

  // The saved state is undone and a new line begins: nothing leads back to it.
  history.Undo();
  room.FieldOf(0, 0).Typus = 1;
  history.Record("Paint");
  EXPECT_TRUE(history.Modified());
  history.Undo();
  EXPECT_TRUE(history.Modified());

  history.Start();
  EXPECT_FALSE(history.Modified());
  history.MarkChanged();
  EXPECT_TRUE(history.Modified());
}

TEST_F(RoomHistoryTest, PastItsLimitTheOldestStepsGoFirst) {
  // 128 x 128 light maps: 49 KB of pixels per surface.
  host.Memory(FormId::Main).SetText("EditSurfaceLightMapPixelPerMeter", "64");
  TSurface* surface = AddLitSurface(room, 0, 0, 1);
  ASSERT_NE(surface, nullptr);
  const std::size_t record = RoomSnapshot::TableBytes() + TSurface::RecordHeaderSize + surface->LightMapSize();
  ASSERT_EQ(surface->LightMapSize(), 128u * 128u * 3u);
  const std::size_t base = RoomSnapshot::Take(room).Bytes();
  RoomHistory history(room, base + 3 * record);
  EXPECT_EQ(history.Bytes(), base);

  std::vector<Image> images{room.SaveToBytes()};
  for (std::uint8_t step = 1; step <= 10; ++step) {
    surface->lightMapPixels[0] = step;
    history.Record("Compute LightMap");
    images.push_back(room.SaveToBytes());
    EXPECT_LE(history.Bytes(), base + 3 * record);
  }
  EXPECT_EQ(history.StepCount(), 3u);
  while (history.Undo()) {
  }
  EXPECT_EQ(room.SaveToBytes(), images[7]);
  EXPECT_EQ(history.UndoName(), "");
  EXPECT_TRUE(history.Modified()) << "the state saved first is gone";
  while (history.Redo()) {
  }
  EXPECT_EQ(room.SaveToBytes(), images[10]);
}

// One edit of the random session, resolved to slots so that replaying it on an equal
// room does the same thing.
struct Op {
  int kind = 0;
  int slot = 0;
  float a = 0, b = 0;
};

enum OpKind { Paint, NewLight, EditLight, DeleteLight, NewEntity, MoveEntity, DeleteEntity, NewSurface,
              EditSurface, DeleteSurface, Attributes, OpKinds };

template <class Table, class InUse>
std::vector<int> SlotsInUse(const Table& table, InUse inUse) {
  std::vector<int> slots;
  for (std::size_t i = 0; i < table.size(); ++i)
    if (inUse(table[i])) slots.push_back(static_cast<int>(i));
  return slots;
}

Op PickOp(std::mt19937& rng, TRoom& room) {
  std::uniform_real_distribution<float> place(-20, 20);
  Op op{static_cast<int>(rng() % OpKinds), 0, place(rng), place(rng)};
  std::vector<int> slots;
  switch (op.kind) {
    case EditLight:
    case DeleteLight: slots = SlotsInUse(room.Lights, [](const TLight& l) { return l.InUse(); }); break;
    case MoveEntity:
    case DeleteEntity: slots = SlotsInUse(room.Entities, [](const auto& e) { return e->InUse(); }); break;
    case EditSurface:
    case DeleteSurface: slots = SlotsInUse(room.Surfaces, [](const auto& s) { return s->InUse(); }); break;
    default: op.slot = static_cast<int>(rng() % 3600); return op;
  }
  if (slots.empty()) op.kind = NewLight;
  else op.slot = slots[rng() % slots.size()];
  return op;
}

void Apply(const Op& op, TRoom& room) {
  static constexpr std::int16_t Kinds[] = {typus::Trigger, typus::Marker, typus::Sound, typus::Camera, typus::Fire,
                                           typus::Mutant};
  const auto slot = static_cast<std::size_t>(op.slot);
  switch (op.kind) {
    case Paint:
      room.Fields[slot].Typus = static_cast<std::int16_t>(slot % 7);
      room.Fields[slot].Height = op.a;
      break;
    case NewLight: room.AddLight({op.a, 1, op.b}, {0.5f, 0.5f, 0.5f}, 4); break;
    case EditLight: room.Lights[slot].Radius = op.a; break;
    case DeleteLight: room.Lights[slot].ResetLight(); break;
    case NewEntity:
      // A new unit draws its health; the designer's own value makes the step repeatable.
      if (TEntity* entity = room.AddEntity(Kinds[slot % std::size(Kinds)], {op.a, 0, op.b}, {}, 1))
        entity->Health = static_cast<std::int16_t>(slot);
      break;
    case MoveEntity: room.Entities[slot]->Position = {op.a, 0, op.b}; break;
    case DeleteEntity: room.Entities[slot]->Delete(); break;
    case NewSurface: AddLitSurface(room, op.a, op.b, static_cast<std::uint8_t>(slot)); break;
    case EditSurface: room.Surfaces[slot]->lightMapPixels[0] = static_cast<std::uint8_t>(static_cast<int>(op.a)); break;
    case DeleteSurface: room.Surfaces[slot]->Reset(); break;
    case Attributes: room.FogDensity = op.a; break;
  }
  room.CountLights();
  room.CountEntities();
  room.CountSurfaces();
}

TEST_F(RoomHistoryTest, ALongRandomSessionEndsWhereReplayingItsSurvivingStepsEnds) {
  RoomHistory history(room);
  std::mt19937 rng(17);
  std::vector<Op> line;  // the steps the history holds, in order
  std::vector<Image> images{room.SaveToBytes()};
  std::size_t position = 0;
  int undone = 0, redone = 0;
  for (int action = 0; action < 600; ++action) {
    const unsigned choice = rng() % 20;
    if (choice < 4) {
      if (history.Undo()) {
        --position;
        ++undone;
      }
    } else if (choice < 8) {
      if (history.Redo()) {
        ++position;
        ++redone;
      }
    } else {
      const Op op = PickOp(rng, room);
      Apply(op, room);
      if (history.Record("Step")) {
        line.resize(position);
        images.resize(position + 1);
        line.push_back(op);
        images.push_back(room.SaveToBytes());
        ++position;
      }
    }
    ASSERT_EQ(room.SaveToBytes(), images[position]) << "after action " << action;
    ASSERT_EQ(history.CanUndo(), position > 0);
    ASSERT_EQ(history.CanRedo(), position + 1 < images.size());
  }
  // The session went back and forth and still holds a long line of steps.
  EXPECT_GT(undone, 50);
  EXPECT_GT(redone, 20);
  EXPECT_GT(position, 50u);

  TQZEngine fresh(host, PathOf(""));
  fresh.Room->InitRoom();
  for (std::size_t i = 0; i < position; ++i) Apply(line[i], *fresh.Room);
  EXPECT_EQ(fresh.Room->SaveToBytes(), room.SaveToBytes());
  EXPECT_EQ(history.Current().Image(), room.SaveToBytes());
}

}  // namespace
