// The configuration readers: editor.ini into the dialogs' lists, variable.ini and
// enemy.ini into the engine's tables, loadsound.ini into the sound combo.
#include <array>
#include <set>

#include "core/config_sections.h"
#include "engine/edit_engine.h"
#include "room/edit_room.h"

namespace {

enum class SectionKind { Combo, List };

struct EditorSection {
  std::string_view header;
  FormId form;
  std::string_view control;
  SectionKind kind;
};

// In the order the sections are matched; a list's item index is what rooms store.
constexpr std::array<EditorSection, 32> EditorSections{{
    {"[ROOM_EFFECT]", FormId::Room, "CBEffect", SectionKind::Combo},
    {"[ROOM_REGION]", FormId::Room, "CBRegion", SectionKind::Combo},
    {"[ROOM_WEATHEREFFECT]", FormId::Room, "CBWeatherEffect", SectionKind::Combo},
    {"[ROOM_FOG]", FormId::Room, "CBFogTypus", SectionKind::Combo},
    {"[WATER_MATERIAL]", FormId::Room, "CBWaterMaterial", SectionKind::Combo},
    {"[ROOM_ENVIRONMENT]", FormId::Room, "CBEnvironment", SectionKind::Combo},
    {"[FIELD_TYPUS]", FormId::Main, "CBFieldTypus", SectionKind::Combo},
    {"[FIELD_MATERIAL]", FormId::Main, "CBFieldMaterial", SectionKind::Combo},
    {"[LIGHT_EFFECT]", FormId::Light, "CBEffect", SectionKind::Combo},
    {"[LIGHT_FLARE]", FormId::Light, "CBFlareFlare", SectionKind::Combo},
    {"[ENTITY_TYPUS]", FormId::Main, "CBEntityTypus", SectionKind::Combo},
    {"[ENTITY_TILES]", FormId::Main, "LBEntityTiles", SectionKind::List},
    {"[ENTITY_SEQUENCES]", FormId::Main, "LBEntitySequences", SectionKind::List},
    {"[ENTITY_UNITS]", FormId::Main, "LBEntityUnits", SectionKind::List},
    {"[ENTITY_PORTALS]", FormId::Main, "LBEntityPortals", SectionKind::List},
    {"[ENTITY_PARTICLES]", FormId::Main, "LBEntityParticles", SectionKind::List},
    {"[CAMERA_TYPUS]", FormId::Entity, "CBCameraTypus", SectionKind::Combo},
    {"[TRIGGER_ACTION]", FormId::Entity, "CBTriggerAction", SectionKind::Combo},
    {"[CONDITION_TYPE]", FormId::Entity, "CBTriggerConditionType", SectionKind::Combo},
    {"[VARIABLE_TYPE]", FormId::Entity, "CBVariableTypus", SectionKind::Combo},
    {"[SOUND_ACTIVATION]", FormId::Entity, "CBSoundActivation", SectionKind::Combo},
    {"[SOUND_SOURCE]", FormId::Entity, "CBSoundSource", SectionKind::Combo},
    {"[CONTROL_ACTION]", FormId::Entity, "CBControlAction", SectionKind::Combo},
    {"[CONTROL_STATUS]", FormId::Entity, "CBControlStatus", SectionKind::Combo},
    {"[SPAWNER_EFFECT]", FormId::Entity, "CBSpawnerEffect", SectionKind::Combo},
    {"[ITEM_TYPUS]", FormId::Entity, "CBItemTypus", SectionKind::Combo},
    {"[UNIT_BEHAVIOR]", FormId::Entity, "CBUnitBehavior", SectionKind::Combo},
    {"[PGRASS_FORM]", FormId::Entity, "CBPGrassForm", SectionKind::Combo},
    {"[ANIMATION_DIRECTION]", FormId::Entity, "CBAnimDirection", SectionKind::Combo},
    {"[GL_BLENDING]", FormId::Entity, "CBBlendingMode", SectionKind::Combo},
    {"[SHADOW_TYPUS]", FormId::Entity, "CBShadowTypus", SectionKind::Combo},
    {"[TILE_COLLISIONFORM]", FormId::Entity, "CBTileCollisionForm", SectionKind::Combo},
}};

struct ComboCopy {
  FormId sourceForm;
  std::string_view source;
  FormId targetForm;
  std::string_view target;
};

// Lists that several dialogs offer are read once and copied, in this order.
constexpr std::array<ComboCopy, 8> ComboCopies{{
    {FormId::Light, "CBFlareFlare", FormId::Room, "CBSunFlare"},
    {FormId::Main, "CBFieldMaterial", FormId::Entity, "CBTileMaterial"},
    {FormId::Entity, "CBTriggerConditionType", FormId::Entity, "CBUnitConditionType"},
    {FormId::Entity, "CBTriggerConditionType", FormId::Entity, "CBTDoorConditionType"},
    {FormId::Entity, "CBItemTypus", FormId::Entity, "CBTDoorKey"},
    {FormId::Entity, "CBVariableTypus", FormId::Entity, "CBItemConditionType"},
    {FormId::Entity, "CBAnimDirection", FormId::Entity, "CBEAnimationDirection"},
    {FormId::Entity, "CBVariableTypus", FormId::Entity, "CBSavePointTypus"},
}};

// The palettes share one place on the main window; only one shows at a time.
constexpr std::array<std::string_view, 4> StackedPalettes{"LBEntitySequences", "LBEntityUnits", "LBEntityPortals",
                                                          "LBEntityParticles"};

constexpr int ComboDropDown = 22;
constexpr std::string_view SoundHeader = "[SOUND_FILENAME]";

// The combo shows no selection afterwards.
void FillCombo(Form& form, std::string_view combo, const std::vector<std::string>& entries) {
  form.SetDropDownCount(combo, ComboDropDown);
  form.SetItems(combo, entries);
}

// Selecting item 1 and then item 0 leaves the first entry selected and makes the
// list announce a change of selection.
void FillList(Form& form, std::string_view list, const std::vector<std::string>& entries) {
  form.SetItems(list, entries);
  form.SetItemIndex(list, 1);
  form.SetItemIndex(list, 0);
}

}  // namespace

