#include "room/edit_cursor.h"
#include "room/entity_palette.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "core/numbers.h"
#include "engine/edit_engine.h"
#include "entities/edit_entity.h"
#include "entities/edit_entityform.h"
#include "entities/entity_camera.h"
#include "entities/entity_typus.h"
#include "room/edit_room.h"
#include "room/selection_edit.h"

namespace {

constexpr float GridStep = 4.0f;  // "Use Grid" snaps to a quarter metre
constexpr int TrackBarLimit = 200;

bool FlatView(const TRoom& room) { return room.Camera.Mode != TCamera::Mode3D; }

std::optional<float> ReadNumber(const Form& form, std::string_view edit) { return numbers::ParseFloat(form.Text(edit)); }

Form& MainForm(TRoom& room) { return room.Engine.GetHost().GetForm(FormId::Main); }

float TrackBarHeight(const Form& main) { return -static_cast<float>(main.Position("TrackBarY")) / 10.0f; }

constexpr const char* PaletteLists[] = {"LBEntityTiles", "LBEntitySequences", "LBEntityUnits", "LBEntityPortals",
                                        "LBEntityParticles"};

}  // namespace

void TCursor::SetMode(int code) {
  Mode = static_cast<std::int16_t>(code);
  SelectedLight = nullptr;
  SelectedEntity = nullptr;
  SelectedZone = nullptr;
  ZoneHandle = NoHandle;
  PressStateNow = Idle;
  if (code <= 4000) SelectedSurface = nullptr;
  // Another tool starts over with the topmost object.
  lastPick_ = {};
}

void TCursor::SetPosition(TRoom& room, int x, int y) {
  if (!FlatView(room)) return;
  Form& main = MainForm(room);
  PreviousPosition = Position;
  Pointer = PixelCentre(x, y);
  const bool top = room.Camera.Mode == TCamera::ModeTop;
  // The coordinate the view cannot show follows the selected object.
  const TVector* followed = nullptr;
  if (Mode >= 2001 && Mode <= 2003 && SelectedLight) followed = &SelectedLight->Position;
  if (Mode >= 3001 && Mode <= 3003 && SelectedEntity) followed = &SelectedEntity->Position;
  float depth = top ? Position.y : Position.z;
  if (followed) {
    depth = top ? followed->y : followed->z;
  } else if (top && (Mode == 2001 || Mode == 3001)) {
    // From the top a new light or entity gets the height bar's height: it lands where
    // the pointer shows that height.
    depth = TrackBarHeight(main);
  }
  Position = PointerAt(room, depth);
  if (main.Checked("UseGrid1")) {
    for (float* c : {&Position.x, &Position.y, &Position.z}) *c = std::round(*c * GridStep) / GridStep;
  }
  if (followed) (top ? Position.y : Position.z) = depth;
  ShowPosition(room, main);
}

TVector TCursor::PointerAt(const TRoom& room, float depth) const {
  return TViewMapping(room.Camera).ToRoom(Pointer, depth);
}

void TCursor::ShowPosition(TRoom& room, Form& main) const {
  std::string text = "Pos: ";
  if (main.ActivePage("PageControl") == "TabSheetFields") {
    const TCell cell = TRoom::CellOf(Position);
    text += std::to_string(cell.x) + ", " + std::to_string(cell.z);
  } else {
    const TQZEngine& engine = room.Engine;
    text += engine.FloatToStr32(Position.x, 2) + ", " + engine.FloatToStr32(Position.y, 2) + ", " +
            engine.FloatToStr32(Position.z, 2);
  }
  room.Engine.GetHost().SetStatusText(0, text);
}

void TCursor::Press(TRoom& room) {
  if (BeginSelectGesture(room)) return;
  PressStateNow = Pressed;
  Act(room);
  PressStateNow = Held;
  Act(room);
}

void TCursor::Drag(TRoom& room) {
  if (ContinueSelectGesture(room)) return;
  if (PressStateNow == Held) Act(room);
}

void TCursor::Release(TRoom& room) {
  if (EndSelectGesture(room)) return;
  if (PressStateNow != Held) return;
  PressStateNow = Released;
  Act(room);
  PressStateNow = Idle;
}

void TCursor::Tick() {
  if (CoolDown > 0) --CoolDown;
}

