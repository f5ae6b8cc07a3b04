#include "tool/world_command.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <system_error>
#include <vector>

#include "core/file_system.h"
#include "core/game_path.h"
#include "core/headless_host.h"
#include "engine/edit_engine.h"
#include "entities/entity_typus.h"
#include "room/edit_room.h"
#include "tool/json_text.h"
#include "world/room_check.h"
#include "world/world_links.h"

namespace {

namespace fs = std::filesystem;
using json_text::Utf8;

struct RoomEntry {
  std::string file;   // host path
  std::string shown;  // relative to the game directory where it lies below it
  std::string name;
  std::vector<std::string> problems;  // load errors, then what check reports
  bool complete = true;
  RoomOutline outline;
  std::vector<std::string> notes;
};

struct LinkEntry {
  std::size_t room;  // index into the rooms
  RoomLink link;
  LinkCheck check;
  std::string resolvedShown;
};

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

std::string Canonical(const std::string& hostPath) {
  std::error_code error;
  const fs::path real = fs::weakly_canonical(hostPath, error);
  return error ? hostPath : real.string();
}

class World {
public:
  World(TQZEngine& engine, HeadlessHost& host, const WorldOptions& options) : engine_(engine), host_(host) {
    gameDirectory_ = fs_layer::ToHostPath(engine.BaseDir.view());
    if (options.roomDirectory.empty()) {
      roomDirectory_ = fs_layer::ToHostPath(engine.RoomDir.view());
      roomGamePath_ = engine.RoomDir.str();
    } else {
      roomDirectory_ = fs::absolute(options.roomDirectory).lexically_normal().string();
      roomGamePath_ = game_path::FromHost(roomDirectory_);
      if (roomGamePath_.empty() || roomGamePath_.back() != '\\') roomGamePath_ += '\\';
    }
  }

  // False when the room directory cannot be listed.
  bool Load(std::ostream& err) {
    std::error_code error;
    std::vector<fs::path> files;
    for (fs::directory_iterator it(roomDirectory_, error), end; !error && it != end; it.increment(error))
      if (Lower(it->path().extension().string()) == ".rer" && it->is_regular_file()) files.push_back(it->path());
    if (error) {
      err << "world: cannot read the room directory " << roomDirectory_ << ": " << error.message() << '\n';
      return false;
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) LoadRoom(file.string());
    return true;
  }

  void CheckLinks() {
    std::map<std::string, std::size_t> byFile;
    for (std::size_t i = 0; i < rooms_.size(); ++i) byFile.emplace(Canonical(rooms_[i].file), i);
    std::set<std::pair<std::size_t, std::string>> markersReached;
    std::set<std::size_t> roomsReached;
    for (std::size_t i = 0; i < rooms_.size(); ++i) {
      for (const RoomLink& link : rooms_[i].outline.links) {
        auto resolved = ResolveRoomFile(engine_.BaseDir.view(), roomGamePath_, link.toRoom);
        std::vector<std::string> markers;
        std::optional<std::size_t> target;
        if (resolved) {
          if (const auto it = byFile.find(Canonical(*resolved)); it != byFile.end()) {
            target = it->second;
            markers = rooms_[it->second].outline.markers;
          } else if (auto outline = outside_.Get(engine_, *resolved)) {
            // A room outside the directory checked: only its markers are read.
            markers = std::move(outline->markers);
          }
        }
        LinkEntry entry{i, link, CheckLink(link, resolved, markers), resolved ? Shown(*resolved) : std::string()};
        if (target) {
          if (*target != i) roomsReached.insert(*target);
          if (entry.check.Holds()) markersReached.emplace(*target, link.toMarker);
        }
        links_.push_back(std::move(entry));
      }
    }
    for (std::size_t i = 0; i < rooms_.size(); ++i) {
      for (const std::string& marker : rooms_[i].outline.markers)
        if (!markersReached.contains({i, marker}))
          rooms_[i].notes.push_back("marker \"" + Utf8(marker) + "\": no door or portal of the world leads to it");
      if (!roomsReached.contains(i)) rooms_[i].notes.push_back("no door or portal of another room leads here");
    }
  }

  int Status() const { return BrokenLinks() == 0 && RoomsWithErrors() == 0 ? 0 : 1; }

  void WriteText(std::ostream& out) const {
    for (std::size_t i = 0; i < rooms_.size(); ++i) {
      const RoomEntry& room = rooms_[i];
      std::vector<std::string> lines = room.problems;
      for (const LinkEntry& entry : links_)
        if (entry.room == i && !entry.check.Holds())
          lines.push_back("entity " + std::to_string(entry.link.slot) + " \"" + Utf8(entry.link.entity) +
                          "\": " + Utf8(entry.check.Describe(entry.link, entry.resolvedShown)));
      out << room.shown << " \"" << Utf8(room.name) << "\": ";
      if (lines.empty())
        out << "no problems\n";
      else
        out << lines.size() << (lines.size() == 1 ? " problem\n" : " problems\n");
      for (const std::string& line : lines) out << "  " << line << '\n';
      for (const std::string& note : room.notes) out << "  note: " << note << '\n';
    }
    out << rooms_.size() << (rooms_.size() == 1 ? " room, " : " rooms, ") << links_.size()
        << (links_.size() == 1 ? " link, " : " links, ") << BrokenLinks() << " broken, " << RoomsWithErrors()
        << (RoomsWithErrors() == 1 ? " room with errors\n" : " rooms with errors\n");
  }

