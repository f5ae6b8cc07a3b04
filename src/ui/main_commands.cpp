#include "ui/main_commands.h"

#include <array>

#include "room/edit_room.h"
#include "room/room_history.h"
#include "surfaces/light_map.h"
#include "ui/edit_main.h"
#include "ui/qt_form.h"

namespace {

using Kind = MenuCommand::Kind;

// Runs a command on the room and ends it as one step of the history. The engine is
// gone after shut-down; a late shortcut then finds no room.
void RoomStep(TFormMain& main, void (TRoom::*command)(), const char* step) {
  if (!main.Engine()) return;
  (*main.Engine()->Room.*command)();
  main.RecordStep(step);
}

void ComputeSurfaceLighting(TFormMain& main, bool) {
  if (!main.Engine()) return;
  QtForm(main).SetChecked("CBLightMapCompute", true);
  main.Engine()->Room->ComputeSurfaceShadows();
  main.RecordStep("Compute Surface Lighting");
}

bool CanUndo(const TFormMain& main) { return main.History().CanUndo(); }
bool CanRedo(const TFormMain& main) { return main.History().CanRedo(); }

constexpr std::array Commands{
    MenuCommand{"File", "New Room", "Ctrl+N", Kind::Plain, [](TFormMain& m, bool) { m.NewRoom(); }, nullptr,
                "starts a new, untitled room", false},
    MenuCommand{"File", "Save Room", "Ctrl+S", Kind::Plain, [](TFormMain& m, bool) { m.SaveRoom(); }, nullptr,
                "writes the room to its file; asks for a file when it has none", false},
    MenuCommand{"File", "Save Room As...", "Ctrl+Shift+S", Kind::Plain, [](TFormMain& m, bool) { m.SaveRoomAs(); },
                nullptr, "asks for a file and writes the room to it", false},
    MenuCommand{"File", "Load Room", "Ctrl+O", Kind::Plain, [](TFormMain& m, bool) { m.LoadRoom(); }, nullptr,
                "opens a room file", false},
    MenuCommand{"File", "Recent Rooms", "", Kind::RecentRooms, nullptr, nullptr,
                "the last eight rooms opened or saved", true},
    MenuCommand{"File", "Exit", "Esc", Kind::Plain, [](TFormMain& m, bool) { m.Escape(); }, nullptr,
                "closes the editor; first closes an open list, ends mouse steering or cancels a drag", true},
    MenuCommand{"File", "Reload Variable Files", "F8", Kind::Plain,
                [](TFormMain& m, bool) {
                  if (!m.Engine()) return;
                  m.Engine()->LoadVariables();
                  m.Engine()->LoadEnemies();
                },
                nullptr, "reads the game's variable and enemy files again", false},

    MenuCommand{"Edit", "Undo", "Ctrl+Z", Kind::Plain, [](TFormMain& m, bool) { m.Undo(); }, CanUndo,
                "takes back the last step", false},
    MenuCommand{"Edit", "Redo", "Ctrl+Shift+Z; Ctrl+Y", Kind::Plain, [](TFormMain& m, bool) { m.Redo(); }, CanRedo,
                "does the step taken back again", true},
    // A line edit that has the focus keeps these keys for its text.
    MenuCommand{"Edit", "Delete", "Del", Kind::Plain, [](TFormMain& m, bool) { m.DeleteSelection(); }, nullptr,
                "deletes the selected objects (a field rectangle is cleared)", true},
    MenuCommand{"Edit", "Cut", "Ctrl+X", Kind::Plain, [](TFormMain& m, bool) { m.CutSelection(); }, nullptr,
                "copies the selection and deletes it", false},
    MenuCommand{"Edit", "Copy", "Ctrl+C", Kind::Plain, [](TFormMain& m, bool) { m.CopySelection(); }, nullptr,
                "copies the selection as whole records, and as JSON text", false},
    MenuCommand{"Edit", "Paste", "Ctrl+V", Kind::Plain, [](TFormMain& m, bool) { m.PasteSelection(false); },
                nullptr, "pastes with the selection's centre at the cursor", false},
    MenuCommand{"Edit", "Paste in Place", "Ctrl+Shift+V", Kind::Plain,
                [](TFormMain& m, bool) { m.PasteSelection(true); }, nullptr, "pastes at the copied coordinates",
                false},
    MenuCommand{"Edit", "Duplicate", "Ctrl+D", Kind::Plain, [](TFormMain& m, bool) { m.DuplicateSelection(); },
                nullptr, "copies the selection 1 m further along x and z", true},
    MenuCommand{"Edit", "Select All", "Ctrl+A", Kind::Plain, [](TFormMain& m, bool) { m.SelectAll(); }, nullptr,
                "selects every object of the sheet's kind", false},
    MenuCommand{"Edit", "Select Same Kind", "", Kind::Plain, [](TFormMain& m, bool) { m.SelectSameKind(); }, nullptr,
                "selects every entity of the selected typus, surface of its texture or light of its effect", false},
    MenuCommand{"Edit", "Select None", "Ctrl+Shift+A", Kind::Plain, [](TFormMain& m, bool) { m.SelectNone(); },
                nullptr, "clears the selection", true},
    MenuCommand{"Edit", "Rotate Selection Left", "Ctrl+[", Kind::Plain,
                [](TFormMain& m, bool) { m.RotateSelection(1); }, nullptr,
                "turns the selection by 90 degrees to the left about its centre", false},
    MenuCommand{"Edit", "Rotate Selection Right", "Ctrl+]", Kind::Plain,
                [](TFormMain& m, bool) { m.RotateSelection(-1); }, nullptr,
                "turns the selection by 90 degrees to the right about its centre", true},
    MenuCommand{"Edit", "Find Object", "Ctrl+F", Kind::Plain, [](TFormMain& m, bool) { m.FindObject(); }, nullptr,
                "opens the objects list with the keyboard in its filter", false},
    MenuCommand{"Edit", "Follow Link", "F3", Kind::Plain, [](TFormMain& m, bool) { m.FollowLink(); }, nullptr,
                "opens the room the selected door or portal leads to, on its marker", false},
    MenuCommand{"Edit", "Go Back", "Alt+Left", Kind::Plain, [](TFormMain& m, bool) { m.GoBack(); },
                [](const TFormMain& m) { return m.CanGoBack(); },
                "returns to the room and the door or portal Follow Link came from", false},

    MenuCommand{"Room", "Attributes", "F5", Kind::Plain,
                [](TFormMain& m, bool) { RoomStep(m, &TRoom::EditAttributes, "Room Attributes"); },
                nullptr, "opens the room's attributes", false},
    MenuCommand{"Room", "Clear Fields", "", Kind::Plain,
                [](TFormMain& m, bool) { RoomStep(m, &TRoom::ClearFields, "Clear Fields"); }, nullptr,
                "puts every field back to its initial state", false},
    MenuCommand{"Room", "Set Tile Shadows", "", Kind::Plain,
                [](TFormMain& m, bool) { RoomStep(m, &TRoom::SetTileShadows, "Set Tile Shadows"); },
                nullptr, "gives every visible tile shadow typus 2", false},
    MenuCommand{"Room", "Compute Surface Lighting", "F6", Kind::Plain, ComputeSurfaceLighting, nullptr,
                "bakes every surface's light map", true},
    MenuCommand{"Room", "Live Lighting", "F7", Kind::CheckOff, [](TFormMain& m, bool on) { m.SetLiveLighting(on); },
                nullptr, "keeps every light map baked while you edit; remembered between runs", true},
    MenuCommand{"Room", "Use Grid", "G", Kind::CheckOn, nullptr, nullptr, "the cursor snaps to 0.25 m", false},
    MenuCommand{"Room", "Auto-Falldown new Entities", "", Kind::CheckOn, nullptr, nullptr,
                "new entities drop onto the ground", true},
    // Light maps normally take their shadows from the ray caster; the literal render from
    // each light stays at hand to compare a bake against (it takes hours on a full room).
    MenuCommand{"Room", "Rendered Shadow Test", "", Kind::CheckOff,
                [](TFormMain& m, bool rendered) {
                  if (m.Engine() && m.Engine()->Room->LightMaps)
                    m.Engine()->Room->LightMaps->Method = rendered ? ShadowMethod::Gl : ShadowMethod::Cpu;
                },
                nullptr, "bakes shadows by rendering from each light instead of casting rays", false},
    // Old bakes hid everything behind a depth margin that grows with the distance.
    MenuCommand{"Room", "Literal Shadow Depth", "", Kind::CheckOff,
                [](TFormMain& m, bool literal) {
                  if (m.Engine() && m.Engine()->Room->LightMaps)
                    m.Engine()->Room->LightMaps->Rule = literal ? OcclusionRule::Literal : OcclusionRule::Exact;
                },
                nullptr, "bakes with the old bakes' growing depth margin", false},

    MenuCommand{"View", "Show Fog", "", Kind::CheckOn, nullptr, nullptr, "draws the room's fog", false},
    MenuCommand{"View", "Show Grid", "", Kind::CheckOn, nullptr, nullptr, "draws the field grid", false},
    MenuCommand{"View", "Show Field Ceiling", "", Kind::CheckOff, nullptr, nullptr, "draws the fields' ceilings",
                false},
    MenuCommand{"View", "Show Surfaces", "", Kind::CheckOn, nullptr, nullptr, "draws the surfaces", false},
    MenuCommand{"View", "Show Lights", "", Kind::CheckOn, nullptr, nullptr, "draws the lights' markers", false},
    MenuCommand{"View", "Show Lens Flares", "", Kind::CheckOn, nullptr, nullptr, "draws the lens flares", false},
    MenuCommand{"View", "Show Invisible Entities", "Alt+I", Kind::CheckOn, nullptr, nullptr,
                "draws the logic objects the game does not show", false},
    MenuCommand{"View", "Show Entity Targets", "", Kind::CheckOn, nullptr, nullptr,
                "draws lines from entities to their targets", false},
    MenuCommand{"View", "Show Collision Radius", "", Kind::CheckOn, nullptr, nullptr,
                "draws the entities' collision radii", false},
    MenuCommand{"View", "Show Camera Radii", "Alt+C", Kind::CheckOn, nullptr, nullptr, "draws the camera zones",
                false},
    MenuCommand{"View", "Wireframe Mode", "Alt+W", Kind::CheckOff, nullptr, nullptr, "draws polygons as lines",
                false},
    MenuCommand{"View", "Lighting", "Alt+L", Kind::CheckOn, nullptr, nullptr, "draws with the room's lighting",
                false},
    MenuCommand{"View", "Show Detail maps", "Alt+D", Kind::CheckOn, nullptr, nullptr, "draws the detail maps",
                true},
    MenuCommand{"View", "Zoom In", "U", Kind::Plain,
                [](TFormMain& m, bool) {
                  if (m.Engine()) m.Engine()->Room->Camera.ZoomIn();
                },
                nullptr, "zooms the view in", false},
    MenuCommand{"View", "Zoom Out", "I", Kind::Plain,
                [](TFormMain& m, bool) {
                  if (m.Engine()) m.Engine()->Room->Camera.ZoomOut();
                },
                nullptr, "zooms the view out", true},
    MenuCommand{"View", "Objects", "", Kind::CheckOff, [](TFormMain& m, bool shown) { m.ShowObjects(shown); },
                nullptr, "shows the list of every light, entity and surface, with a filter", false},
    MenuCommand{"View", "Problems", "", Kind::CheckOff, [](TFormMain& m, bool shown) { m.ShowProblems(shown); },
                nullptr, "lists the room's problems and broken links; a double-click selects, a right-click fixes",
                false},
    MenuCommand{"View", "Textures", "", Kind::CheckOff, [](TFormMain& m, bool shown) { m.ShowTextures(shown); },
                nullptr, "shows the world's textures; a double-click gives the selected surfaces one", false},
    MenuCommand{"View", "Models", "", Kind::CheckOff, [](TFormMain& m, bool shown) { m.ShowModels(shown); },
                nullptr, "shows the catalogue's models; picking one readies New Entity to place it", false},
};

}  // namespace

std::span<const MenuCommand> MenuCommands() { return Commands; }

std::string CommandTableMarkdown() {
  std::string table = "| Menu | Command | Shortcut | What it does |\n|---|---|---|---|\n";
  for (const MenuCommand& command : Commands) {
    std::string caption = command.caption;
    if (command.kind == Kind::CheckOn) caption += " (check item, on at start)";
    if (command.kind == Kind::CheckOff) caption += " (check item, off at start)";
    std::string keys = command.shortcuts;
    for (std::size_t at = keys.find("; "); at != std::string::npos; at = keys.find("; ", at))
      keys.replace(at, 2, " or ");
    table += std::string("| ") + command.menu + " | " + caption + " | " + (keys.empty() ? "–" : keys) + " | " +
             command.does + " |\n";
  }
  return table;
}
