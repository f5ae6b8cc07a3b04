// Copy, paste and duplicate of the document's selection, on the sample world's demo room.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>

#include "core/binary_io.h"
#include "core/headless_host.h"
#include "engine/edit_engine.h"
#include "entities/edit_entity.h"
#include "entities/entity_trigger.h"
#include "entities/entity_typus.h"
#include "entities/tile_door.h"
#include "room/edit_room.h"
#include "room/room_clipboard.h"
#include "tool/room_json.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Kind = TSelection::Kind;

const std::filesystem::path World = BRANNOCK_SAMPLE_DIR;
const std::string DemoRoom = (World / "data" / "world" / "room" / "demo.rer").string();

class Clipboard : public ::testing::Test {
protected:
  void SetUp() override {
    engine.StartUp();
    ASSERT_TRUE(room.LoadFromFile(DemoRoom));
    host.errors.clear();
  }

  template <class Table, class InUse>
  static TSelection All(Kind kind, const Table& table, InUse inUse) {
    TSelection selection;
    for (std::size_t i = 0; i < table.size(); ++i)
      if (inUse(table[i])) selection.Add(kind, static_cast<int>(i));
    return selection;
  }
  TSelection AllLights() const { return All(Kind::Lights, room.Lights, [](const TLight& l) { return l.InUse(); }); }
  TSelection AllEntities() const { return All(Kind::Entities, room.Entities, [](const auto& e) { return e->InUse(); }); }
  TSelection AllSurfaces() const { return All(Kind::Surfaces, room.Surfaces, [](const auto& s) { return s->InUse(); }); }
  TSelection AllOf(Kind kind) const {
    return kind == Kind::Lights ? AllLights() : kind == Kind::Entities ? AllEntities() : AllSurfaces();
  }

  static Bytes EntityBytes(TEntity& entity) {
    BinaryWriter file;
    TRoom::WriteEntity(entity, file);
    return file.Take();
  }
  template <class Record>
  static Bytes RecordBytes(const Record& record) {
    BinaryWriter file;
    record.WriteRecord(file);
    return file.Take();
  }
  int SlotNamed(std::string_view name) const {
    for (int i = 0; i <= room.LastEntity; ++i)
      if (room.Entities[i]->InUse() && room.Entities[i]->Name == name) return i;
    return -1;
  }
  template <class Kind>
  Kind& First(std::int16_t typus, const TSelection& among) {
    for (const int slot : among.Slots())
      if (room.Entities[slot]->IsTypus(typus)) return dynamic_cast<Kind&>(*room.Entities[slot]);
    throw std::logic_error("no entity of the kind");
  }

  HeadlessHost host;
  TQZEngine engine{host, World.string()};
  TRoom& room = *engine.Room;
};

TEST_F(Clipboard, EntitiesPastedInPlaceIntoANewRoomKeepTheirRecordsNamesLinksAndTileModels) {
  const TSelection all = AllEntities();
  ASSERT_GT(all.Count(), 20);
  std::vector<Bytes> records;
  std::vector<std::array<std::int16_t, TEntity::LinkCount>> links;
  std::vector<std::int16_t> models;
  for (const int slot : all.Slots()) {
    records.push_back(EntityBytes(*room.Entities[slot]));
    links.push_back(room.Entities[slot]->Links);
    models.push_back(room.Entities[slot]->ModelIndex);
  }
  const Bytes payload = CopySelection(room, all);

  room.ClearRoom();
  ASSERT_TRUE(std::all_of(room.TileList.begin(), room.TileList.end(), [](const auto& t) { return t.empty(); }));
  const PasteResult result = PasteSelection(room, payload, std::nullopt, {});
  ASSERT_TRUE(result.Pasted()) << result.error;
  EXPECT_EQ(result.countText, std::to_string(all.Count()) + " Entities");
  ASSERT_EQ(result.pasted.What(), Kind::Entities);
  ASSERT_EQ(result.pasted.Count(), all.Count());
  std::size_t i = 0;
  for (const int slot : result.pasted.Slots()) {
    SCOPED_TRACE(room.Entities[slot]->Name.str());
    EXPECT_EQ(EntityBytes(*room.Entities[slot]), records[i]);
    // The demo's entities fill the first slots, so the pasted ones bind to the same slots
    // and, with the tile list entries they brought, the same models.
    EXPECT_EQ(room.Entities[slot]->Links, links[i]);
    EXPECT_EQ(room.Entities[slot]->ModelIndex, models[i]);
    ++i;
  }
  EXPECT_NE(room.TileList[0], "");
  EXPECT_TRUE(host.errors.empty());
}

