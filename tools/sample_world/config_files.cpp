#include "sample_world/config_files.h"

#include "sample_world/world_writer.h"

namespace {

// Free text before a section header is commentary; the readers skip it.
constexpr const char* EditorIni = R"(Brannock editor lists.
Each section is a header line followed by its entries and ends at the first empty line.
The position of an entry is the number stored in rooms: never reorder, only append.

[ROOM_EFFECT]
None
Dripping cave
Swaying lanterns
Heat haze
Earth tremor

[ROOM_REGION]
Mire of Cullen
Lowtown
Saltmarsh Abbey
Thornwood
Sunken Quarry
Beacon Isle

[ROOM_WEATHEREFFECT]
Clear
Storm
Drizzle
Snowfall
Mist

[ROOM_FOG]
No fog
Linear fog
Exponential fog
Dense fog (squared)

[WATER_MATERIAL]
Clear water
Bog water
Sea water
Lava

[ROOM_ENVIRONMENT]
Generic
Small room
Stone hall
Cave
Forest
Open plain
Underwater
Sewer pipe

[FIELD_TYPUS]
None
Floor
Floor (no step sound)
Block
Smooth slope
Smooth slope (steep)
Ramp along Z
Ramp along X

[FIELD_MATERIAL]
Earth
Grass
Stone
Wood
Mud
Sand
Gravel
Metal
Shallow water

[LIGHT_EFFECT]
None
Smooth pulse
Triangle pulse
Flash
Flicker
Flash with flicker

[LIGHT_FLARE]
None
Sun
Lantern
Torch
Blue spark

[ENTITY_TYPUS]
Tiles
Sequences
Units
Portals
Particles

[ENTITY_TILES]
WALL_BLOCK
STONE_COLUMN
STONE_STAIRS
OLD_TREE
WOODEN_DOOR

[ENTITY_SEQUENCES]
Camera zone
Trigger
Touch field
Sound
Message
Control
Marker
Spawner
Variable
Music
Start-up
Animation
Item
Save point
Tile mover

[ENTITY_UNITS]
Mutant
Claw shrimp

[ENTITY_PORTALS]
Portal
Arrival marker
Spawner
Door

[ENTITY_PARTICLES]
Grass
Fire
Fountain
Rain
Explosion

[CAMERA_TYPUS]
Fixed
Follow player
Look at target
Rail

[TRIGGER_ACTION]
Activate targets
Deactivate targets
Toggle targets
Kill player
Teleport player

[CONDITION_TYPE]
Always
Variable equals
Variable not equal
Variable greater
Variable less
Item carried

[VARIABLE_TYPE]
Set value
Add to value
Subtract from value
Toggle

[SOUND_ACTIVATION]
On start
On trigger
Random
Player near

[SOUND_SOURCE]
Fixed position
Follow entity
Player
Ambient

[CONTROL_ACTION]
None
Open
Close
Lock
Unlock
Play animation

[CONTROL_STATUS]
Any
Exploring
Fighting
Dialogue
Cut scene

[SPAWNER_EFFECT]
None
Smoke puff
Sparks
Water splash

[ITEM_TYPUS]
None
Key
Coin
Potion
Scroll
Lantern oil
Rope

[UNIT_BEHAVIOR]
Stand guard
Patrol
Wander
Hunt player
Flee

[PGRASS_FORM]
Rectangle
Ellipse

[ANIMATION_DIRECTION]
Stand still
Forward
Backward

[GL_BLENDING]
None
Additive
Average
Negative
Saturate

[SHADOW_TYPUS]
None
Blob shadow
Tile shadow

[TILE_COLLISIONFORM]
None
Cylinder
Box
)";

// Value lines begin with two tabs; a blank line inside the section is allowed after a
// value list.
constexpr const char* VariableIni = R"(Game variables. "NNN Name" per variable; a name ending in a colon is followed by its
value names, each line: tab, tab, value index 000 to 005, blank, name.

[GAME_VARIABLE]
000 Quest stage:
		000 Not started
		001 Met the ferryman
		002 Found the lantern
		003 Crossed the mire
001 Ferry toll paid
002 Abbey gate:
		000 Locked
		001 Open
		002 Broken
003 Coins carried
004 Lantern lit
005 Weather:
		000 Clear
		001 Storm
		002 Mist

010 Bell rung
011 Bridge state:
		000 Raised
		001 Lowered
012 Shrimp defeated
020 Last save point
021 Lighthouse beam
)";

constexpr const char* EnemyIni = R"(Enemy kinds. "NNN Name" per enemy.

[GAME_ENEMY]
000 Mire mutant
001 Claw shrimp
002 Reed stalker
003 Lantern wisp
004 Quarry golem
)";

constexpr const char* SoundList = R"(Sound files offered to sound entities.

[SOUND_FILENAME]
ambient\marsh_wind.wav
ambient\frogs_night.wav
ambient\waves_shore.wav
effects\door_creak.wav
effects\bell_toll.wav
effects\splash.wav
effects\fire_crackle.wav
voices\ferryman_greeting.wav
)";

}  // namespace

void WriteConfigFiles(WorldWriter& world) {
  world.Text("editor.ini", EditorIni);
  world.Text("variable.ini", VariableIni);
  world.Text("enemy.ini", EnemyIni);
  world.Text("sound/loadsound.ini", SoundList);
}
