#include "room/object_list.h"

#include <span>

#include "engine/edit_engine.h"
#include "entities/edit_entity.h"
#include "entities/record_fields.h"
#include "room/edit_room.h"

namespace {

// Room strings are Latin-1: its capitals fold too, except the multiplication sign.
char Fold(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7))
    return static_cast<char>(byte + 0x20);
  return c;
}

void AppendFolded(std::string& to, std::string_view text) {
  to += '\n';  // a filter never matches across two fields
  for (const char c : text) to += Fold(c);
}

// An entity's text fields into its search text; numbers stay out, since a digit would
// match nearly every row. The last page begun names the kind.
class SearchTextVisitor : public StoredFieldVisitor {
public:
  explicit SearchTextVisitor(std::string& text) : text_(text) {}

  void Page(std::string_view, std::string_view caption) override { kind = caption; }
  void Number(float&, const FieldInfo&) override {}
  void Number(std::int16_t&, const FieldInfo&) override {}
  void Vector(TVector&, const FieldInfo&) override {}
  void List(std::int16_t&, const FieldInfo&) override {}
  void Check(bool&, const FieldInfo&) override {}
  void Byte(std::uint8_t&, const FieldInfo&) override {}
  void Text(String32& value, const FieldInfo&) override { Add(value.view()); }
  void Text(String255& value, const FieldInfo&) override { Add(value.view()); }
  void Names(std::span<String32> values, const FieldInfo&) override {
    for (const auto& name : values) Add(name.view());
  }
  void Variable(std::int16_t&, std::int16_t&, std::int16_t&, const VariableBoxes&) override {}
  void Gap(std::size_t) override {}

  std::string kind;

private:
  void Add(std::string_view value) {
    if (!value.empty()) AppendFolded(text_, value);
  }

  std::string& text_;
};

ObjectRow Row(TSelection::Kind kind, int slot, std::string_view name, std::string_view kindName, TVector position) {
  ObjectRow row{kind, slot, std::string(name), std::string(kindName), position, {}};
  AppendFolded(row.searchText, name);
  AppendFolded(row.searchText, kindName);
  return row;
}

}  // namespace

std::vector<ObjectRow> ListObjects(const TRoom& room) {
  using Kind = TSelection::Kind;
  std::vector<ObjectRow> rows;
  for (int slot = 0; slot < TRoom::LightSlots; ++slot) {
    const TLight& light = room.Lights[static_cast<std::size_t>(slot)];
    if (light.InUse()) rows.push_back(Row(Kind::Lights, slot, light.Name.view(), "Light", light.Position));
  }
  for (int slot = 0; slot < TRoom::EntitySlots; ++slot) {
    TEntity& entity = *room.Entities[static_cast<std::size_t>(slot)];
    if (!entity.InUse()) continue;
    std::string fields;
    SearchTextVisitor visitor(fields);
    entity.VisitCommon(visitor);
    entity.VisitFields(visitor);
    const std::string kind = visitor.kind.empty() ? std::string(entity.ClassName()) : visitor.kind;
    rows.push_back(Row(Kind::Entities, slot, entity.Name.view(), kind, entity.Position));
    rows.back().searchText += fields;
  }
  for (int slot = 0; slot < TRoom::SurfaceSlots; ++slot) {
    const TSurface& surface = *room.Surfaces[static_cast<std::size_t>(slot)];
    if (!surface.InUse()) continue;
    TVector sum;
    for (const auto& corner : surface.corners) sum = TQZEngine::Add(sum, corner.position);
    rows.push_back(Row(Kind::Surfaces, slot, surface.name.view(), "Surface", TQZEngine::Scale(sum, 0.25f)));
    AppendFolded(rows.back().searchText, surface.textureName.view());
  }
  return rows;
}

bool Matches(const ObjectRow& row, std::string_view filter) {
  std::string folded;
  for (const char c : filter) folded += Fold(c);
  return row.searchText.find(folded) != std::string::npos;
}