TEST_F(Clipboard, CopiesGetFreshNamesAndTheirLinksFollowOnlyAmongThemselves) {
  const TSelection all = AllEntities();
  std::set<std::string> before;
  for (const int slot : all.Slots()) before.insert(room.Entities[slot]->Name.str());
  TETrigger& trigger = First<TETrigger>(typus::Trigger, all);
  const std::string doorName = trigger.Targets[0].str();
  const int doorSlot = SlotNamed(doorName);
  ASSERT_TRUE(room.Entities[doorSlot]->IsTypus(typus::Door));
  ASSERT_EQ(doorName, "DOOR1");

  const PasteResult result = PasteSelection(room, CopySelection(room, all), TVector{20.0f, 7.0f, -20.0f}, {});
  ASSERT_TRUE(result.Pasted()) << result.error;
  std::set<std::string> names;
  for (int i = 0; i <= room.LastEntity; ++i)
    if (room.Entities[i]->InUse()) names.insert(room.Entities[i]->Name.str());
  EXPECT_EQ(names.size(), 2 * before.size());
  const TETrigger& copy = First<TETrigger>(typus::Trigger, result.pasted);
  EXPECT_FALSE(before.contains(copy.Name.str()));
  const TETDoor& copiedDoor = First<TETDoor>(typus::Door, result.pasted);
  // As a new door would be named: the base name and the lowest free number.
  EXPECT_EQ(copiedDoor.Name, "DOOR2");
  EXPECT_EQ(copy.Targets[0], copiedDoor.Name);
  EXPECT_EQ(copy.Links[0], copiedDoor.SlotIndex);
  EXPECT_EQ(copiedDoor.ActivationTarget, copy.Name);
  const int marker = SlotNamed("TERRACE_ARRIVAL1");
  EXPECT_TRUE(result.pasted.Holds(Kind::Entities, marker));
  // The marker the door leads to is one of another room, so its name is no reference.
  EXPECT_EQ(copiedDoor.ToMarker, "TERRACE_ARRIVAL");

  // Duplicated alone, the trigger still fires the originals, from 1 m further on.
  const TSelection one = [&] {
    TSelection s;
    s.Set(Kind::Entities, trigger.SlotIndex);
    return s;
  }();
  const PasteResult twin = Duplicate(room, one);
  ASSERT_TRUE(twin.Pasted()) << twin.error;
  EXPECT_EQ(twin.countText, "1 Entity");
  const TETrigger& second = First<TETrigger>(typus::Trigger, twin.pasted);
  EXPECT_NE(second.Name, trigger.Name);
  EXPECT_EQ(second.Targets, trigger.Targets);
  EXPECT_EQ(second.Links[0], doorSlot);
  EXPECT_EQ(second.Position.x, trigger.Position.x + 1.0f);
  EXPECT_EQ(second.Position.y, trigger.Position.y);
  EXPECT_EQ(second.Position.z, trigger.Position.z + 1.0f);
}