void TCursor::ApplyTrackBarHeight(TRoom& room, bool apply) {
  Form& main = MainForm(room);
  const float h = TrackBarHeight(main);
  if (apply) {
    if (Mode >= 2001 && Mode <= 2003 && SelectedLight) SelectedLight->Position.y = h;
    if (Mode >= 3001 && Mode <= 3003 && SelectedEntity) SelectedEntity->Position.y = h;
  }
  main.SetText("LabelY", "Height: " + room.Engine.FloatToStr32(h, 2));
}

void TCursor::SetHeight(TRoom& room, bool apply, float y) {
  if (apply) Position.y = y;
  Form& main = MainForm(room);
  const int position = -static_cast<int>(std::lround(y * 10.0f));
  main.SetPosition("TrackBarY", std::max(-TrackBarLimit, std::min(TrackBarLimit, position)));
  ApplyTrackBarHeight(room, apply);
}

void TCursor::Act(TRoom& room) {
  if (!FlatView(room) || room.Camera.Captured) return;
  Form& main = MainForm(room);
  switch (Mode) {
    case 1001:
    case 1002:
    case 1003:
      if (PressStateNow == Held) PaintFields(room, main);
      break;
    case 1004:
      if (PressStateNow == Released) ImportHeightMap(room);
      break;
    case 2001:
      if (PressStateNow == Released) NewLight(room, main);
      break;
    case 2002:
      if (PressStateNow == Pressed) EditLight(room);
      break;
    case 2003: MoveLight(room); break;
    case 3001:
      if (PressStateNow == Pressed) NewEntity(room, main);
      break;
    case 3002:
      if (PressStateNow == Released) EditEntity(room);
      break;
    case 3003: MoveEntity(room); break;
    case 3004:
      if (PressStateNow == Released) DropEntity(room);
      break;
    case 3005: DragZone(room); break;
    case 4001: NewSurface(room); break;
    case 4002:
      if (PressStateNow == Released) EditSurface(room);
      break;
    default: break;
  }
}

void TCursor::Forget(const TEntity& entity) {
  if (SelectedEntity == &entity) SelectedEntity = nullptr;
  if (SelectedZone == &entity) SelectedZone = nullptr;
}

bool TCursor::DeleteSelected(TRoom& room) {
  if (Mode >= 2001 && Mode <= 2003 && SelectedLight && SelectedLight->InUse()) {
    SelectedLight->ResetLight();
    SelectedLight = nullptr;
    room.CountLights();
    return true;
  }
  if (Mode >= 3001 && Mode <= 3005 && SelectedEntity && SelectedEntity->InUse()) {
    if (SelectedZone == SelectedEntity) SelectedZone = nullptr;
    SelectedEntity->Delete();
    SelectedEntity = nullptr;
    room.CountEntities();
    // Links to the deleted entity go, as after its dialog.
    room.BindEntities();
    return true;
  }
  if (TSurface* surface = SelectedInUse()) {
    surface->Reset();
    SelectedSurface = nullptr;
    room.CountSurfaces();
    return true;
  }
  return false;
}

void TCursor::PaintFields(TRoom& room, Form& main) {
  const int brush = main.Position("TrackBarFieldBrushSize");
  const TCell centre = TRoom::CellOf(Position);
  const auto floor = ReadNumber(main, "EditFieldHeight");
  const auto ceiling = ReadNumber(main, "EditFieldHeightCeiling");
  // Inside a selected rectangle of fields the brush is the rectangle.
  TFieldRect area{centre.x - brush, centre.z - brush, centre.x + brush, centre.z + brush};
  const TFieldRect& chosen = room.Selection.Fields();
  if (room.Selection.What() == TSelection::Kind::Fields && centre.x >= chosen.minX && centre.x <= chosen.maxX &&
      centre.z >= chosen.minZ && centre.z <= chosen.maxZ)
    area = chosen;
  for (int x = area.minX; x <= area.maxX; ++x) {
    for (int z = area.minZ; z <= area.maxZ; ++z) {
      if (!TRoom::ValidCell(x, z)) continue;
      TField& field = room.FieldOf(x, z);
      if (Mode == 1001) field.Typus = static_cast<std::int16_t>(main.ItemIndex("CBFieldTypus"));
      if (Mode == 1002) field.Material = static_cast<std::int16_t>(main.ItemIndex("CBFieldMaterial"));
      // An unreadable floor leaves the ceiling alone too.
      if (Mode == 1003 && floor) {
        field.Height = *floor;
        if (ceiling) field.Ceiling = *ceiling;
      }
    }
  }
}

