#include "entities/entity_item.h"

#include "engine/edit_engine.h"
#include "entities/entity_typus.h"
#include "entities/record_fields.h"
#include "models/edit_model.h"

TEItem::TEItem(TQZEngine& engine) : TEntity(engine, {"ITEM", typus::Item, "EDITOR_ITEM"}) {}

void TEItem::VisitFields(RecordVisitor& visitor) {
  visitor.Page("TabSheetItem", "Item");
  visitor.List(ItemTypus, {"ItemTypus", "CBItemTypus", "Typus."});
  visitor.Number(Amount, {"Amount", "EditItemAmount", "Amount:"});
  visitor.Text(OnCollect, {"OnCollect", "CBItemTrigger", "OnCollect:", {}, typus::Trigger});
  visitor.Text(CollectAnimation, {"CollectAnimation", "CBItemAnimation", "Animation:", {}, typus::Animation});
  visitor.Number(DelayBeforeCollect, {"DelayBeforeCollect", "EditItemDelayBeforeCollect", "Delay (s):"});
  Assignment.Visit(visitor, {"Assignment", "CBItemCondition", "CBItemConditionType", "CBItemConditionParameter",
                             "Condition Variable:", "Set to Value:"});
  // Every loaded model is offered, not only item models.
  visitor.Text(ItemModel, {"ItemModel", "CBItemModel", "Item Model:", {}, offers::Models});
}
