#include "tool/room_text.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <set>

#include "core/binary_io.h"
#include "entities/edit_entity.h"
#include "room/edit_room.h"
#include "tool/json_text.h"
#include "tool/record_layout.h"

// From the JSON to the bytes: every value checked as the room reader checks a file,
// each failure naming its key.

using Json = nlohmann::ordered_json;

namespace room_text {
namespace {

constexpr std::string_view Stored = "storedBytes";
constexpr std::size_t Corners = 4;

std::string Key(const std::string& at, std::string_view key) {
  return at.empty() ? std::string(key) : at + "." + std::string(key);
}
std::string Index(const std::string& at, std::size_t i) { return at + "[" + std::to_string(i) + "]"; }

[[noreturn]] void Fail(const std::string& at, const std::string& what) { throw Error(at + ": " + what); }

std::string Shown(const Json& value) {
  if (value.is_object()) return "an object";
  if (value.is_array()) return "a list of " + std::to_string(value.size());
  std::string text = value.dump();
  if (text.size() > 40) text = text.substr(0, 37) + "...";
  return text;
}

long long WholeNumber(const Json& value, const std::string& at, long long low, long long high) {
  if (value.is_number_unsigned()) {
    const auto n = value.get<std::uint64_t>();
    if (n <= static_cast<std::uint64_t>(high)) return static_cast<long long>(n);
  } else if (value.is_number_integer()) {
    const auto n = value.get<std::int64_t>();
    if (n >= low && n <= high) return n;
  }
  Fail(at, Shown(value) + " is not a whole number from " + std::to_string(low) + " to " + std::to_string(high));
}

std::int16_t ToInt16(const Json& value, const std::string& at) {
  return static_cast<std::int16_t>(WholeNumber(value, at, -32768, 32767));
}

float ToFloat(const Json& value, const std::string& at) {
  if (value.is_number()) {
    const double d = value.get<double>();
    if (!(std::fabs(d) <= FLT_MAX)) Fail(at, Shown(value) + " is beyond the range of a 32-bit float");
    return static_cast<float>(d);
  }
  if (value.is_string()) {
    const auto& text = value.get_ref<const std::string&>();
    if (text == "Infinity") return INFINITY;
    if (text == "-Infinity") return -INFINITY;
    if (text == "NaN") return std::bit_cast<float>(0x7fc00000u);
    constexpr std::string_view bitsPrefix = "NaN:0x";
    if (text.size() == bitsPrefix.size() + 8 && text.starts_with(bitsPrefix) &&
        text.find_first_not_of("0123456789abcdef", bitsPrefix.size()) == std::string::npos) {
      const float nan = std::bit_cast<float>(static_cast<std::uint32_t>(std::stoul(text.substr(bitsPrefix.size()), nullptr, 16)));
      if (std::isnan(nan)) return nan;
    }
  }
  Fail(at, Shown(value) + " is not a number (nor \"NaN\", \"NaN:0x<8 hex digits>\", \"Infinity\", \"-Infinity\")");
}

const Json& ListOf(const Json& value, const std::string& at, std::size_t size, std::string_view what) {
  if (!value.is_array() || value.size() != size)
    Fail(at, Shown(value) + ", not a list of " + std::to_string(size) + " " + std::string(what));
  return value;
}

std::vector<std::uint8_t> Bytes(const Json& value, const std::string& at) {
  if (value.is_string())
    if (auto bytes = json_text::FromBase64(value.get_ref<const std::string&>())) return std::move(*bytes);
  Fail(at, Shown(value) + " is not base64");
}

// A record's "storedBytes": each entry is taken by the field it belongs to, and an
// entry no field took is an error.
class StoredEntries {
public:
  StoredEntries(const Json* entries, std::string at) : entries_(entries), at_(std::move(at)) {
    if (entries_ && !entries_->is_object()) Fail(at_, Shown(*entries_) + " is not an object");
  }
  const Json* Take(const std::string& key) {
    if (!entries_) return nullptr;
    const auto found = entries_->find(key);
    if (found == entries_->end()) return nullptr;
    taken_.insert(key);
    return &*found;
  }
  std::string At(std::string_view key) const { return Key(at_, key); }
  void Finish(std::string_view what) const {
    if (!entries_) return;
    for (const auto& [key, value] : entries_->items())
      if (!taken_.contains(key)) Fail(At(key), "no stored bytes of that name in " + std::string(what));
  }

private:
  const Json* entries_;
  std::string at_;
  std::set<std::string, std::less<>> taken_;
};

void WriteText(BinaryWriter& out, const Json& value, std::size_t capacity, const std::string& at, StoredEntries* stored,
               const std::string& key) {
  if (!value.is_string()) Fail(at, Shown(value) + " is not a text");
  const auto text = json_text::Latin1(value.get_ref<const std::string&>());
  if (!text) Fail(at, "holds a character beyond Latin-1 (the game's texts are 8-bit)");
  if (text->size() > capacity)
    Fail(at, std::to_string(text->size()) + " characters; at most " + std::to_string(capacity) + " fit");
  std::uint8_t length = static_cast<std::uint8_t>(text->size());
  std::vector<std::uint8_t> chars(capacity, 0);
  if (const Json* extra = stored ? stored->Take(key) : nullptr) {
    const std::string extraAt = stored->At(key);
    if (!extra->is_object()) Fail(extraAt, Shown(*extra) + " is not an object");
    for (const auto& [name, entry] : extra->items()) {
      if (name == "lengthByte") {
        length = static_cast<std::uint8_t>(WholeNumber(entry, Key(extraAt, name), static_cast<long long>(capacity) + 1, 255));
        if (text->size() != capacity)
          Fail(Key(extraAt, name), "a length byte above the capacity goes with a text of all " +
                                       std::to_string(capacity) + " characters, not " + std::to_string(text->size()));
      } else if (name == "after") {
        const auto after = Bytes(entry, Key(extraAt, name));
        if (after.size() > capacity)
          Fail(Key(extraAt, name), std::to_string(after.size()) + " bytes; the text holds " + std::to_string(capacity));
        std::copy(after.begin(), after.end(), chars.end() - static_cast<std::ptrdiff_t>(after.size()));
      } else {
        Fail(Key(extraAt, name), "no such stored part of a text (\"lengthByte\", \"after\")");
      }
    }
  }
  std::copy(text->begin(), text->end(), chars.begin());
  out.WriteU8(length);
  out.WriteBytes(chars);
}

void WriteValue(BinaryWriter& out, const StoredField& field, const Json& value, const std::string& at,
                StoredEntries* stored) {
  switch (field.type) {
    case StoredType::Int16: out.WriteI16(ToInt16(value, at)); return;
    case StoredType::Byte: out.WriteU8(static_cast<std::uint8_t>(WholeNumber(value, at, 0, 255))); return;
    case StoredType::Bool: {
      if (!value.is_boolean()) Fail(at, Shown(value) + " is not true or false");
      std::uint8_t byte = value.get<bool>() ? 1 : 0;
      if (const Json* extra = stored ? stored->Take(field.key) : nullptr) {
        byte = static_cast<std::uint8_t>(WholeNumber(*extra, stored->At(field.key), 2, 255));
        if (!value.get<bool>()) Fail(at, "false, but its stored byte is " + std::to_string(byte) + ", which reads as true");
      }
      out.WriteU8(byte);
      return;
    }
    case StoredType::Float: out.WriteF32(ToFloat(value, at)); return;
    case StoredType::Vector:
      for (std::size_t i = 0; i < 3; ++i) out.WriteF32(ToFloat(ListOf(value, at, 3, "numbers")[i], Index(at, i)));
      return;
    case StoredType::Text: WriteText(out, value, field.capacity, at, stored, field.key); return;
    case StoredType::Texts:
      ListOf(value, at, field.count, "texts");
      for (std::size_t i = 0; i < field.count; ++i)
        WriteText(out, value[i], field.capacity, Index(at, i), stored, Index(field.key, i));
      return;
    case StoredType::Variable:
      for (std::size_t i = 0; i < 3; ++i) out.WriteI16(ToInt16(ListOf(value, at, 3, "list indices")[i], Index(at, i)));
      return;
    case StoredType::Gap: break;  // no value: WriteGap
  }
}

void WriteGap(BinaryWriter& out, const StoredField& gap, StoredEntries& stored) {
  const Json* extra = stored.Take(gap.key);
  const auto bytes = extra ? Bytes(*extra, stored.At(gap.key)) : std::vector<std::uint8_t>(gap.size, 0);
  if (bytes.size() != gap.size)
    Fail(stored.At(gap.key), std::to_string(bytes.size()) + " bytes; the gap holds " + std::to_string(gap.size));
  out.WriteBytes(bytes);
}

// One JSON object written as records: its keys are taken by the fields, and a key no
// field took is an error.
class JsonRecord {
public:
  JsonRecord(const Json& object, std::string at)
      : object_(Object(object, at)), at_(std::move(at)), stored_(Find(Stored), Key(at_, Stored)) {}

