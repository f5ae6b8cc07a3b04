#include "tool/record_layout.h"

#include "entities/edit_entity.h"
#include "entities/entity_registry.h"
#include "room/edit_room.h"

namespace {

// Notes each field with its place; the values are never touched.
class LayoutCollector : public StoredFieldVisitor {
public:
  explicit LayoutCollector(RecordLayout& layout) : layout_(layout) {}

  void Number(float&, const FieldInfo& field) override { Add(field, StoredType::Float, 4); }
  void Number(std::int16_t&, const FieldInfo& field) override { Add(field, StoredType::Int16, 2); }
  void Vector(TVector&, const FieldInfo& field) override { Add(field, StoredType::Vector, 12); }
  void Colour(TVector&, const FieldInfo& field) override { Add(field, StoredType::Vector, 12).colour = true; }
  void List(std::int16_t&, const FieldInfo& field) override { Add(field, StoredType::Int16, 2).list = true; }
  void Check(bool&, const FieldInfo& field) override { Add(field, StoredType::Bool, 1); }
  void Byte(std::uint8_t&, const FieldInfo& field) override { Add(field, StoredType::Byte, 1); }
  void Text(String32&, const FieldInfo& field) override { AddText(field, StoredType::Text, 32, 1); }
  void Text(String255&, const FieldInfo& field) override { AddText(field, StoredType::Text, 255, 1); }
  void Names(std::span<String32> values, const FieldInfo& field) override {
    AddText(field, StoredType::Texts, 32, values.size());
  }
  void Texts(std::span<String255> values, const FieldInfo& field) override {
    AddText(field, StoredType::Texts, 255, values.size());
  }
  void Variable(std::int16_t&, std::int16_t&, std::int16_t&, const VariableBoxes& boxes) override {
    Add({boxes.name, boxes.variableBox}, StoredType::Variable, 6).boxes = boxes;
  }
  void Gap(std::size_t bytes) override {
    const std::string before = layout_.empty() ? std::string("Start") : layout_.back().key;
    Add({}, StoredType::Gap, bytes).key = "gapAfter" + before;
  }

private:
  StoredField& Add(const FieldInfo& field, StoredType type, std::size_t size) {
    const std::size_t offset = layout_.empty() ? 0 : layout_.back().offset + layout_.back().size;
    return layout_.emplace_back(StoredField{std::string(field.name), type, offset, size, 0, 1, false, false, field, {}});
  }
  void AddText(const FieldInfo& field, StoredType type, std::size_t capacity, std::size_t count) {
    StoredField& added = Add(field, type, (capacity + 1) * count);
    added.capacity = capacity;
    added.count = count;
  }

  RecordLayout& layout_;
};

}  // namespace

RecordLayout CollectLayout(const std::function<void(RecordVisitor&)>& visit) {
  RecordLayout layout;
  LayoutCollector collector(layout);
  visit(collector);
  return layout;
}

std::size_t RecordSize(const RecordLayout& layout) {
  return layout.empty() ? 0 : layout.back().offset + layout.back().size;
}

RoomLayouts::RoomLayouts(TRoom& room) : room_(room) {
  attributes = CollectLayout([&](RecordVisitor& v) { room.VisitFields(v); });
  field = CollectLayout([&](RecordVisitor& v) { room.Fields.front().VisitFields(v); });
  light = CollectLayout([&](RecordVisitor& v) { room.Lights.front().VisitFields(v); });
  surface = CollectLayout([&](RecordVisitor& v) { room.Surfaces.front()->VisitFields(v); });
  corner = CollectLayout([&](RecordVisitor& v) { room.Surfaces.front()->corners.front().VisitFields(v); });
  TEntity base(room.Engine);
  common = CollectLayout([&](RecordVisitor& v) { base.VisitCommon(v); });
}

RoomLayouts::~RoomLayouts() = default;

const RoomLayouts::Kind* RoomLayouts::KindOf(std::int16_t typus) {
  if (const auto found = kinds_.find(typus); found != kinds_.end()) return found->second.prototype ? &found->second : nullptr;
  Kind& kind = kinds_[typus];
  kind.prototype = CreateEntity(room_.Engine, typus);
  if (!kind.prototype) return nullptr;
  kind.body = CollectLayout([&](RecordVisitor& v) { kind.prototype->VisitFields(v); });
  return &kind;
}