TEST_F(Clipboard, APasteTheRoomCannotHoldChangesNothing) {
  struct Case {
    const char* name;
    Kind kind;
    std::function<void(TRoom&)> fill;
    std::string message;
  };
  const auto manyEntities = [](TRoom& r) {
    while (r.CountEntities() < TRoom::EntitySlots - 3) r.AddEntity(typus::Marker, {}, {}, 1.0f);
  };
  const Case cases[] = {
      {"lights", Kind::Lights,
       [](TRoom& r) {
         while (r.CountLights() < TRoom::LightSlots - 1) r.AddLight({1, 1, 1}, {1, 1, 1}, 2.0f);
       },
       "needs " + std::to_string(AllLights().Count()) + " light slots, but the room has 1 free"},
      {"entities", Kind::Entities, manyEntities,
       "needs " + std::to_string(AllEntities().Count()) + " entity slots, but the room has 3 free"},
      {"surfaces", Kind::Surfaces,
       [](TRoom& r) {
         for (int i = 0; r.CountSurfaces() < TRoom::SurfaceSlots; ++i)
           r.AddSurface({0, static_cast<float>(i), 0}, {1, static_cast<float>(i), 0}, {1, static_cast<float>(i), 1},
                        {0, static_cast<float>(i), 1}, "textures\\default");
       },
       "needs " + std::to_string(AllSurfaces().Count()) + " surface slots, but the room has 0 free"},
      {"tile list", Kind::Entities,
       [](TRoom& r) {
         r.ClearRoom();
         for (std::size_t i = 0; i < r.TileList.size(); ++i) r.TileList[i] = "other\\tile" + std::to_string(i);
       },
       "tile models, but the room's tile list has 0 free entries"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(room.LoadFromFile(DemoRoom));
    const Bytes payload = CopySelection(room, AllOf(c.kind));
    ASSERT_FALSE(payload.empty());
    c.fill(room);
    const Bytes image = room.SaveToBytes();
    host.errors.clear();
    const PasteResult result = PasteSelection(room, payload, TVector{1, 0, 1}, {});
    EXPECT_EQ(result.outcome, PasteResult::Outcome::Refused);
    EXPECT_NE(result.error.find(c.message), std::string::npos) << result.error;
    EXPECT_TRUE(result.pasted.Empty());
    EXPECT_EQ(room.SaveToBytes(), image);
    EXPECT_TRUE(host.errors.empty());
  }
}

TEST_F(Clipboard, LightsSurfacesAndFieldsRoundTripToTheCentreAndTheAnchor) {
  // The box centre on the floor goes to the given centre; heights stay.
  const auto offsetTo = [](const std::vector<TVector>& points, float x, float z) {
    float minX = points[0].x, maxX = minX, minZ = points[0].z, maxZ = minZ;
    for (const TVector& p : points) {
      minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
      minZ = std::min(minZ, p.z), maxZ = std::max(maxZ, p.z);
    }
    return TVector{x - (minX + maxX) / 2.0f, 0.0f, z - (minZ + maxZ) / 2.0f};
  };
  {
    SCOPED_TRACE("lights");
    const TSelection all = AllLights();
    ASSERT_GT(all.Count(), 1);
    std::vector<TVector> points;
    std::vector<Bytes> records;
    for (const int slot : all.Slots()) {
      points.push_back(room.Lights[slot].Position);
      records.push_back(RecordBytes(room.Lights[slot]));
    }
    const TVector d = offsetTo(points, 8.0f, -3.0f);
    const PasteResult result = PasteSelection(room, CopySelection(room, all), TVector{8.0f, 99.0f, -3.0f}, {});
    ASSERT_TRUE(result.Pasted()) << result.error;
    EXPECT_EQ(result.countText, std::to_string(all.Count()) + " Lights");
    ASSERT_EQ(result.pasted.Count(), all.Count());
    std::size_t i = 0;
    for (const int slot : result.pasted.Slots()) {
      EXPECT_FALSE(all.Slots().contains(slot));
      TLight& light = room.Lights[slot];
      EXPECT_EQ(light.Position, TQZEngine::Add(points[i], d));
      light.Position = points[i];
      EXPECT_EQ(RecordBytes(light), records[i]);
      ++i;
    }
  }
  {
    SCOPED_TRACE("surfaces");
    TSelection all;
    const TSelection every = AllSurfaces();
    for (const int slot : every.Slots())
      if (all.Count() < 20) all.Add(Kind::Surfaces, slot);
    ASSERT_EQ(all.Count(), 20);
    std::vector<TVector> points;
    std::vector<Bytes> records;
    for (const int slot : all.Slots()) {
      for (const auto& c : room.Surfaces[slot]->corners) points.push_back(c.position);
      records.push_back(RecordBytes(*room.Surfaces[slot]));
    }
    const TVector d = offsetTo(points, -4.0f, 5.0f);
    const PasteResult result = PasteSelection(room, CopySelection(room, all), TVector{-4.0f, 0.0f, 5.0f}, {});
    ASSERT_TRUE(result.Pasted()) << result.error;
    EXPECT_EQ(result.countText, std::to_string(all.Count()) + " Surfaces");
    std::size_t i = 0;
    for (const int slot : result.pasted.Slots()) {
      TSurface& s = *room.Surfaces[slot];
      TSurface& original = *room.Surfaces[*std::next(all.Slots().begin(), static_cast<long>(i))];
      TVector sum;
      for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(s.corners[k].position, TQZEngine::Add(original.corners[k].position, d));
        sum = TQZEngine::Add(sum, s.corners[k].position);
      }
      EXPECT_EQ(s.centre, TQZEngine::Scale(sum, 0.25f));
      // Put back where it came from, the record is the copied one, light map included.
      for (std::size_t k = 0; k < 4; ++k) s.corners[k].position = original.corners[k].position;
      s.centre = original.centre;
      EXPECT_EQ(RecordBytes(s), records[i]);
      ++i;
    }
  }
  {
    SCOPED_TRACE("fields");
    // A 5 x 3 rectangle of distinct fields, pasted with its first field two columns and
    // one row from the grid's far corner: 3 x 2 of it remain.
    for (int x = 2; x <= 6; ++x)
      for (int z = 3; z <= 5; ++z) {
        TField& f = room.FieldOf(x, z);
        f.Typus = static_cast<std::int16_t>(1 + x);
        f.Material = static_cast<std::int16_t>(z);
        f.Height = static_cast<float>(x * 10 + z) / 8.0f;
        f.Ceiling = 20.0f + static_cast<float>(x);
      }
    TSelection rect;
    rect.SetFields({2, 3, 6, 5});
    const Bytes payload = CopySelection(room, rect);
    std::vector<Bytes> before;
    for (const TField& f : room.Fields) before.push_back(RecordBytes(f));
    const PasteResult result = PasteSelection(room, payload, TVector{0, 0, 0}, {57, 58});
    ASSERT_TRUE(result.Pasted()) << result.error;
    EXPECT_EQ(result.countText, "6 Fields");
    EXPECT_EQ(result.pasted.Fields(), (TFieldRect{57, 58, 59, 59}));
    for (int x = 0; x < TRoom::GridSize; ++x)
      for (int z = 0; z < TRoom::GridSize; ++z) {
        const bool pasted = x >= 57 && z >= 58;
        const Bytes& expected = pasted ? before[static_cast<std::size_t>((x - 55) * 60 + (z - 55))]
                                       : before[static_cast<std::size_t>(x * 60 + z)];
        EXPECT_EQ(RecordBytes(room.FieldOf(x, z)), expected) << x << "," << z;
      }
  }
}

