#include "entities/edit_entityform.h"

#include "core/dialog_values.h"
#include "engine/edit_engine.h"
#include "entities/edit_entity.h"
#include "entities/entity_dialog.h"
#include "entities/variable_record.h"
#include "models/edit_model.h"
#include "room/edit_room.h"

namespace {

// Long enough to show every value name of a variable without scrolling.
constexpr int ValueDropDownCount = 22;
constexpr int DensityDigits = 4;

void ShowCommon(const TEntity& entity, const TQZEngine& engine, Form& form) {
  using entity_dialog::ShowName;
  ShowName(form, "EditName", entity.Name);
  engine.ShowInt(form, "EditHealth", entity.Health);
  engine.ShowFloat(form, "EditPosX", entity.Position.x);
  engine.ShowFloat(form, "EditPosY", entity.Position.y);
  engine.ShowFloat(form, "EditPosZ", entity.Position.z);
  engine.ShowFloat(form, "EditRotX", entity.Rotation.x);
  engine.ShowFloat(form, "EditRotY", entity.Rotation.y);
  engine.ShowFloat(form, "EditRotZ", entity.Rotation.z);
  ShowName(form, "CBModel", entity.ModelName);
  form.SetChecked("CheckBoxActive", entity.Active);
  engine.ShowFloat(form, "EditSize", entity.Size);
  form.SetChecked("CheckBoxVisible", entity.Visible);
  dialog_values::ShowListIndex(form, "CBBlendingMode", entity.BlendingMode);
  engine.ShowFloat(form, "EditDensity", entity.Density, DensityDigits);
  engine.ShowVector(form, entity.Color, "EditR", "EditG", "EditB", "BtnColor");
  form.SetChecked("CheckBoxApplyLighting", entity.ApplyLighting);
  dialog_values::ShowListIndex(form, "CBShadowTypus", entity.ShadowTypus);
  engine.ShowFloat(form, "EditShadowRadius", entity.ShadowRadius);
  ShowName(form, "EditAnimName", entity.AnimName);
  dialog_values::ShowListIndex(form, "CBAnimDirection", entity.AnimDirection);
  engine.ShowFloat(form, "EditAnimSpeed", entity.AnimSpeed);
  form.SetChecked("CheckBoxAnimLoop", entity.AnimLoop);
}

// One conversion block in the dialog's order; false when a number stopped it, and
// then nothing after that number (the kind page included) is applied.
bool ApplyCommon(TEntity& entity, TQZEngine& engine, Form& form) {
  using entity_dialog::ReadName;
  auto block = entity_dialog::Conversions(engine, form);
  ReadName(form, "EditName", entity.Name);
  if (!block.Int("EditHealth", entity.Health) || !block.Vector("EditPosX", "EditPosY", "EditPosZ", entity.Position) ||
      !block.Vector("EditRotX", "EditRotY", "EditRotZ", entity.Rotation))
    return false;
  ReadName(form, "CBModel", entity.ModelName);
  entity.Active = form.Checked("CheckBoxActive");
  if (!block.Float("EditSize", entity.Size)) return false;
  entity.Visible = form.Checked("CheckBoxVisible");
  entity.ApplyLighting = form.Checked("CheckBoxApplyLighting");
  entity.BlendingMode = dialog_values::ReadListIndex(form, "CBBlendingMode", entity.BlendingMode);
  if (!block.Float("EditDensity", entity.Density)) return false;
  // The colour reports its own failure and does not stop the block.
  engine.ReadVector(form, entity.Color, "EditR", "EditG", "EditB");
  entity.ShadowTypus = dialog_values::ReadListIndex(form, "CBShadowTypus", entity.ShadowTypus);
  if (!block.Float("EditShadowRadius", entity.ShadowRadius)) return false;
  ReadName(form, "EditAnimName", entity.AnimName);
  entity.AnimDirection = dialog_values::ReadListIndex(form, "CBAnimDirection", entity.AnimDirection);
  if (!block.Float("EditAnimSpeed", entity.AnimSpeed)) return false;
  entity.AnimLoop = form.Checked("CheckBoxAnimLoop");
  return true;
}

}  // namespace

void TEntity::EditEntity() {
  Host& host = Engine.GetHost();
  Form& form = host.GetForm(FormId::Entity);

  for (const auto page : entity_form::KindPages) form.SetVisible(page, false);
  if (Engine.ModelEngine) Engine.ModelEngine->FillModelList(form, "CBModel");
  ShowCommon(*this, Engine, form);
  FillDialog(form);

  // The window clears these when it becomes active; clearing them here as well keeps a
  // request of an earlier opening from being repeated.
  form.SetChecked(entity_form::ShadowsRequested, false);
  form.SetChecked(entity_form::ConvertRequested, false);

  switch (host.RunModal(FormId::Entity)) {
    case ModalResult::Ok:
      if (!ApplyCommon(*this, Engine, form)) return;
      ReadDialog(form);
      if (form.Checked(entity_form::ShadowsRequested)) CreateShadows();
      if (form.Checked(entity_form::ConvertRequested)) ConvertToSurfaces();
      return;
    case ModalResult::No:
      Delete();
      return;
    case ModalResult::Cancel:
      return;
  }
}

namespace entity_form {

void ChangeCondition(const TQZEngine& engine, Form& form, std::string_view variableBox, std::string_view valueBox) {
  const int remembered = form.ItemIndex(valueBox);
  FillValueNames(engine, form, valueBox, form.ItemIndex(variableBox));
  form.SetItemIndex(valueBox, remembered);
  form.SetDropDownCount(valueBox, ValueDropDownCount);
}

void EditEntityFollowingRename(TRoom& room, TEntity& entity) {
  TCursor& cursor = room.Cursor;
  cursor.OldEntityName = entity.Name;
  // Until the dialog's result is known a rename must map the old name onto itself: a
  // new name left over from an earlier dialog would otherwise overwrite references in
  // the first Bind below.
  cursor.NewEntityName = entity.Name;
  entity.EditEntity();
  entity.Bind();
  room.CountEntities();
  cursor.NewEntityName = entity.Name;
  for (int slot = 0; slot <= room.LastEntity; ++slot)
    if (room.Entities[slot]->InUse()) room.Entities[slot]->Bind();
  cursor.OldEntityName = "";
}

}  // namespace entity_form
