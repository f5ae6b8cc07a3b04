#include "entities/entity_dialog.h"

#include "engine/edit_engine.h"

namespace entity_dialog {

void ShowPage(Form& form, std::string_view sheet) { form.SetVisible(sheet, true); }

ConversionBlock Conversions(TQZEngine& engine, const Form& form) {
  return ConversionBlock(engine.GetHost(), form, "QZ_ENTITY");
}

}  // namespace entity_dialog
