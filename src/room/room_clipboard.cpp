#include "room/room_clipboard.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <set>

#include "core/binary_io.h"
#include "engine/edit_engine.h"
#include "entities/edit_entity.h"
#include "entities/entity_camera.h"
#include "entities/entity_registry.h"
#include "entities/record_visitors.h"
#include "models/edit_model.h"

namespace {

// Not text any program would put on a clipboard, so foreign bytes are told apart at once.
constexpr std::array<std::uint8_t, 8> Magic{'B', 'r', 'n', 'k', 'S', 'e', 'l', 0x1A};
constexpr std::uint16_t Version = 1;

enum class PayloadKind : std::uint16_t { Lights = 1, Entities = 2, Surfaces = 3, Fields = 4 };

constexpr std::string_view Damaged = "The clipboard holds a damaged selection; nothing was pasted.";

// Why a paste that read well cannot go into this room.
struct Refusal {
  std::string message;
};

struct Staged {
  TSelection::Kind kind = TSelection::Kind::None;
  std::vector<std::span<const std::uint8_t>> records;  // light and surface records
  std::vector<std::unique_ptr<TEntity>> entities;
  std::vector<String255> tileNames;
  int columns = 0, rows = 0;
  std::span<const std::uint8_t> fields;
};

void WriteHeader(BinaryWriter& out, PayloadKind kind) {
  out.WriteBytes(Magic);
  out.WriteU16(Version);
  out.WriteU16(static_cast<std::uint16_t>(kind));
}

// The slots of the selection that hold an object in use, ascending.
template <class InUse>
std::vector<int> UsedSlots(const TSelection& selection, int slots, InUse inUse) {
  std::vector<int> used;
  for (const int slot : selection.Slots())
    if (slot >= 0 && slot < slots && inUse(static_cast<std::size_t>(slot))) used.push_back(slot);
  return used;
}

// The tile-list entry whose model the entity shows, when it shows one of the room's.
std::optional<std::size_t> TileListEntry(const TRoom& room, const TEntity& entity) {
  const TModelEngine* models = room.Engine.ModelEngine.get();
  if (!models) return std::nullopt;
  const int slot = models->FindModel(entity.ModelName);
  const int entry = slot - models->GlobalCount - 1;
  if (slot < 0 || entry < 0 || entry >= TRoom::TileSlots) return std::nullopt;
  if (room.TileList[static_cast<std::size_t>(entry)].empty()) return std::nullopt;
  // A tile model that did not load has no name of its own that the entity could show.
  const TVEModel* model = models->GetModel(static_cast<std::int16_t>(slot));
  if (!model || !model->Loaded) return std::nullopt;
  return static_cast<std::size_t>(entry);
}

// A count the slot table cannot hold, or more records than the bytes left can carry,
// is damage.
int ReadCount(BinaryReader& in, int capacity, std::size_t recordSize) {
  const int count = in.ReadI16();
  if (count <= 0 || count > capacity || static_cast<std::size_t>(count) * recordSize > in.Remaining())
    throw ReadError("count out of range");
  return count;
}

std::span<const std::uint8_t> Since(std::span<const std::uint8_t> payload, std::size_t start, const BinaryReader& in) {
  return payload.subspan(start, in.Position() - start);
}

// Reads and checks the whole payload without touching the room.
Staged Stage(TRoom& room, std::span<const std::uint8_t> payload, BinaryReader& in) {
  Staged staged;
  const auto kind = static_cast<PayloadKind>(in.ReadU16());
  switch (kind) {
    case PayloadKind::Lights: {
      staged.kind = TSelection::Kind::Lights;
      const int count = ReadCount(in, TRoom::LightSlots, TLight::RecordSize);
      TLight probe(room);
      for (int i = 0; i < count; ++i) {
        const std::size_t start = in.Position();
        probe.ReadRecord(in);
        if (!probe.InUse()) throw ReadError("light of a free slot");
        staged.records.push_back(Since(payload, start, in));
      }
      break;
    }
    case PayloadKind::Entities: {
      staged.kind = TSelection::Kind::Entities;
      const int names = in.ReadI16();
      if (names < 0 || names > TRoom::TileSlots) throw ReadError("tile names out of range");
      for (int i = 0; i < names; ++i) {
        staged.tileNames.push_back(in.ReadString<255>());
        if (staged.tileNames.back().empty()) throw ReadError("empty tile name");
      }
      const int count = ReadCount(in, TRoom::EntitySlots, 2 + TEntity::CommonRecordSize);
      for (int i = 0; i < count; ++i) {
        std::unique_ptr<TEntity> entity = CreateEntity(room.Engine, in.ReadI16());
        if (!entity) throw ReadError("entity typus without a class");
        entity->ReadCommon(in);
        entity->ReadRecord(in);
        staged.entities.push_back(std::move(entity));
      }
      break;
    }
    case PayloadKind::Surfaces: {
      staged.kind = TSelection::Kind::Surfaces;
      const int count = ReadCount(in, TRoom::SurfaceSlots, TSurface::RecordHeaderSize);
      for (int i = 0; i < count; ++i) {
        const std::size_t start = in.Position();
        if (!TSurface::SkipRecord(in)) throw ReadError("surface of a free slot");
        staged.records.push_back(Since(payload, start, in));
      }
      break;
    }
    case PayloadKind::Fields: {
      staged.kind = TSelection::Kind::Fields;
      staged.columns = in.ReadI16();
      staged.rows = in.ReadI16();
      if (staged.columns <= 0 || staged.columns > TRoom::GridSize || staged.rows <= 0 || staged.rows > TRoom::GridSize)
        throw ReadError("field rectangle out of range");
      const std::size_t start = in.Position();
      in.Skip(static_cast<std::size_t>(staged.columns * staged.rows) * TField::RecordSize);
      staged.fields = Since(payload, start, in);
      break;
    }
    default: throw ReadError("unknown selection kind");
  }
  if (!in.AtEnd()) throw ReadError("bytes after the selection");
  return staged;
}

template <class Table, class InUse>
std::vector<std::size_t> FreeSlots(const Table& table, InUse inUse) {
  std::vector<std::size_t> free;
  for (std::size_t i = 0; i < table.size(); ++i)
    if (!inUse(table[i])) free.push_back(i);
  return free;
}

void CheckSlots(std::size_t needed, std::size_t free, std::string_view what) {
  if (needed <= free) return;
  throw Refusal{"The paste needs " + std::to_string(needed) + " " + std::string(what) + " slots, but the room has " +
                std::to_string(free) + " free; nothing was pasted."};
}

// The name without the number it ends in: the base a new number is put after.
String32 BaseName(const String32& name) {
  std::string_view base = name.view();
  while (!base.empty() && base.back() >= '0' && base.back() <= '9') base.remove_suffix(1);
  return String32(base);
}

// Pasted entities whose names the room held before (or an earlier pasted one has) get
// fresh ones, and every reference among the pasted entities follows.
void GiveFreeNames(TRoom& room, const std::set<std::string, std::less<>>& held, const std::vector<TEntity*>& pasted) {
  ReferenceRenamer::Renames renames;
  std::set<std::string, std::less<>> seen;
  for (TEntity* entity : pasted) {
    const std::string old = entity->Name.str();
    if (held.contains(old) || !seen.insert(old).second) {
      entity->Name = BaseName(entity->Name);
      room.GiveUniqueName(*entity);
      renames.emplace(old, entity->Name);
    }
  }
  if (renames.empty()) return;
  ReferenceRenamer renamer(renames);
  for (TEntity* entity : pasted) entity->VisitFields(renamer);
}

struct Bounds {
  float minX = INFINITY, minZ = INFINITY, maxX = -INFINITY, maxZ = -INFINITY;
  void Take(const TVector& p) {
    minX = std::min(minX, p.x);
    minZ = std::min(minZ, p.z);
    maxX = std::max(maxX, p.x);
    maxZ = std::max(maxZ, p.z);
  }
  TVector Centre() const { return {(minX + maxX) / 2.0f, 0.0f, (minZ + maxZ) / 2.0f}; }
};

struct Placement {
  std::optional<TVector> centre;
  TVector offset;  // used without a centre
  TCell anchor;
};

// Moves what the paste placed, so the centre of its box on the floor lies at the centre.
void Move(TRoom& room, const TSelection& pasted, const Placement& placement) {
  std::vector<TLight*> lights;
  std::vector<TEntity*> entities;
  std::vector<TSurface*> surfaces;
  Bounds box;
  for (const int slot : pasted.Slots()) {
    const auto i = static_cast<std::size_t>(slot);
    switch (pasted.What()) {
      case TSelection::Kind::Lights:
        lights.push_back(&room.Lights[i]);
        box.Take(room.Lights[i].Position);
        break;
      case TSelection::Kind::Entities:
        entities.push_back(room.Entities[i].get());
        box.Take(room.Entities[i]->Position);
        break;
      case TSelection::Kind::Surfaces:
        surfaces.push_back(room.Surfaces[i].get());
        for (const auto& corner : room.Surfaces[i]->corners) box.Take(corner.position);
        break;
      default: break;
    }
  }
  TVector d = placement.offset;
  if (placement.centre) {
    const TVector from = box.Centre();
    d = {placement.centre->x - from.x, 0.0f, placement.centre->z - from.z};
  }
  if (d.x == 0.0f && d.y == 0.0f && d.z == 0.0f) return;
  for (TLight* light : lights) light->Position = TQZEngine::Add(light->Position, d);
  for (TEntity* entity : entities) {
    entity->Position = TQZEngine::Add(entity->Position, d);
    // A camera's zone is in room coordinates and goes with it.
    if (auto* camera = dynamic_cast<TECamera*>(entity)) {
      camera->ZoneMinX += d.x;
      camera->ZoneMaxX += d.x;
      camera->ZoneMinZ += d.z;
      camera->ZoneMaxZ += d.z;
    }
  }
  // The light map comes as it was copied; only the centre derives from the corners'
  // place (normal, extents and texture coordinates stay under a move).
  for (TSurface* surface : surfaces) {
    for (auto& corner : surface->corners) corner.position = TQZEngine::Add(corner.position, d);
    surface->ComputeExtents();
  }
}

PasteResult Refused(std::string message) {
  PasteResult result;
  result.outcome = PasteResult::Outcome::Refused;
  result.error = std::move(message);
  return result;
}

PasteResult Paste(TRoom& room, std::span<const std::uint8_t> payload, const Placement& placement) {
  if (payload.size() < Magic.size() || !std::equal(Magic.begin(), Magic.end(), payload.begin())) return {};
  BinaryReader in(payload);
  Staged staged;
  try {
    in.Skip(Magic.size());
    if (in.ReadU16() != Version)
      return Refused("The clipboard holds a selection of another version of Brannock; nothing was pasted.");
    staged = Stage(room, payload, in);
  } catch (const ReadError&) {
    return Refused(std::string(Damaged));
  }

  TSelection pasted;
  bool tileListChanged = false;
  try {
    switch (staged.kind) {
      case TSelection::Kind::Lights: {
        const auto free = FreeSlots(room.Lights, [](const TLight& l) { return l.InUse(); });
        CheckSlots(staged.records.size(), free.size(), "light");
        for (std::size_t i = 0; i < staged.records.size(); ++i) {
          BinaryReader record(staged.records[i]);
          room.Lights[free[i]].ResetLight();
          room.Lights[free[i]].ReadRecord(record);
          pasted.Add(TSelection::Kind::Lights, static_cast<int>(free[i]));
        }
        break;
      }
      case TSelection::Kind::Entities: {
        const auto free = FreeSlots(room.Entities, [](const auto& e) { return e->InUse(); });
        CheckSlots(staged.entities.size(), free.size(), "entity");
        std::vector<std::size_t> emptyEntries;
        for (std::size_t i = 0; i < room.TileList.size(); ++i)
          if (room.TileList[i].empty()) emptyEntries.push_back(i);
        std::vector<String255> missing;
        for (const auto& name : staged.tileNames)
          if (std::find(room.TileList.begin(), room.TileList.end(), name) == room.TileList.end() &&
              std::find(missing.begin(), missing.end(), name) == missing.end())
            missing.push_back(name);
        if (missing.size() > emptyEntries.size())
          throw Refusal{"The pasted entities need " + std::to_string(missing.size()) +
                        " more tile models, but the room's tile list has " + std::to_string(emptyEntries.size()) +
                        " free entries; nothing was pasted."};

        for (std::size_t i = 0; i < missing.size(); ++i) room.TileList[emptyEntries[i]] = missing[i];
        tileListChanged = !missing.empty();
        std::set<std::string, std::less<>> held;
        for (const auto& entity : room.Entities)
          if (entity->InUse()) held.insert(entity->Name.str());
        std::vector<TEntity*> placed;
        for (std::size_t i = 0; i < staged.entities.size(); ++i) {
          placed.push_back(staged.entities[i].get());
          staged.entities[i]->SlotIndex = static_cast<std::int16_t>(free[i]);
          room.PutEntity(free[i], std::move(staged.entities[i]));
          pasted.Add(TSelection::Kind::Entities, static_cast<int>(free[i]));
        }
        GiveFreeNames(room, held, placed);
        break;
      }
      case TSelection::Kind::Surfaces: {
        const auto free = FreeSlots(room.Surfaces, [](const auto& s) { return s->InUse(); });
        CheckSlots(staged.records.size(), free.size(), "surface");
        for (std::size_t i = 0; i < staged.records.size(); ++i) {
          BinaryReader record(staged.records[i]);
          room.Surfaces[free[i]]->ReadRecord(record);
          pasted.Add(TSelection::Kind::Surfaces, static_cast<int>(free[i]));
        }
        break;
      }
      case TSelection::Kind::Fields: {
        const TCell a = placement.anchor;
        // In 64 bits: an anchor far outside the grid must not overflow.
        const auto lastOf = [](int first, int size) {
          return static_cast<int>(std::min<long long>(static_cast<long long>(first) + size, TRoom::GridSize) - 1);
        };
        const TFieldRect rect{std::max(a.x, 0), std::max(a.z, 0), lastOf(a.x, staged.columns), lastOf(a.z, staged.rows)};
        if (rect.Empty()) throw Refusal{"The pasted fields would lie outside the room; nothing was pasted."};
        for (int x = rect.minX; x <= rect.maxX; ++x) {
          for (int z = rect.minZ; z <= rect.maxZ; ++z) {
            const auto index = static_cast<std::size_t>((x - a.x) * staged.rows + (z - a.z));
            BinaryReader record(staged.fields.subspan(index * TField::RecordSize, TField::RecordSize));
            room.FieldOf(x, z).ReadRecord(record);
          }
        }
        pasted.SetFields(rect);
        break;
      }
      default: break;
    }
  } catch (const Refusal& refusal) {
    return Refused(refusal.message);
  }

  Move(room, pasted, placement);
  room.CountLights();
  room.CountEntities();
  room.CountSurfaces();
  if (tileListChanged) {
    room.ReloadResources();
  } else if (pasted.What() == TSelection::Kind::Entities) {
    room.BindEntities();
  }
  PasteResult result;
  result.outcome = PasteResult::Outcome::Pasted;
  result.countText = CountText(pasted.What(), pasted.Count());
  result.pasted = std::move(pasted);
  return result;
}

}  // namespace

