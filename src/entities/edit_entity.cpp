#include "entities/edit_entity.h"

#include <algorithm>

#include "engine/edit_engine.h"
#include "entities/dialog_visitors.h"
#include "entities/entity_model_actions.h"
#include "entities/record_visitors.h"
#include "models/edit_model.h"
#include "room/edit_room.h"

namespace {
// How close the cursor must come to an entity (or its model's box) to pick it.
constexpr float PickMargin = 0.25f;
}  // namespace

TEntity::TEntity(TQZEngine& engine) : Engine(engine) { Links.fill(-1); }

TEntity::TEntity(TQZEngine& engine, const Kind& kind) : TEntity(engine) {
  Name = kind.name;
  Typus = kind.typus;
  ModelName = kind.model;
  Visible = kind.visible;
}

TRoom& TEntity::Room() const { return *Engine.Room; }

void TEntity::VisitFields(RecordVisitor&) {}
void TEntity::Animate() {}

void TEntity::FillDialog(Form& form) {
  DialogFiller filler(*this, Engine, form);
  VisitFields(filler);
}

void TEntity::ReadDialog(Form& form) {
  DialogReader reader(Engine, form);
  VisitFields(reader);
}

void TEntity::WriteRecord(BinaryWriter& file) {
  RecordWriter writer(file);
  VisitFields(writer);
}

void TEntity::ReadRecord(BinaryReader& file) {
  RecordReader reader(file);
  VisitFields(reader);
}

void TEntity::Bind() {
  ResolveModel();
  ClearLinks();
  LinkFields();
}

void TEntity::LinkFields() {
  FieldLinker linker(*this);
  VisitFields(linker);
}

void TEntity::WriteTypus(BinaryWriter& file) const { file.WriteI16(Typus); }
void TEntity::ReadTypus(BinaryReader& file) { Typus = file.ReadI16(); }

void TEntity::VisitCommon(RecordVisitor& visitor) {
  visitor.Text(Name, {"Name", "EditName"});
  visitor.Vector(Position, {"Position", "EditPos"});
  visitor.Vector(Rotation, {"Rotation", "EditRot"});
  visitor.Text(ModelName, {"ModelName", "CBModel", {}, {}, offers::Models});
  visitor.Number(Health, {"Health", "EditHealth"});
  visitor.Check(Active, {"Active", "CheckBoxActive"});
  visitor.Number(Size, {"Size", "EditSize"});
  visitor.Check(Visible, {"Visible", "CheckBoxVisible"});
  visitor.Check(ApplyLighting, {"ApplyLighting", "CheckBoxApplyLighting"});
  visitor.Colour(Color, {"Color", "Edit"});
  visitor.List(BlendingMode, {"BlendingMode", "CBBlendingMode"});
  visitor.Number(Density, {.name = "Density", .control = "EditDensity", .digits = 4});
  visitor.List(ShadowTypus, {"ShadowTypus", "CBShadowTypus"});
  visitor.Number(ShadowRadius, {"ShadowRadius", "EditShadowRadius"});
  visitor.Text(AnimName, {"AnimName", "EditAnimName"});
  visitor.List(AnimDirection, {"AnimDirection", "CBAnimDirection"});
  visitor.Number(AnimSpeed, {"AnimSpeed", "EditAnimSpeed"});
  visitor.Check(AnimLoop, {"AnimLoop", "CheckBoxAnimLoop"});
}

void TEntity::WriteCommon(BinaryWriter& file) const {
  RecordWriter writer(file);
  // The writer only reads the fields.
  const_cast<TEntity&>(*this).VisitCommon(writer);
}

void TEntity::ReadCommon(BinaryReader& file) {
  RecordReader reader(file);
  VisitCommon(reader);
}

bool TEntity::IsShown() const {
  return Visible || Engine.GetHost().GetForm(FormId::Main).Checked("ShowInvisibleEntities1");
}

void TEntity::ResolveModel() {
  ModelIndex = Engine.ModelEngine ? Engine.ModelEngine->FindModel(ModelName) : std::int16_t{-1};
}

const TVEModel* TEntity::GetModel() const {
  if (ModelIndex < 0 || !Engine.ModelEngine) return nullptr;
  return Engine.ModelEngine->GetModel(ModelIndex);
}

void TEntity::ClearLinks() { Links.fill(-1); }

void TEntity::AddLink(String32& reference) {
  const auto& cursor = Room().Cursor;
  if (!cursor.OldEntityName.empty() && reference == cursor.OldEntityName) reference = cursor.NewEntityName;

  auto entry = std::find(Links.begin(), Links.end(), std::int16_t{-1});
  if (entry == Links.end()) return;

  const TRoom& room = Room();
  for (int slot = 0; slot <= room.LastEntity; ++slot) {
    const TEntity& other = *room.Entities[slot];
    if (other.InUse() && other.Name == reference) {
      *entry = static_cast<std::int16_t>(slot);
      return;
    }
  }
}

void TEntity::FallDown() {
  const TRoom& room = Room();
  if (room.InRoom(Position)) Position.y = room.HeightAt(Position);
}

bool TEntity::HitTest(const TVector& point) const {
  if (ModelIndex < 0 || !Engine.ModelEngine) return TQZEngine::DistanceXZ(Position, point) <= PickMargin;

  const auto bounds = Engine.ModelEngine->PlacedModelBounds(ModelIndex, Position, Rotation, Size);
  const auto within = [](float value, float low, float high) {
    return value >= low - PickMargin && value <= high + PickMargin;
  };
  switch (Room().Camera.Mode) {
    case 0:
      return within(point.x, bounds.min.x, bounds.max.x) && within(point.z, bounds.min.z, bounds.max.z);
    case 1:
      return within(point.x, bounds.min.x, bounds.max.x) && within(point.y, bounds.min.y, bounds.max.y);
    default:
      return false;
  }
}

void TEntity::CreateShadows() {
  Bind();
  const TVEModel* model = GetModel();
  if (!model || !Engine.ModelActions) return;
  Engine.ModelActions->BakeModelTexture(*model, Position, Rotation, SlotIndex, Size);
  Room().ReloadResources();
}

void TEntity::ConvertToSurfaces() {
  Bind();
  const TVEModel* model = GetModel();
  if (!model || !Engine.ModelActions) return;
  Engine.ModelActions->ConvertModelToSurfaces(*model, Position, Rotation, Size);
  Delete();
}

void TEntity::FillEntityNames(Form& form, std::string_view combo, std::int16_t typus) const {
  Room().FillEntityCombo(form, combo, typus, this);
}

void TEntity::StartAnimation() {
  if (!Engine.ModelEngine) {
    AnimState = TAnimationInstance{};
    return;
  }
  TModelEngine& models = *Engine.ModelEngine;
  models.ResetAnimation(AnimState);
  if (!AnimName.empty() && ModelIndex != -1)
    models.SetAnimation(ModelIndex, AnimName, AnimState, AnimLoop, AnimDirection, AnimSpeed, -1);
}
