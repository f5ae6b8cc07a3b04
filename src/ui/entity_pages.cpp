#include "ui/entity_pages.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace {

using K = PageControlKind;
constexpr int Long = 255;

constexpr PageControlSpec Tile[] = {
    {"EditTileAutorotateX", K::Edit},
    {"EditTileAutorotateY", K::Edit},
    {"EditTileAutorotateZ", K::Edit},
    {"CBTileCollisionForm", K::ListIndex},
    {"EditTileCollisionSizeX", K::Edit},
    {"EditTileCollisionSizeY", K::Edit},
    {"EditTileCollisionSizeZ", K::Edit},
    {"CBTileMaterial", K::ListIndex},
    {"CheckBoxTileCanClimb", K::Check},
};
constexpr PageControlSpec TDoor[] = {
    {"CBTDoorToRoom", K::NameBox, Long},
    {"CBTDoorToMarker", K::NameBox},
    {"EditTDoorDimensionsX", K::Edit},
    {"EditTDoorDimensionsY", K::Edit},
    {"EditTDoorDimensionsZ", K::Edit},
    {"EditTDoorPlayerAnimation", K::Edit},
    {"EditTDoorWaitBeforeEnter", K::Edit},
    {"EditTDoorAnimation", K::Edit},
    {"EditTDoorAnimSpeed", K::Edit},
    {"EditTDoorWaitBeforeAnim", K::Edit},
    {"CBTDoorActivationTarget", K::NameBox},
    {"CBTDoorSound", K::NameBox},
    {"CBTDoorKey", K::ListIndex},
    {"CBTDoorOnLocked", K::NameBox},
    {"CBTDoorOnUnlock", K::NameBox},
    {"CBTDoorCondition", K::ListIndex},
    {"CBTDoorConditionType", K::ListIndex},
    {"CBTDoorConditionParameter", K::ListIndex},
};
constexpr PageControlSpec TileMover[] = {
    {"CBTileMoverTarget", K::NameBox},
    {"EditTileMoverDelay", K::Edit},
    {"CBTileMoverMarker", K::NameBox},
    {"EditTileMoverSpeed", K::Edit},
    {"EditTileMoverRotateSpeed", K::Edit},
};
constexpr PageControlSpec Trigger[] = {
    {"EditTriggerCountDown", K::Edit},
    {"CheckBoxTriggerShowCountDown", K::Check},
    {"EditTriggerDelay", K::Edit},
    {"EditTriggerActivations", K::Edit},
    {"CBTriggerCondition", K::ListIndex},
    {"CBTriggerConditionType", K::ListIndex},
    {"CBTriggerConditionParameter", K::ListIndex},
    {"CBTriggerAction", K::ListIndex},
    {"CBTriggerTarget1", K::NameBox},
    {"CBTriggerTarget2", K::NameBox},
    {"CBTriggerTarget3", K::NameBox},
    {"CBTriggerTarget4", K::NameBox},
    {"CBTriggerTarget5", K::NameBox},
    {"CBTriggerTarget6", K::NameBox},
    {"CBTriggerTarget7", K::NameBox},
    {"CBTriggerTarget8", K::NameBox},
};
constexpr PageControlSpec Touchfield[] = {
    {"EditTouchfieldDimensionsX", K::Edit},
    {"EditTouchfieldDimensionsY", K::Edit},
    {"EditTouchfieldDimensionsZ", K::Edit},
    {"CBTouchFieldOnEnter", K::NameBox},
    {"CBTouchFieldOnExit", K::NameBox},
    {"EditTouchFieldActivations", K::Edit},
    {"CheckBoxTouchFieldByHero", K::Check},
    {"CheckBoxTouchFieldByAll", K::Check},
    {"CBTouchFieldByEntity", K::NameBox},
};
constexpr PageControlSpec Message[] = {
    {"CBMessageText", K::NameBox, Long},
    {"CBMessageSound", K::NameBox},
    {"EditMessageDelay", K::Edit},
};
constexpr PageControlSpec Control[] = {
    {"CBControlStatus", K::ListIndex},
    {"CBControlAction", K::ListIndex},
    {"EditControlDelay", K::Edit},
    {"EditControlDuration", K::Edit},
    {"CBControlNext", K::NameBox},
};
constexpr PageControlSpec Marker[] = {
    {"CBMarkerTarget", K::NameBox},
    {"EditMarkerDelay", K::Edit},
    {"CBMarkerTrigger", K::NameBox},
};
constexpr PageControlSpec Spawner[] = {
    {"CBSpawnerTemplate", K::NameBox},
    {"EditSpawnerDelayBeforeFirst", K::Edit},
    {"EditSpawnerTotalCount", K::Edit},
    {"EditSpawnerSpawnAtOnce", K::Edit},
    {"EditSpawnerDelayInbetween", K::Edit},
    {"CBSpawnerPosition", K::NameBox},
    {"CBSpawnerEffect", K::ListIndex},
    {"CBSpawnerSound", K::NameBox},
};
constexpr PageControlSpec Variable[] = {
    {"CBVariableCondition", K::ListIndex},
    {"CBVariableTypus", K::ListIndex},
    {"CBVariableParameter", K::ListIndex},
};
constexpr PageControlSpec SavePoint[] = {
    {"CBSavePointCondition", K::ListIndex},
    {"CBSavePointTypus", K::ListIndex},
    {"CBSavePointParameter", K::ListIndex},
};
constexpr PageControlSpec Camera[] = {
    {"CBCameraTypus", K::ListIndex},
    {"EditCameraRadiusX", K::Edit},
    {"EditCameraRadiusZ", K::Edit},
    {"EditCameraRotationFactor", K::Edit},
    {"EditCameraMovementFactor", K::Edit},
    {"EditCameraFOV", K::Edit},
    {"CBCameraTarget", K::NameBox},
    {"EditCameraMovementSpeed", K::Edit},
    {"EditCameraXmin", K::Edit},
    {"EditCameraZmin", K::Edit},
    {"EditCameraXMax", K::Edit},
    {"EditCameraZMax", K::Edit},
};
constexpr PageControlSpec Sound[] = {
    {"CBSoundSound", K::NameBox, Long},
    {"EditSoundVolume", K::Edit},
    {"EditSoundSpeed", K::Edit},
    {"CheckBoxSoundLoop", K::Check},
    {"CBSoundSource", K::ListIndex},
    {"CBSoundSourceEntity", K::NameBox},
    {"CBSoundActivation", K::ListIndex},
    {"EditSoundRandom", K::Edit},
    {"EditSoundReplayTime", K::Edit},
};
constexpr PageControlSpec EAnimation[] = {
    {"EditEAnimationName", K::Edit},
    {"CBEAnimationDirection", K::ListIndex},
    {"EditEAnimationSpeed", K::Edit},
    {"CheckBoxEAnimationLoop", K::Check},
    {"CBEAnimationTarget1", K::NameBox},
    {"CBEAnimationTarget2", K::NameBox},
    {"CBEAnimationTarget3", K::NameBox},
    {"CBEAnimationTarget4", K::NameBox},
};
constexpr PageControlSpec Item[] = {
    {"CBItemTypus", K::ListIndex},
    {"EditItemAmount", K::Edit},
    {"CBItemTrigger", K::NameBox},
    {"CBItemAnimation", K::NameBox},
    {"EditItemDelayBeforeCollect", K::Edit},
    {"CBItemCondition", K::ListIndex},
    {"CBItemConditionType", K::ListIndex},
    {"CBItemConditionParameter", K::ListIndex},
    {"CBItemModel", K::NameBox},
};
constexpr PageControlSpec Portal[] = {
    {"CBPortalToRoom", K::NameBox, Long},
    {"CBPortalToMarker", K::NameBox},
    {"EditPortalDimensionsX", K::Edit},
    {"EditPortalDimensionsY", K::Edit},
    {"EditPortalDimensionsZ", K::Edit},
    {"EditPortalActivationDistance", K::Edit},
    {"CBPortalTarget", K::NameBox},
    {"EditPortalTargetAnimation", K::Edit},
    {"EditPortalTargetSpeed", K::Edit},
    {"CBPortalSound", K::NameBox},
};
constexpr PageControlSpec Unit[] = {
    {"CBUnitVariable", K::ListIndex},
    {"CBUnitCondition", K::ListIndex},
    {"CBUnitConditionType", K::ListIndex},
    {"CBUnitConditionParameter", K::ListIndex},
    {"CBUnitBehavior", K::ListIndex},
    {"CheckBoxUnitCanSee", K::Check},
    {"CheckBoxUnitCanHear", K::Check},
    {"CheckBoxUnitCanMove", K::Check},
    {"CheckBoxUnitCanAttack", K::Check},
    {"CBUnitMovementTarget", K::NameBox},
    {"CBUnitAttackTarget", K::NameBox},
    {"CBUnitOnRecognize", K::NameBox},
    {"CBUnitOnDamage", K::NameBox},
    {"CBUnitOnDeath", K::NameBox},
};
constexpr PageControlSpec PGrass[] = {
    {"CBPGrassModel", K::NameBox},
    {"EditPGrassSizeMin", K::Edit},
    {"EditPGrassSizeMax", K::Edit},
    {"EditPGrassAmount", K::Edit},
    {"EditPGrassDimensionsX", K::Edit},
    {"EditPGrassDimensionsZ", K::Edit},
    {"EditPGRassIntoGround", K::Edit},
    {"CBPGrassForm", K::ListIndex},
    {"EditPGrassRotationX", K::Edit},
    {"EditPGrassRotationY", K::Edit},
    {"EditPGrassRotationZ", K::Edit},
};
constexpr PageControlSpec PFire[] = {
    {"EditPFireSize", K::Edit},
    {"EditPFireRadius", K::Edit},
};
constexpr PageControlSpec PFountain[] = {
    {"EditPFountainSize", K::Edit},
    {"EditPFountainRadius", K::Edit},
    {"EditPFountainRotX", K::Edit},
    {"EditPFountainRotY", K::Edit},
    {"EditPFountainAddRotX", K::Edit},
    {"EditPFountainStartRotX", K::Edit},
    {"EditPFountainVanishAtHeight", K::Edit},
    {"EditPFountainParticleSpeed", K::Edit},
    {"EditPFountainParticleCount", K::Edit},
};
constexpr PageControlSpec PRain[] = {
    {"EditPRainSize", K::Edit},
    {"EditPRainStartX", K::Edit},
    {"EditPRainStartZ", K::Edit},
    {"EditPRainEndX", K::Edit},
    {"EditPRainEndZ", K::Edit},
    {"EditPRainHeadingX", K::Edit},
    {"EditPRainHeadingY", K::Edit},
    {"EditPRainStartHeight", K::Edit},
    {"EditPRainVanishHeight", K::Edit},
    {"EditPRainParticleCount", K::Edit},
};
constexpr PageControlSpec PExplosion[] = {
    {"EditPExplosionSize", K::Edit},
};
constexpr EntityPageSpec Pages[] = {
    {"TabSheetTile", "Tile", Tile},
    {"TabSheetTDoor", "Door Tile", TDoor},
    {"TabSheetTileMover", "TileMover", TileMover},
    {"TabSheetTrigger", "Trigger", Trigger},
    {"TabSheetTouchfield", "Touchfield", Touchfield},
    {"TabSheetMessage", "Message", Message},
    {"TabSheetControl", "Control", Control},
    {"TabSheetMarker", "Marker", Marker},
    {"TabSheetSpawner", "Spawner", Spawner},
    {"TabSheetVariable", "Variable", Variable},
    {"TabSheetSavePoint", "Savepoint", SavePoint},
    {"TabSheetCamera", "Camera", Camera},
    {"TabSheetSound", "Sound", Sound},
    {"TabSheetEAnimation", "Animation", EAnimation},
    {"TabSheetItem", "Item", Item},
    {"TabSheetPortal", "Portal", Portal},
    {"TabSheetUnit", "Unit", Unit},
    {"TabSheetUMutant", "Mutant", {}},
    {"TabSheetUClawShrimp", "Claw Shrimp", {}},
    {"TabSheetPGrass", "Grass", PGrass},
    {"TabSheetPFire", "Fire", PFire},
    {"TabSheetPFountain", "Fountain", PFountain},
    {"TabSheetPRain", "Rain", PRain},
    {"TabSheetPExplosion", "Explosion", PExplosion},
};

}  // namespace

std::span<const EntityPageSpec> EntityPages() { return Pages; }

std::string ControlCaption(const char* controlName, const char* sheet) {
  std::string name(controlName);
  for (const std::string_view kind : {"CheckBox", "Edit", "CB"}) {
    if (name.starts_with(kind)) {
      name.erase(0, kind.size());
      break;
    }
  }
  // The page's own key ("TDoor" of "TabSheetTDoor") prefixes its controls, in any case.
  std::string key(sheet);
  key.erase(0, std::string_view("TabSheet").size());
  const bool keyed = name.size() > key.size() && std::equal(key.begin(), key.end(), name.begin(), [](char a, char b) {
                       return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
                     });
  if (keyed) name.erase(0, key.size());

  // "WaitBeforeEnter" -> "Wait Before Enter", "Target1" -> "Target 1"; runs of capitals
  // ("FOV") stay together.
  std::string caption;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    const auto before = i > 0 ? static_cast<unsigned char>(name[i - 1]) : 0;
    const bool wordStart = i > 0 && ((std::isupper(c) && !std::isupper(before)) || (std::isdigit(c) && !std::isdigit(before)));
    if (wordStart) caption += ' ';
    caption += name[i];
  }
  return caption + ":";
}