void TCursor::NewLight(TRoom& room, Form& main) {
  if (CoolDown != 0) return;
  CoolDown = CoolDownFrames;
  if (room.Camera.Mode == TCamera::ModeTop) Position.y = TrackBarHeight(main);
  // Reading stops at the first text that is not a number; the rest keep the palette's
  // start values, and the designer hears which edit it was.
  TVector color{PaletteLightColor, PaletteLightColor, PaletteLightColor};
  float radius = PaletteLightRadius;
  for (auto [edit, value] : {std::pair{"EditLightR", &color.x}, std::pair{"EditLightG", &color.y},
                             std::pair{"EditLightB", &color.z}, std::pair{"EditLightRadius", &radius}}) {
    const auto number = ReadNumber(main, edit);
    if (!number) {
      room.Engine.GetHost().SetStatusText(
          TRoom::MessageStatusPanel, std::string("No number in ") + edit + ": the new light takes colour " +
                                         room.Engine.FloatToStr32(PaletteLightColor, 2) + " and radius " +
                                         room.Engine.FloatToStr32(PaletteLightRadius, 2) + " from there on");
      break;
    }
    *value = *number;
  }
  SelectedLight = room.AddLight(Position, color, radius);
  if (!SelectedLight) return;
  Select(room, TSelection::Kind::Lights, room.LightSlot(*SelectedLight));
  SetHeight(room, false, SelectedLight->Position.y);
}

template <class T>
T* TCursor::ChoosePick(const TRoom& room, const std::vector<T*>& hits) {
  const TCamera& camera = room.Camera;
  const bool samePlace = std::fabs(Pointer.x - lastPick_.at.x) <= SamePlacePixels &&
                         std::fabs(Pointer.y - lastPick_.at.y) <= SamePlacePixels &&
                         lastPick_.camera == camera.Position && lastPick_.zoom == camera.Zoom &&
                         lastPick_.mode == camera.Mode;
  T* chosen = hits.empty() ? nullptr : hits.back();
  if (samePlace) {
    const auto before = std::find_if(hits.begin(), hits.end(), [&](T* hit) { return hit == lastPick_.picked; });
    if (before != hits.end()) chosen = before == hits.begin() ? hits.back() : *(before - 1);
  }
  lastPick_ = {Pointer, camera.Position, camera.Zoom, camera.Mode, chosen};
  return chosen;
}

std::vector<TLight*> TCursor::LightHits(TRoom& room) const {
  const TViewMapping view(room.Camera);
  std::vector<TLight*> hits;
  for (int i = 0; i <= room.LastLight; ++i) {
    TLight& light = room.Lights[i];
    if (light.InUse() && light.HitTest(view.ToRoom(Pointer, view.DepthOf(light.Position)))) hits.push_back(&light);
  }
  return hits;
}

std::vector<TEntity*> TCursor::EntityHits(TRoom& room) const {
  const TViewMapping view(room.Camera);
  std::vector<TEntity*> hits;
  for (int i = 0; i <= room.LastEntity; ++i) {
    TEntity& entity = *room.Entities[i];
    if (entity.InUse() && entity.HitTest(view.ToRoom(Pointer, view.DepthOf(entity.Position)))) hits.push_back(&entity);
  }
  return hits;
}

TLight* TCursor::PickLight(TRoom& room) { return ChoosePick(room, LightHits(room)); }

TEntity* TCursor::PickEntity(TRoom& room) { return ChoosePick(room, EntityHits(room)); }

void TCursor::EditLight(TRoom& room) {
  SelectedLight = PickLight(room);
  if (!SelectedLight) return;
  Select(room, TSelection::Kind::Lights, room.LightSlot(*SelectedLight));
  Position = SelectedLight->Position;
  SetHeight(room, false, SelectedLight->Position.y);
  SelectedLight->EditAttributes();
  SetHeight(room, false, SelectedLight->Position.y);
  room.CountLights();
}