std::optional<ConfigLineReader> TQZEngine::OpenConfigFile(std::string_view path) {
  if (!CheckFile(path, true)) return std::nullopt;
  auto reader = ConfigLineReader::Open(path);
  if (!reader) ShowError("QZ_FILE", "File \"" + std::string(path) + " could not be read!");
  return reader;
}

std::optional<std::string_view> TQZEngine::EditorSectionOf(FormId form, std::string_view control) {
  for (const ComboCopy& copy : ComboCopies)
    if (copy.targetForm == form && copy.target == control) return EditorSectionOf(copy.sourceForm, copy.source);
  for (const EditorSection& section : EditorSections)
    if (section.form == form && section.control == control) return section.header;
  return std::nullopt;
}

void TQZEngine::LoadEditorIni() {
  auto reader = OpenConfigFile(BaseDir.str() + "editor.ini");
  if (!reader) return;
  std::set<std::string, std::less<>> headers;
  for (const EditorSection& section : EditorSections) headers.emplace(section.header);
  EditorLists = ReadSectionLists(*reader, headers);
  FillFormsFromEditorLists();
}

void TQZEngine::FillFormsFromEditorLists() {
  for (const EditorSection& section : EditorSections) {
    const auto entries = EditorLists.find(section.header);
    if (entries == EditorLists.end()) continue;
    Form& form = host_.GetForm(section.form);
    if (section.kind == SectionKind::Combo) FillCombo(form, section.control, entries->second);
    else FillList(form, section.control, entries->second);
  }

  Form& main = host_.GetForm(FormId::Main);
  const TVector grey{TCursor::PaletteLightColor, TCursor::PaletteLightColor, TCursor::PaletteLightColor};
  ShowVector(main, grey, "EditLightR", "EditLightG", "EditLightB", "BtnLightColor");
  FillSoundCombo(host_.GetForm(FormId::Entity), "CBSoundSound");
  for (const ComboCopy& copy : ComboCopies)
    CopyComboItems(host_.GetForm(copy.sourceForm), copy.source, host_.GetForm(copy.targetForm), copy.target);
  ShowVector(main, grey, "EditLightR", "EditLightG", "EditLightB", "BtnLightColor");

  main.SetItemIndex("CBFieldTypus", 1);
  main.SetItemIndex("CBFieldMaterial", 0);
  const int paletteLeft = main.Left("LBEntityTiles");
  for (std::string_view palette : StackedPalettes) main.SetLeft(palette, paletteLeft);
  if (Room) Room->SelectEntityPalette(0);
}

void TQZEngine::LoadVariables() {
  ResetVariables(Variables);
  if (auto reader = OpenConfigFile(BaseDir.str() + "variable.ini")) ReadVariables(*reader, Variables);
}

void TQZEngine::LoadEnemies() {
  ResetEnemies(Enemies);
  if (auto reader = OpenConfigFile(BaseDir.str() + "enemy.ini")) ReadEnemies(*reader, Enemies);
}

void TQZEngine::FillSoundCombo(Form& form, std::string_view combo) {
  form.SetDropDownCount(combo, ComboDropDown);
  form.ClearItems(combo);
  auto reader = OpenConfigFile(SoundDir.str() + "loadsound.ini");
  if (!reader) return;
  const SectionLists lists = ReadSectionLists(*reader, {std::string(SoundHeader)});
  if (const auto sounds = lists.find(SoundHeader); sounds != lists.end()) form.SetItems(combo, sounds->second);
}
