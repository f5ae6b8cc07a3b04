#include "ui/entity_pages.h"

namespace {

using K = PageControlKind;
constexpr int Long = 255;

constexpr PageControlSpec Tile[] = {
    {"EditTileAutorotateX", K::Edit, "Autorotate °/s:"},
    {"EditTileAutorotateY", K::Edit, nullptr},
    {"EditTileAutorotateZ", K::Edit, nullptr},
    {"CBTileCollisionForm", K::ListIndex, "Collision Form:"},
    {"EditTileCollisionSizeX", K::Edit, "Collision Size:"},
    {"EditTileCollisionSizeY", K::Edit, nullptr},
    {"EditTileCollisionSizeZ", K::Edit, nullptr},
    {"CBTileMaterial", K::ListIndex, "Material:"},
    {"CheckBoxTileCanClimb", K::Check, "Can Climb:"},
};
constexpr PageControlSpec TDoor[] = {
    {"CBTDoorToRoom", K::NameBox, "Lead to Room:", Long},
    {"CBTDoorToMarker", K::NameBox, "Lead to Marker:"},
    {"EditTDoorDimensionsX", K::Edit, "Dimensions:"},
    {"EditTDoorDimensionsY", K::Edit, nullptr},
    {"EditTDoorDimensionsZ", K::Edit, nullptr},
    {"EditTDoorPlayerAnimation", K::Edit, "Player Animation:"},
    {"EditTDoorWaitBeforeEnter", K::Edit, "Wait before enter:"},
    {"EditTDoorAnimation", K::Edit, "Animation:"},
    {"EditTDoorAnimSpeed", K::Edit, "Speed:"},
    {"EditTDoorWaitBeforeAnim", K::Edit, "Wait before Anim:"},
    {"CBTDoorActivationTarget", K::NameBox, "Activation Target:"},
    {"CBTDoorSound", K::NameBox, "Sound:"},
    {"CBTDoorKey", K::ListIndex, "Need Key Item:"},
    {"CBTDoorOnLocked", K::NameBox, "OnLocked:"},
    {"CBTDoorOnUnlock", K::NameBox, "OnUnlock:"},
    {"CBTDoorCondition", K::ListIndex, "Open If Variable:"},
    {"CBTDoorConditionType", K::ListIndex, "Is:"},
    {"CBTDoorConditionParameter", K::ListIndex, nullptr},
};
constexpr PageControlSpec TileMover[] = {
    {"CBTileMoverTarget", K::NameBox, "Target:"},
    {"EditTileMoverDelay", K::Edit, "Delay (s):"},
    {"CBTileMoverMarker", K::NameBox, "Marker:"},
    {"EditTileMoverSpeed", K::Edit, "Movement Speed:"},
    {"EditTileMoverRotateSpeed", K::Edit, "Rotate To Target:"},
};
constexpr PageControlSpec Trigger[] = {
    {"EditTriggerCountDown", K::Edit, "Countdown:"},
    {"CheckBoxTriggerShowCountDown", K::Check, "Show:"},
    {"EditTriggerDelay", K::Edit, "Delay (s):"},
    {"EditTriggerActivations", K::Edit, "Activations:"},
    {"CBTriggerCondition", K::ListIndex, "If Variable:"},
    {"CBTriggerConditionType", K::ListIndex, "Is:"},
    {"CBTriggerConditionParameter", K::ListIndex, nullptr},
    {"CBTriggerAction", K::ListIndex, "Action:"},
    {"CBTriggerTarget1", K::NameBox, "Target 1:"},
    {"CBTriggerTarget2", K::NameBox, "Target 2:"},
    {"CBTriggerTarget3", K::NameBox, "Target 3:"},
    {"CBTriggerTarget4", K::NameBox, "Target 4:"},
    {"CBTriggerTarget5", K::NameBox, "Target 5:"},
    {"CBTriggerTarget6", K::NameBox, "Target 6:"},
    {"CBTriggerTarget7", K::NameBox, "Target 7:"},
    {"CBTriggerTarget8", K::NameBox, "Target 8:"},
};
constexpr PageControlSpec Touchfield[] = {
    {"EditTouchfieldDimensionsX", K::Edit, "Dimensions:"},
    {"EditTouchfieldDimensionsY", K::Edit, nullptr},
    {"EditTouchfieldDimensionsZ", K::Edit, nullptr},
    {"CBTouchFieldOnEnter", K::NameBox, "On Enter:"},
    {"CBTouchFieldOnExit", K::NameBox, "On Exit:"},
    {"EditTouchFieldActivations", K::Edit, "Activations:"},
    {"CheckBoxTouchFieldByHero", K::Check, "By hero:"},
    {"CheckBoxTouchFieldByAll", K::Check, "By all:"},
    {"CBTouchFieldByEntity", K::NameBox, "By Entity:"},
};
constexpr PageControlSpec Message[] = {
    {"CBMessageText", K::NameBox, "Message File:", Long},
    {"CBMessageSound", K::NameBox, "Play Sound:"},
    {"EditMessageDelay", K::Edit, "Delay (s):"},
};
constexpr PageControlSpec Control[] = {
    {"CBControlStatus", K::ListIndex, "Game Status:"},
    {"CBControlAction", K::ListIndex, "Action:"},
    {"EditControlDelay", K::Edit, "Delay (s):"},
    {"EditControlDuration", K::Edit, "Duration (s):"},
    {"CBControlNext", K::NameBox, "Next Control:"},
};
constexpr PageControlSpec Marker[] = {
    {"CBMarkerTarget", K::NameBox, "Target Marker:"},
    {"EditMarkerDelay", K::Edit, "Delay (s):"},
    {"CBMarkerTrigger", K::NameBox, "Trigger on Enter:"},
};
constexpr PageControlSpec Spawner[] = {
    {"CBSpawnerTemplate", K::NameBox, "Template:"},
    {"EditSpawnerDelayBeforeFirst", K::Edit, "Delay before first (s): "},
    {"EditSpawnerTotalCount", K::Edit, "Total count:"},
    {"EditSpawnerSpawnAtOnce", K::Edit, "Spawn at once: "},
    {"EditSpawnerDelayInbetween", K::Edit, "Delay inbetween(s): "},
    {"CBSpawnerPosition", K::NameBox, "Spawn Position:"},
    {"CBSpawnerEffect", K::ListIndex, "Spawn Effect:"},
    {"CBSpawnerSound", K::NameBox, "Sound:"},
};
constexpr PageControlSpec Variable[] = {
    {"CBVariableCondition", K::ListIndex, "Condition Variable:"},
    {"CBVariableTypus", K::ListIndex, "Set to Value:"},
    {"CBVariableParameter", K::ListIndex, nullptr},
};
constexpr PageControlSpec SavePoint[] = {
    {"CBSavePointCondition", K::ListIndex, "Condition Variable:"},
    {"CBSavePointTypus", K::ListIndex, "Set to Value:"},
    {"CBSavePointParameter", K::ListIndex, nullptr},
};
constexpr PageControlSpec Camera[] = {
    {"CBCameraTypus", K::ListIndex, "Typus:"},
    {"EditCameraRadiusX", K::Edit, "Influence Radius:"},
    {"EditCameraRadiusZ", K::Edit, nullptr},
    {"EditCameraRotationFactor", K::Edit, "Rotation Factor:"},
    {"EditCameraMovementFactor", K::Edit, "Movement Factor:"},
    {"EditCameraFOV", K::Edit, "Zoom Factor:"},
    {"CBCameraTarget", K::NameBox, "Target:"},
    {"EditCameraMovementSpeed", K::Edit, "Movement Speed:"},
    {"EditCameraXmin", K::Edit, "Radius From:"},
    {"EditCameraZmin", K::Edit, nullptr},
    {"EditCameraXMax", K::Edit, "Radius To:"},
    {"EditCameraZMax", K::Edit, nullptr},
};
constexpr PageControlSpec Sound[] = {
    {"CBSoundSound", K::NameBox, "Wave File:", Long},
    {"EditSoundVolume", K::Edit, "Volume (%):"},
    {"EditSoundSpeed", K::Edit, "Speed:"},
    {"CheckBoxSoundLoop", K::Check, "Loop:"},
    {"CBSoundSource", K::ListIndex, "Source:"},
    {"CBSoundSourceEntity", K::NameBox, "Target Entity:"},
    {"CBSoundActivation", K::ListIndex, "Activation:"},
    {"EditSoundRandom", K::Edit, "Random (%):"},
    {"EditSoundReplayTime", K::Edit, "Replay after (s):"},
};
constexpr PageControlSpec EAnimation[] = {
    {"EditEAnimationName", K::Edit, "Name:"},
    {"CBEAnimationDirection", K::ListIndex, "Direction:"},
    {"EditEAnimationSpeed", K::Edit, "Speed:"},
    {"CheckBoxEAnimationLoop", K::Check, "Loop:"},
    {"CBEAnimationTarget1", K::NameBox, "Target 1:"},
    {"CBEAnimationTarget2", K::NameBox, "Target 2:"},
    {"CBEAnimationTarget3", K::NameBox, "Target 3:"},
    {"CBEAnimationTarget4", K::NameBox, "Target 4:"},
};
constexpr PageControlSpec Item[] = {
    {"CBItemTypus", K::ListIndex, "Typus."},
    {"EditItemAmount", K::Edit, "Amount:"},
    {"CBItemTrigger", K::NameBox, "OnCollect:"},
    {"CBItemAnimation", K::NameBox, "Animation:"},
    {"EditItemDelayBeforeCollect", K::Edit, "Delay (s):"},
    {"CBItemCondition", K::ListIndex, "Condition Variable:"},
    {"CBItemConditionType", K::ListIndex, "Set to Value:"},
    {"CBItemConditionParameter", K::ListIndex, nullptr},
    {"CBItemModel", K::NameBox, "Item Model:"},
};
constexpr PageControlSpec Portal[] = {
    {"CBPortalToRoom", K::NameBox, "Lead to Room:", Long},
    {"CBPortalToMarker", K::NameBox, "Lead to Marker:"},
    {"EditPortalDimensionsX", K::Edit, "Dimensions:"},
    {"EditPortalDimensionsY", K::Edit, nullptr},
    {"EditPortalDimensionsZ", K::Edit, nullptr},
    {"EditPortalActivationDistance", K::Edit, "Activation Distance:"},
    {"CBPortalTarget", K::NameBox, "Target:"},
    {"EditPortalTargetAnimation", K::Edit, "Target Animation:"},
    {"EditPortalTargetSpeed", K::Edit, "Animation Speed:"},
    {"CBPortalSound", K::NameBox, "Target Sound:"},
};
constexpr PageControlSpec Unit[] = {
    {"CBUnitVariable", K::ListIndex, "Enemy-Variable:"},
    {"CBUnitCondition", K::ListIndex, "If Variable:"},
    {"CBUnitConditionType", K::ListIndex, "Is:"},
    {"CBUnitConditionParameter", K::ListIndex, nullptr},
    {"CBUnitBehavior", K::ListIndex, "Behavior:"},
    {"CheckBoxUnitCanSee", K::Check, "Can see:"},
    {"CheckBoxUnitCanHear", K::Check, "Can hear:"},
    {"CheckBoxUnitCanMove", K::Check, "Can move:"},
    {"CheckBoxUnitCanAttack", K::Check, "Can attack:"},
    {"CBUnitMovementTarget", K::NameBox, "Movement Target:"},
    {"CBUnitAttackTarget", K::NameBox, "Attack Target:"},
    {"CBUnitOnRecognize", K::NameBox, "OnRecognize:"},
    {"CBUnitOnDamage", K::NameBox, "OnDamage:"},
    {"CBUnitOnDeath", K::NameBox, "OnDeath:"},
};
constexpr PageControlSpec PGrass[] = {
    {"CBPGrassModel", K::NameBox, "Model:"},
    {"EditPGrassSizeMin", K::Edit, "Size (min, max):"},
    {"EditPGrassSizeMax", K::Edit, nullptr},
    {"EditPGrassAmount", K::Edit, "Amount:"},
    {"EditPGrassDimensionsX", K::Edit, "Extent (x, z):"},
    {"EditPGrassDimensionsZ", K::Edit, nullptr},
    {"EditPGRassIntoGround", K::Edit, "Into Ground:"},
    {"CBPGrassForm", K::ListIndex, "Form:"},
    {"EditPGrassRotationX", K::Edit, "Rotation Spread (°):"},
    {"EditPGrassRotationY", K::Edit, nullptr},
    {"EditPGrassRotationZ", K::Edit, nullptr},
};
constexpr PageControlSpec PFire[] = {
    {"EditPFireSize", K::Edit, "Size:"},
    {"EditPFireRadius", K::Edit, "Radius:"},
};
constexpr PageControlSpec PFountain[] = {
    {"EditPFountainSize", K::Edit, "Size:"},
    {"EditPFountainRadius", K::Edit, "Radius:"},
    {"EditPFountainRotX", K::Edit, "Pitch Spread (°):"},
    {"EditPFountainRotY", K::Edit, "Heading Spread (°):"},
    {"EditPFountainAddRotX", K::Edit, "Pitch Loss (°):"},
    {"EditPFountainStartRotX", K::Edit, "Start Pitch (°):"},
    {"EditPFountainVanishAtHeight", K::Edit, "Vanish at Height:"},
    {"EditPFountainParticleSpeed", K::Edit, "Particle Speed:"},
    {"EditPFountainParticleCount", K::Edit, "Particle Count:"},
};
constexpr PageControlSpec PRain[] = {
    {"EditPRainSize", K::Edit, "Size:"},
    {"EditPRainStartX", K::Edit, "Start (x, z):"},
    {"EditPRainStartZ", K::Edit, nullptr},
    {"EditPRainEndX", K::Edit, "End (x, z):"},
    {"EditPRainEndZ", K::Edit, nullptr},
    {"EditPRainHeadingX", K::Edit, "Heading (°):"},
    {"EditPRainHeadingY", K::Edit, nullptr},
    {"EditPRainStartHeight", K::Edit, "Start Height:"},
    {"EditPRainVanishHeight", K::Edit, "Vanish Height:"},
    {"EditPRainParticleCount", K::Edit, "Particle Count:"},
};
constexpr PageControlSpec PExplosion[] = {
    {"EditPExplosionSize", K::Edit, "Size:"},
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
