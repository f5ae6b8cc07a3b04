#pragma once
// The room's file image cut into records: the head (header, attributes, tile names),
// the field grid a column at a time, and every light, entity and surface slot. Each
// record is held by a shared pointer; a snapshot taken after an edit shares every
// record the edit left alone with the snapshot before it, so keeping many snapshots
// costs only what each edit changed - one surface's light map, not the room's 50 MB.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TRoom;

class RoomSnapshot {
public:
  using Record = std::shared_ptr<const std::vector<std::uint8_t>>;

  // What an edit did, counted by slot; fields and head only say whether they changed.
  struct Change {
    enum Kind { Lights, Entities, Surfaces };
    int added[3] = {};
    int removed[3] = {};
    int changed[3] = {};
    bool head = false;
    bool fields = false;
  };

  // The room as it stands. A record with the same bytes as in `previous` is that
  // record, shared.
  static RoomSnapshot Take(TRoom& room, const RoomSnapshot* previous = nullptr);

  // Brings the room to this snapshot from `current`, the snapshot it is in now: only
  // the records that differ are read back (a surface uploads its light map again only
  // when its record changed), then the entities bind and the counts are shown.
  void Restore(TRoom& room, const RoomSnapshot& current) const;

  // The room file's bytes, as TRoom::SaveToBytes writes them.
  std::vector<std::uint8_t> Image() const;

  Change ChangeFrom(const RoomSnapshot& before) const;
  // Same bytes in every record.
  bool operator==(const RoomSnapshot& other) const;
  // Memory held: the table of records and every record; and the table and the records
  // not shared with `other`.
  std::size_t Bytes() const;
  std::size_t BytesNotIn(const RoomSnapshot& other) const;
  static std::size_t TableBytes();

private:
  std::vector<Record> records_;  // empty for a free slot
};
