#include "room/selection_edit.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "core/form.h"
#include "engine/edit_engine.h"
#include "entities/edit_entity.h"
#include "room/edit_room.h"

namespace selection {
namespace {

using Kind = TSelection::Kind;

// Each selected object's positions, so one loop serves every command; a surface has four.
template <class Room, class Visit>
void ForEachPosition(Room& room, Visit visit) {
  const TSelection& chosen = room.Selection;
  for (const int slot : chosen.Slots()) {
    const auto at = static_cast<std::size_t>(slot);
    switch (chosen.What()) {
      case Kind::Lights: visit(room.Lights[at].Position); break;
      case Kind::Entities: visit(room.Entities[at]->Position); break;
      case Kind::Surfaces:
        for (auto& corner : room.Surfaces[at]->corners) visit(corner.position);
        break;
      default: break;
    }
  }
}

bool InUse(const TRoom& room, Kind kind, int slot) {
  const auto at = static_cast<std::size_t>(slot);
  switch (kind) {
    case Kind::Lights: return room.Lights[at].InUse();
    case Kind::Entities: return room.Entities[at]->InUse();
    case Kind::Surfaces: return room.Surfaces[at]->InUse();
    default: return false;
  }
}

int SlotCount(Kind kind) {
  switch (kind) {
    case Kind::Lights: return TRoom::LightSlots;
    case Kind::Entities: return TRoom::EntitySlots;
    case Kind::Surfaces: return TRoom::SurfaceSlots;
    default: return 0;
  }
}

// The point an object is drawn at, for the box: a light's or entity's position, a
// surface's middle.
TVector DrawnAt(const TRoom& room, Kind kind, int slot) {
  const auto at = static_cast<std::size_t>(slot);
  if (kind == Kind::Lights) return room.Lights[at].Position;
  if (kind == Kind::Entities) return room.Entities[at]->Position;
  TVector sum;
  for (const auto& corner : room.Surfaces[at]->corners) sum = TQZEngine::Add(sum, corner.position);
  return TQZEngine::Scale(sum, 0.25f);
}

void AfterSurfaceCornersMoved(TRoom& room) {
  if (room.Selection.What() != Kind::Surfaces) return;
  for (const int slot : room.Selection.Slots()) {
    TSurface& surface = *room.Surfaces[static_cast<std::size_t>(slot)];
    surface.ComputeNormal();
    surface.ComputeExtents();
  }
}

// (x, z) turned by quarter turns to the left about (cx, cz); seen from above with +z
// down the view, left is counter-clockwise: +x turns to -z.
void Turn(float& x, float& z, float cx, float cz, int quarterTurns) {
  for (int i = 0; i < ((quarterTurns % 4) + 4) % 4; ++i) {
    const float dx = x - cx, dz = z - cz;
    x = cx + dz;
    z = cz - dx;
  }
}

void RotateFields(TRoom& room, int quarterTurns) {
  const TFieldRect old = room.Selection.Fields();
  std::vector<TField> block;
  for (int x = old.minX; x <= old.maxX; ++x)
    for (int z = old.minZ; z <= old.maxZ; ++z) block.push_back(room.Fields[static_cast<std::size_t>(x * TRoom::GridSize + z)]);
  for (int x = old.minX; x <= old.maxX; ++x)
    for (int z = old.minZ; z <= old.maxZ; ++z) room.Fields[static_cast<std::size_t>(x * TRoom::GridSize + z)].Reset();
  // Field centres turn about the rectangle's middle; a rectangle of odd and even sides
  // lands half a field off, so centres are counted in half fields.
  const int cx2 = old.minX + old.maxX, cz2 = old.minZ + old.maxZ;
  TFieldRect turned{TRoom::GridSize, TRoom::GridSize, -1, -1};
  std::size_t next = 0;
  for (int x = old.minX; x <= old.maxX; ++x) {
    for (int z = old.minZ; z <= old.maxZ; ++z) {
      float tx = static_cast<float>(2 * x), tz = static_cast<float>(2 * z);
      Turn(tx, tz, static_cast<float>(cx2), static_cast<float>(cz2), quarterTurns);
      // Integer division towards minus infinity keeps an off-centre block whole.
      const int nx = static_cast<int>(std::floor(tx / 2.0f)), nz = static_cast<int>(std::floor(tz / 2.0f));
      const TField& from = block[next++];
      if (nx < 0 || nz < 0 || nx >= TRoom::GridSize || nz >= TRoom::GridSize) continue;
      // The stored values move; a field keeps its own place in the grid.
      TField& to = room.Fields[static_cast<std::size_t>(nx * TRoom::GridSize + nz)];
      to.Typus = from.Typus;
      to.Material = from.Material;
      to.Height = from.Height;
      to.Ceiling = from.Ceiling;
      turned = {std::min(turned.minX, nx), std::min(turned.minZ, nz), std::max(turned.maxX, nx), std::max(turned.maxZ, nz)};
    }
  }
  room.Selection.SetFields(turned);
}

}  // namespace

Kind SheetKind(const Form& main) {
  const std::string page = main.ActivePage("PageControl");
  if (page == "TabSheetLights") return Kind::Lights;
  if (page == "TabSheetEntities") return Kind::Entities;
  if (page == "TabSheetSurfaces") return Kind::Surfaces;
  if (page == "TabSheetFields") return Kind::Fields;
  return Kind::None;
}

void SelectAll(TRoom& room, Kind kind) {
  room.Selection.Clear();
  if (kind == Kind::Fields) {
    room.Selection.SetFields({0, 0, TRoom::GridSize - 1, TRoom::GridSize - 1});
    return;
  }
  for (int slot = 0; slot < SlotCount(kind); ++slot)
    if (InUse(room, kind, slot)) room.Selection.Add(kind, slot);
}

bool SelectSameKind(TRoom& room) {
  const TSelection& chosen = room.Selection;
  if (chosen.Slots().empty()) return false;
  const auto first = static_cast<std::size_t>(*chosen.Slots().begin());
  const Kind kind = chosen.What();
  std::function<bool(std::size_t)> same;
  if (kind == Kind::Lights) {
    const auto effect = room.Lights[first].Effect;
    same = [&, effect](std::size_t at) { return room.Lights[at].Effect == effect; };
  } else if (kind == Kind::Entities) {
    const auto typus = room.Entities[first]->Typus;
    same = [&, typus](std::size_t at) { return room.Entities[at]->Typus == typus; };
  } else if (kind == Kind::Surfaces) {
    const std::string texture(room.Surfaces[first]->textureName.view());
    same = [&, texture](std::size_t at) { return room.Surfaces[at]->textureName.view() == texture; };
  } else {
    return false;
  }
  room.Selection.Clear();
  for (int slot = 0; slot < SlotCount(kind); ++slot)
    if (InUse(room, kind, slot) && same(static_cast<std::size_t>(slot))) room.Selection.Add(kind, slot);
  return true;
}

void SelectInBox(TRoom& room, Kind kind, TViewPoint a, TViewPoint b, bool add) {
  if (!add || room.Selection.What() != kind) room.Selection.Clear();
  const float left = std::min(a.x, b.x), right = std::max(a.x, b.x);
  const float top = std::min(a.y, b.y), bottom = std::max(a.y, b.y);
  const TViewMapping view(room.Camera);
  for (int slot = 0; slot < SlotCount(kind); ++slot) {
    if (!InUse(room, kind, slot)) continue;
    const auto drawn = view.ToView(DrawnAt(room, kind, slot));
    if (drawn && drawn->x >= left && drawn->x <= right && drawn->y >= top && drawn->y <= bottom)
      room.Selection.Add(kind, slot);
  }
}

TVector Centre(const TRoom& room) {
  const TSelection& chosen = room.Selection;
  if (chosen.What() == Kind::Fields) {
    const TFieldRect& f = chosen.Fields();
    // Field x covers x - 30 to x - 29 metres.
    return {static_cast<float>(f.minX + f.maxX + 1) / 2.0f - 30.0f, 0.0f,
            static_cast<float>(f.minZ + f.maxZ + 1) / 2.0f - 30.0f};
  }
  bool first = true;
  TVector low, high;
  ForEachPosition(room, [&](const TVector& p) {
    low = first ? p : TVector{std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
    high = first ? p : TVector{std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
    first = false;
  });
  return {(low.x + high.x) / 2.0f, (low.y + high.y) / 2.0f, (low.z + high.z) / 2.0f};
}

void Move(TRoom& room, const TVector& delta) {
  ForEachPosition(room, [&](TVector& p) { p = {p.x + delta.x, p.y + delta.y, p.z + delta.z}; });
  AfterSurfaceCornersMoved(room);
}

void Rotate(TRoom& room, int quarterTurns) {
  if (room.Selection.What() == Kind::Fields) {
    RotateFields(room, quarterTurns);
    return;
  }
  const TVector centre = Centre(room);
  ForEachPosition(room, [&](TVector& p) { Turn(p.x, p.z, centre.x, centre.z, quarterTurns); });
  if (room.Selection.What() == Kind::Entities) {
    for (const int slot : room.Selection.Slots()) {
      float& heading = room.Entities[static_cast<std::size_t>(slot)]->Rotation.y;
      heading = std::fmod(heading + 90.0f * static_cast<float>(quarterTurns) + 360.0f, 360.0f);
    }
  }
  AfterSurfaceCornersMoved(room);
}

int Delete(TRoom& room) {
  TSelection& chosen = room.Selection;
  int deleted = 0;
  if (chosen.What() == Kind::Fields) {
    const TFieldRect& f = chosen.Fields();
    for (int x = f.minX; x <= f.maxX; ++x)
      for (int z = f.minZ; z <= f.maxZ; ++z) room.Fields[static_cast<std::size_t>(x * TRoom::GridSize + z)].Reset();
    deleted = chosen.Count();
  }
  for (const int slot : chosen.Slots()) {
    const auto at = static_cast<std::size_t>(slot);
    if (!InUse(room, chosen.What(), slot)) continue;
    ++deleted;
    // The tools' own picks must not name what is gone.
    if (chosen.What() == Kind::Lights) {
      if (room.Cursor.SelectedLight == &room.Lights[at]) room.Cursor.SelectedLight = nullptr;
      room.Lights[at].ResetLight();
    }
    if (chosen.What() == Kind::Surfaces) {
      if (room.Cursor.SelectedSurface == room.Surfaces[at].get()) room.Cursor.SelectedSurface = nullptr;
      room.Surfaces[at]->Reset();
    }
    if (chosen.What() == Kind::Entities) {
      room.Cursor.Forget(*room.Entities[at]);
      room.Entities[at]->Delete();
    }
  }
  const Kind kind = chosen.What();
  chosen.Clear();
  if (kind == Kind::Lights) room.CountLights();
  if (kind == Kind::Surfaces) room.CountSurfaces();
  if (kind == Kind::Entities) {
    room.CountEntities();
    // Links to the deleted entities go, as after a dialog's Delete.
    room.BindEntities();
  }
  return deleted;
}

std::string StatusText(const TRoom& room) {
  const TSelection& chosen = room.Selection;
  const int count = chosen.Count();
  if (count == 0) return {};
  const char* noun = "";
  switch (chosen.What()) {
    case Kind::Lights: noun = count == 1 ? "light" : "lights"; break;
    case Kind::Entities: noun = count == 1 ? "entity" : "entities"; break;
    case Kind::Surfaces: noun = count == 1 ? "surface" : "surfaces"; break;
    case Kind::Fields: noun = count == 1 ? "field" : "fields"; break;
    case Kind::None: return {};
  }
  return std::to_string(count) + " " + noun + " selected";
}

}  // namespace selection
