#include "entities/entity_item.h"

#include "core/dialog_values.h"
#include "engine/edit_engine.h"
#include "entities/entity_dialog.h"
#include "entities/entity_typus.h"
#include "entities/field_sink.h"
#include "models/edit_model.h"

using namespace entity_dialog;

namespace {
constexpr VariableBoxes AssignmentBoxes{"CBItemCondition", "CBItemConditionType", "CBItemConditionParameter"};
}  // namespace

TEItem::TEItem(TQZEngine& engine) : TEntity(engine) {
  Name = "ITEM";
  Typus = typus::Item;
  ModelName = "EDITOR_ITEM";
}

void TEItem::FillDialog(Form& form) {
  ShowPage(form, "TabSheetItem");
  FillEntityNames(form, "CBItemTrigger", typus::Trigger);
  FillEntityNames(form, "CBItemAnimation", typus::Animation);
  // Every loaded model is offered, not only item models.
  if (Engine.ModelEngine) Engine.ModelEngine->FillModelList(form, "CBItemModel");
  Assignment.Fill(Engine, form, AssignmentBoxes);
  dialog_values::ShowListIndex(form, "CBItemTypus", ItemTypus);
  Engine.ShowInt(form, "EditItemAmount", Amount);
  ShowName(form, "CBItemTrigger", OnCollect);
  ShowName(form, "CBItemAnimation", CollectAnimation);
  Engine.ShowFloat(form, "EditItemDelayBeforeCollect", DelayBeforeCollect);
  ShowName(form, "CBItemModel", ItemModel);
}

void TEItem::ReadDialog(Form& form) {
  ItemTypus = dialog_values::ReadListIndex(form, "CBItemTypus", ItemTypus);
  Engine.ReadInt(form, "EditItemAmount", Amount);
  ReadName(form, "CBItemTrigger", OnCollect);
  ReadName(form, "CBItemAnimation", CollectAnimation);
  Engine.ReadFloat(form, "EditItemDelayBeforeCollect", DelayBeforeCollect);
  Assignment.ReadBack(form, AssignmentBoxes);
  ReadName(form, "CBItemModel", ItemModel);
}

void TEItem::WriteRecord(BinaryWriter& file) {
  file.WriteI16(ItemTypus);
  file.WriteI16(Amount);
  file.WriteString(OnCollect);
  file.WriteString(CollectAnimation);
  file.WriteF32(DelayBeforeCollect);
  Assignment.Write(file);
  file.WriteString(ItemModel);
}

void TEItem::ReadRecord(BinaryReader& file) {
  ItemTypus = file.ReadI16();
  Amount = file.ReadI16();
  OnCollect = file.ReadString<32>();
  CollectAnimation = file.ReadString<32>();
  DelayBeforeCollect = file.ReadF32();
  Assignment.Read(file);
  ItemModel = file.ReadString<32>();
}

void TEItem::Bind() {
  ResolveModel();
  ClearLinks();
  AddLink(OnCollect);
  AddLink(CollectAnimation);
}

void TEItem::DescribeFields(FieldSink& sink) const {
  sink.Field("ItemTypus", ItemTypus);
  sink.Field("Amount", Amount);
  sink.Field("OnCollect", OnCollect);
  sink.Field("CollectAnimation", CollectAnimation);
  sink.Field("DelayBeforeCollect", DelayBeforeCollect);
  Assignment.Describe(sink, "Assignment");
  sink.Field("ItemModel", ItemModel);
}
