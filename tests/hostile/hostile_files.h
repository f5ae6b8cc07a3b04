#pragma once
// The hostile-file set: sound files of every kind the editor opens, damaged the ways
// old, half-written or foreign files are damaged (cut at every record boundary, counts
// of -1 and 65 535, length bytes above their capacity, light maps of 0 and 4 096
// texels, NaN and infinite floats, MS3D indices out of range, joint parent loops).
// Each file carries every message the editor must show for it, in order.

#include <cstdint>
#include <string>
#include <vector>

class TQZEngine;

enum class HostileReader {
  Room,            // RoomDir\hostile.rer
  ModelBase,       // ModelDir\hostile\subject.ms3d (definition and "walk" animation beside it)
  ModelAnimation,  // ModelDir\hostile\rig_walk.ms3d (the rig itself is sound)
  ModelDefinition, // ModelDir\hostile\rig.ini
  ModelList,       // ModelDir\loadmodel.ini
  EditorIni,
  VariableIni,
  EnemyIni,
  SoundIni,
  Bitmap,          // ArtDir\hostile.bmp, read by the document layer's reader
};

struct HostileFile {
  std::string name;  // what is wrong with it
  HostileReader reader;
  std::vector<std::uint8_t> bytes;
  std::vector<std::string> messages;  // "TAG: text"; for bitmaps the reader's reason
  bool accepted = false;              // the reader reports the file as read
};

// The sound files the damage starts from, written below the engine's directories:
// the rig model "hostile\rig" with its definition and "walk" animation, the subject's
// definition and animation, and a sound list for editor.ini to copy.
void WriteSoundWorld(const TQZEngine& engine);

// The game path where the file's reader looks for it.
std::string HostilePath(const TQZEngine& engine, HostileReader reader);

// The whole set. The rooms are built with the engine's room, which is left cleared.
std::vector<HostileFile> MakeHostileFiles(TQZEngine& engine);
