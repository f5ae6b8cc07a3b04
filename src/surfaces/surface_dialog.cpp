// The surface dialog: filled from the surface, read back on OK, "Delete" frees the slot.

#include <string>

#include "engine/edit_engine.h"
#include "room/edit_room.h"
#include "surfaces/surface_main.h"

namespace {

// The corners' texture-coordinate edits, corner by corner: s, then t.
constexpr const char* CornerEdits[4][2] = {
    {"Edit1S", "Edit1T"}, {"Edit2S", "Edit2T"}, {"Edit3S", "Edit3T"}, {"Edit4S", "Edit4T"}};

}  // namespace

ModalResult TSurface::Edit() {
  TQZEngine& engine = room_.Engine;
  Host& host = engine.GetHost();
  Form& form = host.GetForm(FormId::Surface);

  form.SetText("EditName", name.view());
  form.SetText("EditTextureName", textureName.view());
  engine.ShowFloat(form, "EditTexPerMeterS", texPerMetreS);
  engine.ShowFloat(form, "EditTexPerMeterT", texPerMetreT);
  for (std::size_t i = 0; i < corners.size(); ++i) {
    engine.ShowFloat(form, CornerEdits[i][0], corners[i].s);
    engine.ShowFloat(form, CornerEdits[i][1], corners[i].t);
  }
  engine.ShowInt(form, "EditLightMapWidth", lightMapWidth);
  engine.ShowInt(form, "EditLightMapHeight", lightMapHeight);
  engine.ShowFloat(form, "EditLightMapTexPerMeter", lightMapTexelsPerMetre);

  const ModalResult result = host.RunModal(FormId::Surface);
  if (result == ModalResult::Ok) {
    // Each number is read on its own: a bad one is reported, keeps its value and the
    // rest is still read.
    name = form.Text("EditName");
    textureName = form.Text("EditTextureName");
    engine.ReadFloat(form, "EditTexPerMeterS", texPerMetreS);
    engine.ReadFloat(form, "EditTexPerMeterT", texPerMetreT);
    for (std::size_t i = 0; i < corners.size(); ++i) {
      engine.ReadFloat(form, CornerEdits[i][0], corners[i].s);
      engine.ReadFloat(form, CornerEdits[i][1], corners[i].t);
    }
    engine.ReadFloat(form, "EditLightMapTexPerMeter", lightMapTexelsPerMetre);
    engine.ReadInt(form, "EditLightMapWidth", lightMapWidth);
    engine.ReadInt(form, "EditLightMapHeight", lightMapHeight);
  } else if (result == ModalResult::No) {
    Reset();
  }
  // A freed slot gets no textures: they would outlive the surface that owned them.
  if (InUse()) Recompute();
  return result;
}
