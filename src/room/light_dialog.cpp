// The light dialog: filled from the light, read back on OK, "Delete" frees the light.

#include "core/conversion_block.h"
#include "core/dialog_values.h"
#include "engine/edit_engine.h"
#include "room/edit_light.h"
#include "room/edit_room.h"

ModalResult TLight::EditAttributes() {
  TQZEngine& engine = room_.Engine;
  Host& host = engine.GetHost();
  Form& form = host.GetForm(FormId::Light);

  form.SetText("EditName", Name.view());
  engine.ShowFloat(form, "EditRadius", Radius);
  engine.ShowVector(form, Color, "EditR", "EditG", "EditB", "BtnColor");
  form.SetChecked("CheckBoxActive", Active != 0);
  dialog_values::ShowListIndex(form, "CBEffect", Effect);
  engine.ShowVector(form, Color2, "EditR2", "EditG2", "EditB2", "BtnColor2");
  engine.ShowFloat(form, "EditEffectSpeed", EffectSpeed);
  engine.ShowFloat(form, "EditEffectOffset", EffectOffset);
  dialog_values::ShowListIndex(form, "CBFlareFlare", Flare);
  engine.ShowFloat(form, "EditFlareIntensity", FlareIntensity);
  engine.ShowFloat(form, "EditFlareSize", FlareSize);
  engine.ShowFloat(form, "EditFlareAbove", FlareAbove);

  const ModalResult result = host.RunModal(FormId::Light);
  if (result == ModalResult::Ok) {
    ConversionBlock read(host, form, "QZ_ROOM");
    ReadDialog(form, read);
  } else if (result == ModalResult::No) {
    ResetLight();
  }
  return result;
}

// Stops at the first number that does not convert; the fields after it keep their values.
bool TLight::ReadDialog(const Form& form, ConversionBlock& read) {
  Name = form.Text("EditName");
  if (!read.Float("EditRadius", Radius) || !read.Vector("EditR", "EditG", "EditB", Color)) return false;
  Active = form.Checked("CheckBoxActive") ? 1 : 0;
  Effect = dialog_values::ReadListIndex(form, "CBEffect", Effect);
  if (!read.Vector("EditR2", "EditG2", "EditB2", Color2) || !read.Float("EditEffectSpeed", EffectSpeed) ||
      !read.Float("EditEffectOffset", EffectOffset))
    return false;
  Flare = dialog_values::ReadListIndex(form, "CBFlareFlare", Flare);
  return read.Float("EditFlareIntensity", FlareIntensity) && read.Float("EditFlareSize", FlareSize) &&
         read.Float("EditFlareAbove", FlareAbove);
}
