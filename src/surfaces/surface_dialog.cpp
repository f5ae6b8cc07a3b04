// The surface dialog: filled from the surface, read back on OK, "Delete" frees the slot.

#include <bit>
#include <string>

#include "engine/edit_engine.h"
#include "room/edit_room.h"
#include "surfaces/surface_main.h"

namespace {

// The corners' texture-coordinate edits, corner by corner: s, then t.
constexpr const char* CornerEdits[4][2] = {
    {"Edit1S", "Edit1T"}, {"Edit2S", "Edit2T"}, {"Edit3S", "Edit3T"}, {"Edit4S", "Edit4T"}};

}  // namespace

TSurface::SurfaceLayout TSurface::Layout() const {
  SurfaceLayout layout{textureName.str(), {}};
  const auto bits = [&layout](float value) { layout.numbers.push_back(std::bit_cast<std::uint32_t>(value)); };
  bits(texPerMetreS);
  bits(texPerMetreT);
  bits(lightMapTexelsPerMetre);
  for (const TSurfaceCorner& corner : corners) {
    bits(corner.s);
    bits(corner.t);
  }
  layout.numbers.push_back(static_cast<std::uint16_t>(lightMapWidth));
  layout.numbers.push_back(static_cast<std::uint16_t>(lightMapHeight));
  return layout;
}

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

  const SurfaceLayout before = Layout();
  const auto kept = Record();
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
    // Recomputing lays the texture coordinates and the light map out anew (and paints
    // the map white while "Compute Lighting:" is off), so an OK that changed none of
    // what it reads, or changed only the name, keeps the baked map.
    if (Layout() != before) RecomputeOrRestore(kept);
  } else if (result == ModalResult::No) {
    // A freed slot gets no textures: they would outlive the surface that owned them.
    Reset();
  }
  return result;
}