  void WriteJson(std::ostream& out) const {
    nlohmann::ordered_json rooms = nlohmann::ordered_json::array();
    for (const RoomEntry& room : rooms_) {
      nlohmann::ordered_json markers = nlohmann::ordered_json::array();
      for (const std::string& marker : room.outline.markers) markers.push_back(Utf8(marker));
      rooms.push_back({{"file", room.shown},
                       {"name", Utf8(room.name)},
                       {"complete", room.complete},
                       {"problems", room.problems},
                       {"markers", std::move(markers)},
                       {"notes", room.notes}});
    }
    nlohmann::ordered_json links = nlohmann::ordered_json::array();
    for (const LinkEntry& entry : links_) {
      const auto optional = [](const std::string& text) {
        return text.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(text);
      };
      links.push_back({{"room", rooms_[entry.room].shown},
                       {"entity", Utf8(entry.link.entity)},
                       {"slot", entry.link.slot},
                       {"typus", entry.link.typus},
                       {"toRoom", Utf8(entry.link.toRoom)},
                       {"toMarker", Utf8(entry.link.toMarker)},
                       {"resolved", optional(entry.resolvedShown)},
                       {"problem", optional(entry.check.Problem())}});
    }
    out << nlohmann::ordered_json{{"rooms", std::move(rooms)}, {"links", std::move(links)}}.dump(1) << '\n';
  }

  void WriteDot(std::ostream& out) const {
    out << "digraph world {\n  node [shape=box];\n";
    for (const RoomEntry& room : rooms_) {
      out << "  " << Quoted(room.shown) << " [label=" << Quoted(Utf8(room.name) + "\n" + room.shown);
      if (!room.problems.empty()) out << ", color=red";
      out << "];\n";
    }
    std::set<std::string> missing;
    for (const LinkEntry& entry : links_) {
      std::string to = entry.resolvedShown;
      if (to.empty()) {
        to = "not found: " + Utf8(entry.link.toRoom);
        if (missing.insert(to).second) out << "  " << Quoted(to) << " [color=red, fontcolor=red, style=dashed];\n";
      }
      out << "  " << Quoted(rooms_[entry.room].shown) << " -> " << Quoted(to)
          << " [label=" << Quoted(Utf8(entry.link.entity) + " \u2192 " + Utf8(entry.link.toMarker));
      if (!entry.check.Holds()) out << ", color=red, fontcolor=red";
      out << "];\n";
    }
    out << "}\n";
  }

private:
  void LoadRoom(const std::string& file) {
    const std::size_t errorsBefore = host_.errors.size();
    TRoom& room = *engine_.Room;
    RoomEntry entry;
    entry.file = file;
    entry.shown = Shown(file);
    entry.complete = room.LoadFromFile(file);
    for (std::size_t e = errorsBefore; e < host_.errors.size(); ++e)
      entry.problems.push_back(Utf8(host_.errors[e].Full()));
    for (const RoomProblem& problem : CheckRoom(room)) entry.problems.push_back(Utf8(problem.Text()));
    entry.outline = OutlineOf(room);
    entry.name = entry.outline.name;
    rooms_.push_back(std::move(entry));
  }

  // Below the game directory: relative to it, as the game names its files.
  std::string Shown(const std::string& hostPath) const {
    const fs::path relative = fs::path(Canonical(hostPath)).lexically_relative(Canonical(gameDirectory_));
    if (relative.empty() || *relative.begin() == "..") return hostPath;
    return relative.generic_string();
  }

  static std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
      if (c == '"' || c == '\\') quoted += '\\';
      if (c == '\n') {
        quoted += "\\n";
        continue;
      }
      quoted += c;
    }
    return quoted + "\"";
  }

  std::size_t BrokenLinks() const {
    return static_cast<std::size_t>(
        std::count_if(links_.begin(), links_.end(), [](const LinkEntry& entry) { return !entry.check.Holds(); }));
  }
  std::size_t RoomsWithErrors() const {
    return static_cast<std::size_t>(
        std::count_if(rooms_.begin(), rooms_.end(), [](const RoomEntry& room) { return !room.problems.empty(); }));
  }

  TQZEngine& engine_;
  HeadlessHost& host_;
  std::string gameDirectory_;  // host path
  std::string roomDirectory_;  // host path
  std::string roomGamePath_;   // the same as a game path, ending in a backslash
  std::vector<RoomEntry> rooms_;
  std::vector<LinkEntry> links_;
  RoomOutlineCache outside_;
};

}  // namespace

std::optional<std::string> WorldGameDirectory(const std::string& roomDirectory) {
  return game_path::GameDirectoryOf((fs::path(roomDirectory) / "room.rer").string());
}

int RunWorld(TQZEngine& engine, HeadlessHost& host, const WorldOptions& options, std::ostream& out, std::ostream& err) {
  World world(engine, host, options);
  if (!world.Load(err)) return 1;
  world.CheckLinks();
  switch (options.format) {
    case WorldOptions::Format::Text:
      world.WriteText(out);
      break;
    case WorldOptions::Format::Json:
      world.WriteJson(out);
      break;
    case WorldOptions::Format::Dot:
      world.WriteDot(out);
      break;
  }
  return world.Status();
}