void TCursor::MoveLight(TRoom& room) {
  if (PressStateNow == Pressed) {
    SelectedLight = PickLight(room);
    if (!SelectedLight) return;
    Select(room, TSelection::Kind::Lights, room.LightSlot(*SelectedLight), true);
    SetHeight(room, false, SelectedLight->Position.y);
    Position = SelectedLight->Position;
  } else if (PressStateNow == Held && SelectedLight) {
    // The whole selection moves with the light it was picked by.
    if (room.Selection.Holds(TSelection::Kind::Lights, room.LightSlot(*SelectedLight))) {
      selection::Move(room, TQZEngine::Subtract(Position, SelectedLight->Position));
    } else {
      SelectedLight->Position = Position;
    }
    SetHeight(room, false, Position.y);
  }
}

void TCursor::NewEntity(TRoom& room, Form& main) {
  if (CoolDown != 0) return;
  CoolDown = CoolDownFrames;
  const bool top = room.Camera.Mode == TCamera::ModeTop;
  if (top) Position.y = TrackBarHeight(main);
  TQZEngine& engine = room.Engine;

  float size = 1.0f;
  TVector rotation;
  const auto direction = ReadNumber(main, "EditEntityDirection");
  const auto sizeText = ReadNumber(main, "EditEntitySize");
  std::int16_t typus = 0;
  const int group = main.ItemIndex("CBEntityTypus");
  if (direction && sizeText) {
    rotation.y = *direction;
    size = *sizeText;
    if (main.Checked("CheckBoxEntityRandomSize")) size = 0.8f * size + static_cast<float>(engine.Random(40)) * 0.01f;
    if (main.Checked("CheckBoxEntityRandomDirection")) rotation.y = static_cast<float>(engine.Random(360));
    const bool knownGroup = group >= 0 && group < 5;
    const int item = knownGroup ? main.ItemIndex(PaletteLists[group]) : -1;
    const int tiles = static_cast<int>(main.Items("LBEntityTiles").size());
    typus = PaletteTypus(group, item, tiles);
    if (typus < 0) {
      room.Engine.GetHost().SetStatusText(TRoom::MessageStatusPanel,
                                          "The room's tile list is empty: add tiles in Room > Attributes");
      return;
    }
  }

  SelectedEntity = room.AddEntity(typus, Position, rotation, size);
  if (!SelectedEntity) return;
  Select(room, TSelection::Kind::Entities, SelectedEntity->SlotIndex);
  TEntity& entity = *SelectedEntity;
  if (main.Checked("AutoFalldownnewEntities1")) entity.FallDown();
  if (group == 0 && typus == typus::Tile) {
    const int item = main.ItemIndex("LBEntityTiles");
    const auto tiles = main.Items("LBEntityTiles");
    if (item >= 0 && item < static_cast<int>(tiles.size())) entity.ModelName = tiles[static_cast<std::size_t>(item)];
  }
  // A new camera zone looks the way the view does and covers 8 x 8 m around itself.
  if (auto* zone = dynamic_cast<TECamera*>(&entity); zone && typus == typus::Camera) {
    zone->Position = room.Camera.Position;
    zone->Rotation = room.Camera.Rotation;
    constexpr float HalfZone = 4.0f;
    zone->ZoneMinX = zone->Position.x - HalfZone;
    zone->ZoneMinZ = zone->Position.z - HalfZone;
    zone->ZoneMaxX = zone->Position.x + HalfZone;
    zone->ZoneMaxZ = zone->Position.z + HalfZone;
  }
  entity.Bind();
  SetHeight(room, false, entity.Position.y);
}

void TCursor::EditEntity(TRoom& room) {
  SelectedEntity = PickEntity(room);
  if (!SelectedEntity) return;
  Select(room, TSelection::Kind::Entities, SelectedEntity->SlotIndex);
  (room.Camera.Mode == TCamera::ModeTop ? Position.y : Position.z) =
      room.Camera.Mode == TCamera::ModeTop ? SelectedEntity->Position.y : SelectedEntity->Position.z;
  SetHeight(room, false, SelectedEntity->Position.y);
  entity_form::EditEntityFollowingRename(room, *SelectedEntity);
}

