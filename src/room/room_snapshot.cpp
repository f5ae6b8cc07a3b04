#include "room/room_snapshot.h"

#include "core/binary_io.h"
#include "entities/edit_entity.h"
#include "entities/entity_registry.h"
#include "room/edit_room.h"

namespace {

using Record = RoomSnapshot::Record;

// Where each record lies in a snapshot: the head, the field columns, then the slots.
constexpr std::size_t HeadRecord = 0;
constexpr std::size_t FirstColumn = 1;
constexpr std::size_t FirstLight = FirstColumn + TRoom::GridSize;
constexpr std::size_t FirstEntity = FirstLight + TRoom::LightSlots;
constexpr std::size_t FirstSurface = FirstEntity + TRoom::EntitySlots;
constexpr std::size_t RecordCount = FirstSurface + TRoom::SurfaceSlots;

struct SlotRange {
  std::size_t first;
  std::size_t count;
};
constexpr SlotRange SlotRanges[] = {
    {FirstLight, TRoom::LightSlots}, {FirstEntity, TRoom::EntitySlots}, {FirstSurface, TRoom::SurfaceSlots}};

bool SameBytes(const Record& a, const Record& b) { return a == b || (a && b && *a == *b); }

std::size_t SizeOf(const Record& record) { return record ? record->size() : 0; }

// The entity of a record in its own slot, as the room reader makes one in the next.
// Its fields come back exactly as they were: the kinds' own readers also mend what
// old files lack (a camera without a zone gets one), which would not be the room
// the snapshot was taken of.
void PlaceEntity(TRoom& room, std::size_t slot, BinaryReader& in) {
  std::unique_ptr<TEntity> entity = CreateEntity(room.Engine, in.ReadI16());
  if (!entity) throw ReadError("entity typus without a class");
  entity->SlotIndex = static_cast<std::int16_t>(slot);
  entity->ReadCommon(in);
  entity->TEntity::ReadRecord(in);
  room.PutEntity(slot, std::move(entity));
}

}  // namespace

RoomSnapshot RoomSnapshot::Take(TRoom& room, const RoomSnapshot* previous) {
  RoomSnapshot snapshot;
  snapshot.records_.resize(RecordCount);
  BinaryWriter out;
  // One buffer for all records; only a record that differs from before is copied out.
  const auto keep = [&](std::size_t index) {
    const Record* before = previous ? &previous->records_[index] : nullptr;
    if (before && *before && **before == out.Bytes()) {
      snapshot.records_[index] = *before;
    } else {
      snapshot.records_[index] = std::make_shared<const std::vector<std::uint8_t>>(out.Bytes());
    }
    out.Clear();
  };
  room.WriteHead(out);
  keep(HeadRecord);
  for (int x = 0; x < TRoom::GridSize; ++x) {
    for (int z = 0; z < TRoom::GridSize; ++z) room.FieldOf(x, z).WriteRecord(out);
    keep(FirstColumn + static_cast<std::size_t>(x));
  }
  for (std::size_t i = 0; i < room.Lights.size(); ++i) {
    if (!room.Lights[i].InUse()) continue;
    room.Lights[i].WriteRecord(out);
    keep(FirstLight + i);
  }
  for (std::size_t i = 0; i < room.Entities.size(); ++i) {
    if (!room.Entities[i]->InUse()) continue;
    TRoom::WriteEntity(*room.Entities[i], out);
    keep(FirstEntity + i);
  }
  for (std::size_t i = 0; i < room.Surfaces.size(); ++i) {
    if (!room.Surfaces[i]->InUse()) continue;
    room.Surfaces[i]->WriteRecord(out);
    keep(FirstSurface + i);
  }
  return snapshot;
}