std::string CountText(TSelection::Kind kind, int count) {
  const bool one = count == 1;
  std::string_view noun;
  switch (kind) {
    case TSelection::Kind::Lights: noun = one ? "Light" : "Lights"; break;
    case TSelection::Kind::Entities: noun = one ? "Entity" : "Entities"; break;
    case TSelection::Kind::Surfaces: noun = one ? "Surface" : "Surfaces"; break;
    case TSelection::Kind::Fields: noun = one ? "Field" : "Fields"; break;
    default: return {};
  }
  return std::to_string(count) + " " + std::string(noun);
}

std::vector<std::uint8_t> CopySelection(const TRoom& room, const TSelection& selection) {
  BinaryWriter out;
  switch (selection.What()) {
    case TSelection::Kind::Lights: {
      const auto slots = UsedSlots(selection, TRoom::LightSlots, [&](std::size_t i) { return room.Lights[i].InUse(); });
      if (slots.empty()) return {};
      WriteHeader(out, PayloadKind::Lights);
      out.WriteI16(static_cast<std::int16_t>(slots.size()));
      for (const int slot : slots) room.Lights[static_cast<std::size_t>(slot)].WriteRecord(out);
      break;
    }
    case TSelection::Kind::Entities: {
      const auto slots =
          UsedSlots(selection, TRoom::EntitySlots, [&](std::size_t i) { return room.Entities[i]->InUse(); });
      if (slots.empty()) return {};
      std::vector<std::size_t> entries;
      for (const int slot : slots) {
        const auto entry = TileListEntry(room, *room.Entities[static_cast<std::size_t>(slot)]);
        if (entry && std::find(entries.begin(), entries.end(), *entry) == entries.end()) entries.push_back(*entry);
      }
      WriteHeader(out, PayloadKind::Entities);
      out.WriteI16(static_cast<std::int16_t>(entries.size()));
      for (const std::size_t entry : entries) out.WriteString(room.TileList[entry]);
      out.WriteI16(static_cast<std::int16_t>(slots.size()));
      for (const int slot : slots) TRoom::WriteEntity(*room.Entities[static_cast<std::size_t>(slot)], out);
      break;
    }
    case TSelection::Kind::Surfaces: {
      const auto slots =
          UsedSlots(selection, TRoom::SurfaceSlots, [&](std::size_t i) { return room.Surfaces[i]->InUse(); });
      if (slots.empty()) return {};
      WriteHeader(out, PayloadKind::Surfaces);
      out.WriteI16(static_cast<std::int16_t>(slots.size()));
      for (const int slot : slots) room.Surfaces[static_cast<std::size_t>(slot)]->WriteRecord(out);
      break;
    }
    case TSelection::Kind::Fields: {
      const TFieldRect& s = selection.Fields();
      const TFieldRect rect{std::max(s.minX, 0), std::max(s.minZ, 0), std::min(s.maxX, TRoom::GridSize - 1),
                            std::min(s.maxZ, TRoom::GridSize - 1)};
      if (rect.Empty()) return {};
      WriteHeader(out, PayloadKind::Fields);
      out.WriteI16(static_cast<std::int16_t>(rect.maxX - rect.minX + 1));
      out.WriteI16(static_cast<std::int16_t>(rect.maxZ - rect.minZ + 1));
      for (int x = rect.minX; x <= rect.maxX; ++x)
        for (int z = rect.minZ; z <= rect.maxZ; ++z) room.FieldOf(x, z).WriteRecord(out);
      break;
    }
    default: return {};
  }
  return out.Take();
}

PasteResult PasteSelection(TRoom& room, std::span<const std::uint8_t> payload, std::optional<TVector> centre,
                           TCell fieldAnchor) {
  return Paste(room, payload, {centre, {}, fieldAnchor});
}

PasteResult Duplicate(TRoom& room, const TSelection& selection) {
  const auto payload = CopySelection(room, selection);
  const TFieldRect& rect = selection.Fields();
  return Paste(room, payload, {std::nullopt, {1.0f, 0.0f, 1.0f}, {std::max(rect.minX, 0) + 1, std::max(rect.minZ, 0) + 1}});
}