  const std::string& At() const { return at_; }
  std::string At(std::string_view key) const { return Key(at_, key); }
  StoredEntries& StoredBytes() { return stored_; }

  const Json& Value(std::string_view key) {
    if (const Json* found = Find(key)) return *found;
    Fail(At(key), "missing; every stored field is given");
  }
  const Json* Find(std::string_view key) {
    const auto found = object_.find(key);
    if (found == object_.end()) return nullptr;
    taken_.emplace(key);
    return &*found;
  }

  void Write(BinaryWriter& out, const RecordLayout& layout) {
    for (const StoredField& field : layout) {
      if (field.type == StoredType::Gap)
        WriteGap(out, field, stored_);
      else
        WriteValue(out, field, Value(field.key), At(field.key), &stored_);
    }
  }

  // Every key taken; `what` is the record, for the message.
  void Finish(std::string_view what) const {
    for (const auto& [key, value] : object_.items())
      if (!taken_.contains(key)) Fail(At(key), "no field of that name in " + std::string(what));
    stored_.Finish(what);
  }

private:
  static const Json& Object(const Json& value, const std::string& at) {
    if (!value.is_object()) Fail(at.empty() ? "the JSON" : at, Shown(value) + " is not an object");
    return value;
  }

  const Json& object_;
  std::string at_;
  std::set<std::string, std::less<>> taken_;
  StoredEntries stored_;
};

const Json& Table(const Json& value, const std::string& at, std::size_t slots, std::string_view what) {
  if (!value.is_array()) Fail(at, Shown(value) + " is not a list");
  if (value.size() > slots)
    Fail(at, std::to_string(value.size()) + " " + std::string(what) + "; the room holds at most " + std::to_string(slots));
  return value;
}

void WriteFields(BinaryWriter& out, const Json& value, const RecordLayout& layout) {
  if (!value.is_array() || value.size() != static_cast<std::size_t>(TRoom::FieldCount))
    Fail("fields", Shown(value) + ", not a list of " + std::to_string(TRoom::FieldCount) +
                       " fields (60 x 60, column by column)");
  std::string values = "values (";
  for (const auto& field : layout) values += (&field == &layout.front() ? "" : ", ") + field.key;
  values += ")";
  for (std::size_t i = 0; i < value.size(); ++i) {
    const std::string at = Index("fields", i);
    ListOf(value[i], at, layout.size(), values);
    for (std::size_t f = 0; f < layout.size(); ++f)
      WriteValue(out, layout[f], value[i][f], Index(at, f) + " (" + layout[f].key + ")", nullptr);
  }
}

void WriteEntity(BinaryWriter& out, const Json& value, const std::string& at, RoomLayouts& layouts) {
  JsonRecord entity(value, at);
  const std::int16_t typus = ToInt16(entity.Value("Typus"), entity.At("Typus"));
  const RoomLayouts::Kind* kind = layouts.KindOf(typus);
  if (!kind) Fail(entity.At("Typus"), std::to_string(typus) + " is no entity kind");
  const std::string className(kind->prototype->ClassName());
  if (const Json* given = entity.Find("Class"); given && *given != className)
    Fail(entity.At("Class"), Shown(*given) + " is not the class of typus " + std::to_string(typus) + " (" + className + ")");
  entity.Find("Links");  // derived from the names when the room is loaded
  out.WriteI16(typus);
  entity.Write(out, layouts.common);
  entity.Write(out, kind->body);
  entity.Finish("a " + className + " entity");
}

void WriteSurface(BinaryWriter& out, const Json& value, const std::string& at, RoomLayouts& layouts) {
  JsonRecord surface(value, at);
  surface.Write(out, layouts.surface);
  std::size_t pixels = 3;
  for (const char* extent : {"lightMapWidth", "lightMapHeight"}) {
    const std::int16_t size = ToInt16(surface.Value(extent), surface.At(extent));
    if (!TSurface::FitsLightMap(size))
      Fail(surface.At(extent), std::to_string(size) + " texels; a light map has 0 to " +
                                   std::to_string(TSurface::MaxLightMapSize));
    pixels *= static_cast<std::size_t>(size);
  }
  const std::string cornersAt = surface.At("corners");
  const Json& corners = ListOf(surface.Value("corners"), cornersAt, Corners, "corners");
  for (std::size_t i = 0; i < Corners; ++i) {
    JsonRecord corner(corners[i], Index(cornersAt, i));
    corner.Write(out, layouts.corner);
    corner.Finish("a corner");
  }
  if (!surface.Find("lightMapPixels"))
    Fail(surface.At("lightMapPixels"), "missing; the plain dump has no pixels, dump --complete has");
  const Json& map = surface.Value("lightMapPixels");
  // The length is checked before anything is decoded.
  if (!map.is_string() || map.get_ref<const std::string&>().size() != (pixels + 2) / 3 * 4)
    Fail(surface.At("lightMapPixels"), "not the base64 of " + std::to_string(pixels) + " bytes (width x height x 3)");
  out.WriteBytes(Bytes(map, surface.At("lightMapPixels")));
  surface.Find("lightMapSha256");  // derived from the pixels
  surface.Finish("a surface");
}

}  // namespace

std::vector<std::uint8_t> BuildRoomFile(TRoom& room, const Json& json) {
  RoomLayouts layouts(room);
  BinaryWriter out;
  JsonRecord top(json, "");
  StoredEntries& stored = top.StoredBytes();

  if (const Json* header = stored.Take("header")) {
    const auto bytes = Bytes(*header, stored.At("header"));
    if (bytes.size() != TRoom::HeaderSize)
      Fail(stored.At("header"), std::to_string(bytes.size()) + " bytes; the header is " + std::to_string(TRoom::HeaderSize));
    out.WriteBytes(bytes);
  } else {
    out.WriteBytes(TRoom::StandardHeader());
  }

  JsonRecord attributes(top.Value("room"), "room");
  attributes.Write(out, layouts.attributes);
  attributes.Finish("the room's attributes");
  WriteFields(out, top.Value("fields"), layouts.field);

  const Json& lights = Table(top.Value("lights"), "lights", TRoom::LightSlots, "lights");
  out.WriteI16(static_cast<std::int16_t>(lights.size()));
  for (std::size_t i = 0; i < lights.size(); ++i) {
    JsonRecord light(lights[i], Index("lights", i));
    light.Write(out, layouts.light);
    light.Finish("a light");
  }

  const Json& entities = Table(top.Value("entities"), "entities", TRoom::EntitySlots, "entities");
  out.WriteI16(static_cast<std::int16_t>(entities.size()));
  for (std::size_t i = 0; i < entities.size(); ++i) WriteEntity(out, entities[i], Index("entities", i), layouts);

  const Json& surfaces = Table(top.Value("surfaces"), "surfaces", TRoom::SurfaceSlots, "surfaces");
  bool surfaceBlock = true;
  if (const Json* block = stored.Take("surfaceBlock")) {
    if (!block->is_boolean()) Fail(stored.At("surfaceBlock"), Shown(*block) + " is not true or false");
    surfaceBlock = block->get<bool>();
    if (!surfaceBlock && !surfaces.empty())
      Fail(stored.At("surfaceBlock"), "false, but the room has surfaces");
  }
  if (surfaceBlock) {
    out.WriteI16(static_cast<std::int16_t>(surfaces.size()));
    for (std::size_t i = 0; i < surfaces.size(); ++i) WriteSurface(out, surfaces[i], Index("surfaces", i), layouts);
  }
  if (const Json* trailing = stored.Take("trailing")) {
    if (!surfaceBlock) Fail(stored.At("trailing"), "bytes after the surfaces, but there is no surface block");
    out.WriteBytes(Bytes(*trailing, stored.At("trailing")));
    if (out.Bytes().size() > TRoom::MaxFileSize())
      Fail(stored.At("trailing"), "the file would be longer than any room file (" +
                                      std::to_string(TRoom::MaxFileSize()) + " bytes), which the reader refuses");
  }
  top.Finish("a room");
  return out.Take();
}

Json ParseJson(std::string_view text) {
  // Where the parser is, so that a key given twice can be named with its path.
  struct Frame {
    bool list = false;
    std::size_t index = 0;
    std::string key;
    std::set<std::string, std::less<>> keys;
  };
  std::vector<Frame> frames;
  const auto path = [&] {
    std::string at;
    for (std::size_t i = 0; i + 1 < frames.size(); ++i)
      at = frames[i].list ? Index(at, frames[i].index) : Key(at, frames[i].key);
    return at;
  };
  const auto valueDone = [&] {
    if (!frames.empty() && frames.back().list) ++frames.back().index;
  };
  using Event = nlohmann::ordered_json::parse_event_t;
  const auto track = [&](int, Event event, Json& parsed) {
    switch (event) {
      case Event::object_start: frames.emplace_back(); break;
      case Event::array_start: frames.emplace_back().list = true; break;
      case Event::key: {
        auto key = parsed.get<std::string>();
        frames.back().key = key;
        if (!frames.back().keys.insert(std::move(key)).second) Fail(Key(path(), frames.back().key), "given twice");
        break;
      }
      case Event::object_end:
      case Event::array_end:
        frames.pop_back();
        valueDone();
        break;
      case Event::value: valueDone(); break;
    }
    return true;
  };
  try {
    return Json::parse(text.begin(), text.end(), track);
  } catch (const nlohmann::json::exception& error) {  // a syntax error, or a number past a double's range
    std::string what = error.what();
    if (const auto end = what.find("] "); what.starts_with("[json.exception") && end != std::string::npos)
      what = what.substr(end + 2);
    throw Error("not JSON: " + what);
  }
}

}  // namespace room_text
