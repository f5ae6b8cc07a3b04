#pragma once
// A record's stored fields as a flat list with their offsets and widths, collected by
// walking the record's VisitFields: the room file's complete JSON form and its format
// page are both built from these lists, so neither can drift from the reader.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "entities/record_fields.h"

class TEntity;
class TRoom;

enum class StoredType {
  Int16,     // i16
  Byte,      // u8
  Bool,      // u8, 0 or 1
  Float,     // f32
  Vector,    // 3 x f32
  Text,      // length byte and `capacity` characters
  Texts,     // `count` texts of `capacity` characters
  Variable,  // 3 x i16
  Gap,       // `size` bytes between fields, zeros
};

struct StoredField {
  std::string key;  // the field's name; a gap is "gapAfter" and the field before it
  StoredType type;
  std::size_t offset = 0;    // from the start of the record
  std::size_t size = 0;      // bytes
  std::size_t capacity = 0;  // Text, Texts: characters of each text
  std::size_t count = 1;     // Texts: how many
  bool list = false;         // Int16: an item index of a list
  bool colour = false;       // Vector: red, green, blue
  FieldInfo info;            // the description's own words (control, label, offers)
  VariableBoxes boxes;       // Variable: its three list boxes
};

using RecordLayout = std::vector<StoredField>;

// The fields the description visits, in stored order.
RecordLayout CollectLayout(const std::function<void(RecordVisitor&)>& visit);
std::size_t RecordSize(const RecordLayout& layout);

// Every record of the room file, collected once from the room's own objects; an entity
// kind's from an object of its class, made on first use.
class RoomLayouts {
public:
  explicit RoomLayouts(TRoom& room);
  ~RoomLayouts();

  RecordLayout attributes, field, light, surface, corner, common;

  struct Kind {
    std::unique_ptr<TEntity> prototype;
    RecordLayout body;
  };
  // Nothing when the typus has no class.
  const Kind* KindOf(std::int16_t typus);

private:
  TRoom& room_;
  std::map<std::int16_t, Kind> kinds_;
};
