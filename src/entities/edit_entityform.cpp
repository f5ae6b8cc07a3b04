#include "entities/edit_entityform.h"

#include "engine/edit_engine.h"
#include "entities/dialog_visitors.h"
#include "entities/edit_entity.h"
#include "entities/variable_record.h"
#include "room/edit_room.h"

namespace {

// Long enough to show every value name of a variable without scrolling.
constexpr int ValueDropDownCount = 22;

// The common fields in the dialog's order, which is not the stored one; false when a
// block number stopped it, and then nothing after that number (the kind page included)
// is applied.
bool ApplyCommon(TEntity& entity, TQZEngine& engine, Form& form) {
  constexpr auto Block = Conversion::Block;
  DialogReader reader(engine, form);
  reader.Text(entity.Name, {"Name", "EditName"});
  reader.Number(entity.Health, {"Health", "EditHealth", {}, Block});
  reader.Vector(entity.Position, {"Position", "EditPos", {}, Block});
  reader.Vector(entity.Rotation, {"Rotation", "EditRot", {}, Block});
  reader.Text(entity.ModelName, {"ModelName", "CBModel"});
  reader.Check(entity.Active, {"Active", "CheckBoxActive"});
  reader.Number(entity.Size, {"Size", "EditSize", {}, Block});
  reader.Check(entity.Visible, {"Visible", "CheckBoxVisible"});
  reader.Check(entity.ApplyLighting, {"ApplyLighting", "CheckBoxApplyLighting"});
  reader.List(entity.BlendingMode, {"BlendingMode", "CBBlendingMode"});
  reader.Number(entity.Density, {"Density", "EditDensity", {}, Block});
  reader.Colour(entity.Color, {"Color", "Edit"});
  reader.List(entity.ShadowTypus, {"ShadowTypus", "CBShadowTypus"});
  reader.Number(entity.ShadowRadius, {"ShadowRadius", "EditShadowRadius", {}, Block});
  reader.Text(entity.AnimName, {"AnimName", "EditAnimName"});
  reader.List(entity.AnimDirection, {"AnimDirection", "CBAnimDirection"});
  reader.Number(entity.AnimSpeed, {"AnimSpeed", "EditAnimSpeed", {}, Block});
  reader.Check(entity.AnimLoop, {"AnimLoop", "CheckBoxAnimLoop"});
  return !reader.Stopped();
}

}  // namespace

void TEntity::EditEntity() {
  Host& host = Engine.GetHost();
  Form& form = host.GetForm(FormId::Entity);

  for (const auto page : entity_form::KindPages) form.SetVisible(page, false);
  DialogFiller common(*this, Engine, form);
  VisitCommon(common);
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
  room.BindEntities();
  cursor.OldEntityName = "";
}

}  // namespace entity_form
