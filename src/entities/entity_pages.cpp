#include "entities/entity_pages.h"

#include <algorithm>

#include "entities/dialog_visitors.h"
#include "entities/edit_entity.h"
#include "entities/entity_registry.h"
#include "entities/entity_typus.h"
#include "entities/record_fields.h"

namespace {

// The kinds in the order of their pages.
constexpr std::int16_t PageOrder[] = {
    typus::Tile,      typus::Door,   typus::TileMover, typus::Trigger, typus::TouchField, typus::Message,
    typus::Control,   typus::Marker, typus::Spawner,   typus::Variable, typus::SavePoint, typus::Camera,
    typus::Sound,     typus::Animation, typus::Item,   typus::Portal,  typus::Mutant,     typus::ClawShrimp,
    typus::Grass,     typus::Fire,   typus::Fountain,  typus::Rain,    typus::Explosion};

constexpr int LongText = 255;
constexpr int ShortText = 32;

class PageCollector : public RecordVisitor {
public:
  explicit PageCollector(std::vector<EntityPage>& pages) : pages_(pages) {}

  void Page(std::string_view sheet, std::string_view caption) override {
    const bool known = std::any_of(pages_.begin(), pages_.end(), [&](const EntityPage& page) { return page.sheet == sheet; });
    page_ = known ? nullptr : &pages_.emplace_back(EntityPage{std::string(sheet), std::string(caption), {}});
  }
  void Number(float&, const FieldInfo& field) override { Add(field.control, PageControlKind::Edit, field.label); }
  void Number(std::int16_t&, const FieldInfo& field) override { Add(field.control, PageControlKind::Edit, field.label); }
  void Vector(TVector&, const FieldInfo& field) override {
    for (const char* axis : {"X", "Y", "Z"})
      Add(std::string(field.control) + axis, PageControlKind::Edit, *axis == 'X' ? field.label : "");
  }
  void List(std::int16_t&, const FieldInfo& field) override {
    Add(field.control, PageControlKind::ListIndex, field.label);
  }
  void Check(bool&, const FieldInfo& field) override { Add(field.control, PageControlKind::Check, field.label); }
  void Byte(std::uint8_t&, const FieldInfo&) override {}  // no kind has one
  void Text(String32&, const FieldInfo& field) override { AddText(field.control, field.label, ShortText); }
  void Text(String255&, const FieldInfo& field) override { AddText(field.control, field.label, LongText); }
  void Names(std::span<String32> values, const FieldInfo& field) override {
    for (std::size_t i = 0; i < values.size(); ++i)
      AddText(NumberedControl(field.control, i), std::string(field.label) + " " + std::to_string(i + 1) + ":", ShortText);
  }
  void Variable(std::int16_t&, std::int16_t&, std::int16_t&, const VariableBoxes& boxes) override {
    Add(boxes.variableBox, PageControlKind::ListIndex, boxes.variableLabel, ShortText, boxes.valueBox);
    Add(boxes.modeBox, PageControlKind::ListIndex, boxes.modeLabel);
    Add(boxes.valueBox, PageControlKind::ListIndex, "");
  }
  void Gap(std::size_t) override {}

private:
  void Add(std::string_view control, PageControlKind kind, std::string_view label, int maxLength = ShortText,
           std::string_view valueBox = {}) {
    if (page_) page_->controls.push_back({std::string(control), kind, std::string(label), maxLength, std::string(valueBox)});
  }
  // By the naming rule of the controls: "CB..." boxes offer names, "Edit..." take text.
  void AddText(std::string_view control, std::string_view label, int capacity) {
    Add(control, control.starts_with("CB") ? PageControlKind::NameBox : PageControlKind::Edit, label, capacity);
  }

  std::vector<EntityPage>& pages_;
  EntityPage* page_ = nullptr;
};

}  // namespace

std::vector<EntityPage> DescribeEntityPages(TQZEngine& engine) {
  std::vector<EntityPage> pages;
  PageCollector collector(pages);
  for (const std::int16_t kind : PageOrder)
    if (const auto prototype = CreateEntity(engine, kind)) prototype->VisitFields(collector);
  return pages;
}