void TCursor::MoveEntity(TRoom& room) {
  const bool top = room.Camera.Mode == TCamera::ModeTop;
  if (PressStateNow == Pressed) {
    SelectedEntity = PickEntity(room);
    if (SelectedEntity) {
      Select(room, TSelection::Kind::Entities, SelectedEntity->SlotIndex, true);
      SetHeight(room, false, SelectedEntity->Position.y);
      (top ? Position.y : Position.z) = top ? SelectedEntity->Position.y : SelectedEntity->Position.z;
    }
  }
  TVector d = TQZEngine::Subtract(Position, PreviousPosition);
  (top ? d.y : d.z) = 0.0f;
  if (PressStateNow == Held && SelectedEntity && TQZEngine::Distance(Position, PreviousPosition) != 0.0f) {
    // The whole selection moves with the entity it was picked by.
    if (room.Selection.Holds(TSelection::Kind::Entities, SelectedEntity->SlotIndex)) {
      selection::Move(room, d);
    } else {
      SelectedEntity->Position = TQZEngine::Add(SelectedEntity->Position, d);
    }
    SetHeight(room, false, SelectedEntity->Position.y);
  }
}

void TCursor::DropEntity(TRoom& room) {
  SelectedEntity = PickEntity(room);
  if (!SelectedEntity) return;
  Select(room, TSelection::Kind::Entities, SelectedEntity->SlotIndex);
  SetHeight(room, false, SelectedEntity->Position.y);
  SelectedEntity->FallDown();
}

void TCursor::NewSurface(TRoom& room) {
  if (PressStateNow == Pressed) {
    SurfaceStart = Position;
  } else if (PressStateNow == Released) {
    SurfaceStart.y = 0.0f;
    Position.y = 0.0f;
    const TVector& s = SurfaceStart;
    SelectedSurface = room.AddSurface({s.x, 0.0f, s.z}, {Position.x, 0.0f, s.z}, {Position.x, 0.0f, Position.z},
                                      {s.x, 0.0f, Position.z}, "textures\\default");
    SurfaceChosen(room);
  }
}

TSurface* TCursor::SelectedInUse() const { return SelectedSurface && SelectedSurface->InUse() ? SelectedSurface : nullptr; }

void TCursor::SelectNextSurface(TRoom& room) {
  int slot = SelectedSurface ? SelectedSurface->slotIndex : -1;
  SelectedSurface = nullptr;
  for (int step = 0; step < TRoom::SurfaceSlots + 1; ++step) {
    slot = (slot + 1) % TRoom::SurfaceSlots;
    if (room.Surfaces[static_cast<std::size_t>(slot)]->InUse()) {
      SelectedSurface = room.Surfaces[static_cast<std::size_t>(slot)].get();
      break;
    }
  }
  SurfaceChosen(room);
}

void TCursor::SelectPreviousSurface(TRoom& room) {
  int slot = SelectedSurface ? SelectedSurface->slotIndex : room.LastSurface;
  SelectedSurface = nullptr;
  for (int step = 0; step < TRoom::SurfaceSlots + 1; ++step) {
    slot = (slot + TRoom::SurfaceSlots - 1) % TRoom::SurfaceSlots;
    if (room.Surfaces[static_cast<std::size_t>(slot)]->InUse()) {
      SelectedSurface = room.Surfaces[static_cast<std::size_t>(slot)].get();
      break;
    }
  }
  SurfaceChosen(room);
}

void TCursor::ShowSelectedSurface(TRoom& room) const {
  const TSurface* surface = SelectedInUse();
  room.Engine.GetHost().SetStatusText(TRoom::MessageStatusPanel,
                                      surface ? "Surface " + std::to_string(surface->slotIndex) + ": " +
                                                    std::string(surface->name.str())
                                              : std::string("No surface selected"));
}

void TCursor::InvertSurface(TRoom&) {
  if (TSurface* surface = SelectedInUse()) surface->Invert();
}

void TCursor::RotateSurfaceLeft(TRoom&) {
  if (TSurface* surface = SelectedInUse()) surface->RotateLeft();
}

void TCursor::RotateSurfaceRight(TRoom&) {
  if (TSurface* surface = SelectedInUse()) surface->RotateRight();
}

void TCursor::ComputeSurface(TRoom&) {
  if (TSurface* surface = SelectedInUse()) surface->RecomputeOrRestore(surface->Record());
}

void TCursor::EditSurface(TRoom& room) {
  TSurface* surface = SelectedInUse();
  if (!surface) return;
  surface->Edit();
  if (!surface->InUse()) SelectNextSurface(room);
  room.CountSurfaces();
  FollowSelectedSurface(room);
}

void TCursor::FollowSelectedSurface(TRoom& room) const {
  if (SelectedSurface) ShowSelectedSurface(room);
}