TEST_F(Clipboard, DamagedOrForeignPayloadsAreRefusedWholeAndPlaceNothing) {
  // Small real payloads of each kind; the entities bring a tile-list name.
  const auto two = [](const TSelection& all) {
    TSelection some;
    for (const int slot : all.Slots())
      if (some.Count() < 2) some.Add(all.What(), slot);
    return some;
  };
  TSelection entities;
  const TETDoor& door = First<TETDoor>(typus::Door, AllEntities());
  entities.Add(Kind::Entities, door.SlotIndex);
  entities.Add(Kind::Entities, SlotNamed(door.ActivationTarget.view()));
  TSelection fields;
  fields.SetFields({10, 10, 11, 12});
  struct Source {
    Bytes payload;
    std::size_t count;     // where the first count is
    std::size_t inRecord;  // a field of the first record that makes it unreadable
    std::vector<std::uint8_t> bad;
  };
  const auto i16 = [](std::int16_t v) {
    return std::vector<std::uint8_t>{static_cast<std::uint8_t>(v & 0xFF), static_cast<std::uint8_t>((v >> 8) & 0xFF)};
  };
  constexpr std::size_t Head = 12;  // magic, version, kind
  const std::vector<Source> sources = {
      {CopySelection(room, two(AllLights())), Head, Head + 2 + 33, i16(-1)},                // a free light
      {CopySelection(room, entities), Head + 2 + 256, Head + 2 + 256 + 2, i16(3000)},  // a typus without class
      {CopySelection(room, two(AllSurfaces())), Head, Head + 2 + 303, i16(257)},           // a light map too wide
      {CopySelection(room, fields), Head, Head + 2, i16(61)},                              // more rows than the grid
  };
  ASSERT_EQ(Bytes(sources[1].payload.begin() + Head, sources[1].payload.begin() + Head + 2), i16(1));

  room.ClearRoom();
  const Bytes image = room.SaveToBytes();
  const auto refused = [&](const Bytes& payload, PasteResult::Outcome expected) {
    const PasteResult result = PasteSelection(room, payload, std::nullopt, {});
    EXPECT_EQ(result.outcome, expected);
    EXPECT_EQ(result.error.empty(), expected == PasteResult::Outcome::NotASelection);
    EXPECT_TRUE(result.pasted.Empty());
    return room.SaveToBytes() == image;
  };
  const auto patched = [](Bytes bytes, std::size_t at, const std::vector<std::uint8_t>& with) {
    std::copy(with.begin(), with.end(), bytes.begin() + static_cast<long>(at));
    return bytes;
  };
  const std::string text = "{\"lights\": []}";
  EXPECT_TRUE(refused(Bytes(text.begin(), text.end()), PasteResult::Outcome::NotASelection));
  EXPECT_TRUE(refused({}, PasteResult::Outcome::NotASelection));
  for (const Source& source : sources) {
    const Bytes& p = source.payload;
    SCOPED_TRACE(p[10]);
    ASSERT_GT(p.size(), Head);
    for (std::size_t length = 0; length < p.size(); ++length) {
      ASSERT_TRUE(refused(Bytes(p.begin(), p.begin() + static_cast<long>(length)),
                          length < 8 ? PasteResult::Outcome::NotASelection : PasteResult::Outcome::Refused))
          << "cut at " << length;
    }
    std::vector<Bytes> hostile = {patched(p, 8, i16(2)), patched(p, source.inRecord, source.bad)};
    for (const std::int16_t kind : {0, 5, -1, p[10] == 1 ? 3 : 1}) hostile.push_back(patched(p, 10, i16(kind)));
    for (const std::int16_t count : {0, -1, 257, 2 * 60, 3}) hostile.push_back(patched(p, source.count, i16(count)));
    hostile.push_back(p);
    hostile.back().push_back(0);
    for (std::size_t i = 0; i < hostile.size(); ++i)
      EXPECT_TRUE(refused(hostile[i], PasteResult::Outcome::Refused)) << "case " << i;
    // The payload itself is good: the loops above refused only what they broke.
    EXPECT_TRUE(PasteSelection(room, p, std::nullopt, {}).Pasted());
    room.ClearRoom();
  }
  EXPECT_TRUE(host.errors.empty());
}