void RoomSnapshot::Restore(TRoom& room, const RoomSnapshot& current) const {
  const auto differs = [&](std::size_t index) { return !SameBytes(records_[index], current.records_[index]); };
  const bool head = differs(HeadRecord);
  if (head) {
    BinaryReader in(*records_[HeadRecord]);
    room.ReadHead(in);
  }
  for (int x = 0; x < TRoom::GridSize; ++x) {
    const std::size_t index = FirstColumn + static_cast<std::size_t>(x);
    if (!differs(index)) continue;
    BinaryReader in(*records_[index]);
    for (int z = 0; z < TRoom::GridSize; ++z) room.FieldOf(x, z).ReadRecord(in);
  }
  for (std::size_t i = 0; i < room.Lights.size(); ++i) {
    if (!differs(FirstLight + i)) continue;
    room.Lights[i].ResetLight();
    if (const Record& record = records_[FirstLight + i]) {
      BinaryReader in(*record);
      room.Lights[i].ReadRecord(in);
    }
  }
  bool entities = false;
  for (std::size_t i = 0; i < room.Entities.size(); ++i) {
    if (!differs(FirstEntity + i)) continue;
    entities = true;
    if (const Record& record = records_[FirstEntity + i]) {
      BinaryReader in(*record);
      PlaceEntity(room, i, in);
    } else {
      room.PutEntity(i, std::make_unique<TEntity>(room.Engine));
    }
  }
  for (std::size_t i = 0; i < room.Surfaces.size(); ++i) {
    if (!differs(FirstSurface + i)) continue;
    if (const Record& record = records_[FirstSurface + i]) {
      BinaryReader in(*record);
      room.Surfaces[i]->ReadRecord(in);
    } else {
      // A free slot is reset again before it is used, resolution included.
      room.Surfaces[i]->Reset(std::nullopt);
    }
  }
  // The selections may name objects the restore removed: the tool in hand starts afresh.
  room.Cursor.SetMode(room.Cursor.Mode);
  room.CountLights();
  room.CountEntities();
  room.CountSurfaces();
  // New tile names need their models; renamed or replaced entities need their links.
  if (head) {
    room.ReloadResources();
  } else if (entities) {
    room.BindEntities();
  }
}

std::vector<std::uint8_t> RoomSnapshot::Image() const {
  BinaryWriter out;
  for (std::size_t i = HeadRecord; i < FirstLight; ++i) out.WriteBytes(*records_[i]);
  for (const SlotRange& range : SlotRanges) {
    std::int16_t count = 0;
    for (std::size_t i = range.first; i < range.first + range.count; ++i) count += records_[i] ? 1 : 0;
    out.WriteI16(count);
    for (std::size_t i = range.first; i < range.first + range.count; ++i)
      if (records_[i]) out.WriteBytes(*records_[i]);
  }
  return out.Take();
}

RoomSnapshot::Change RoomSnapshot::ChangeFrom(const RoomSnapshot& before) const {
  Change change;
  change.head = !SameBytes(records_[HeadRecord], before.records_[HeadRecord]);
  for (std::size_t i = FirstColumn; i < FirstLight; ++i)
    change.fields = change.fields || !SameBytes(records_[i], before.records_[i]);
  for (int kind = 0; kind < 3; ++kind) {
    const SlotRange& range = SlotRanges[kind];
    for (std::size_t i = range.first; i < range.first + range.count; ++i) {
      const Record &was = before.records_[i], &is = records_[i];
      if (SameBytes(was, is)) continue;
      int* counts = !was ? change.added : !is ? change.removed : change.changed;
      ++counts[kind];
    }
  }
  return change;
}

bool RoomSnapshot::operator==(const RoomSnapshot& other) const {
  for (std::size_t i = 0; i < RecordCount; ++i)
    if (!SameBytes(records_[i], other.records_[i])) return false;
  return true;
}

std::size_t RoomSnapshot::TableBytes() { return RecordCount * sizeof(Record); }

std::size_t RoomSnapshot::Bytes() const {
  std::size_t bytes = TableBytes();
  for (const Record& record : records_) bytes += SizeOf(record);
  return bytes;
}

std::size_t RoomSnapshot::BytesNotIn(const RoomSnapshot& other) const {
  std::size_t bytes = TableBytes();
  for (std::size_t i = 0; i < RecordCount; ++i)
    if (records_[i] != other.records_[i]) bytes += SizeOf(records_[i]);
  return bytes;
}