TEST_F(Clipboard, ThePlainTextCopyIsTheDumpOfTheSelectedObjects) {
  using Json = nlohmann::ordered_json;
  const Json dump = RoomToJson(room);
  const TSelection lights = AllLights();
  EXPECT_EQ(Json::parse(SelectionText(room, lights)), (Json{{"lights", dump["lights"]}}));
  EXPECT_EQ(Json::parse(SelectionText(room, AllEntities())), (Json{{"entities", dump["entities"]}}));
  TSelection surface;
  surface.Set(Kind::Surfaces, *AllSurfaces().Slots().rbegin());
  EXPECT_EQ(Json::parse(SelectionText(room, surface))["surfaces"], Json::array({dump["surfaces"].back()}));
  TSelection fields;
  fields.SetFields({58, 0, 59, 1});
  const Json text = Json::parse(SelectionText(room, fields));
  EXPECT_EQ(text["fieldRect"], (Json{{"minX", 58}, {"minZ", 0}, {"maxX", 59}, {"maxZ", 1}}));
  const Json& all = dump["fields"];
  EXPECT_EQ(text["fields"], Json::array({all[58 * 60], all[58 * 60 + 1], all[59 * 60], all[59 * 60 + 1]}));
  EXPECT_EQ(SelectionText(room, TSelection{}), "");
}

}  // namespace
