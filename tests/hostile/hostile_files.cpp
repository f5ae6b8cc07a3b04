#include "hostile/hostile_files.h"

#include <filesystem>
#include <fstream>

#include "core/file_system.h"
#include "engine/edit_engine.h"
#include "hostile/hostile_parts.h"

namespace {

void WriteGameFile(const std::string& gamePath, const std::vector<std::uint8_t>& bytes) {
  const std::filesystem::path path = fs_layer::ToHostPath(gamePath);
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

void WriteSoundWorld(const TQZEngine& engine) {
  const std::string models = engine.ModelDir.str() + "hostile\\";
  const auto definition = hostile::TextBytes(hostile::RigDefinition);
  WriteGameFile(models + "rig.ms3d", hostile::RigBytes());
  WriteGameFile(models + "rig.ini", definition);
  WriteGameFile(models + "rig_walk.ms3d", hostile::RigAnimationBytes());
  WriteGameFile(models + "subject.ini", definition);
  WriteGameFile(models + "subject_walk.ms3d", hostile::RigAnimationBytes());
  WriteGameFile(engine.SoundDir.str() + "loadsound.ini", hostile::TextBytes("[SOUND_FILENAME]\nwind\n"));
  std::filesystem::create_directories(fs_layer::ToHostPath(engine.RoomDir.str()));
  std::filesystem::create_directories(fs_layer::ToHostPath(engine.ArtDir.str()));
}

std::string HostilePath(const TQZEngine& engine, HostileReader reader) {
  switch (reader) {
    case HostileReader::Room: return engine.RoomDir.str() + "hostile.rer";
    case HostileReader::ModelBase: return engine.ModelDir.str() + "hostile\\subject.ms3d";
    case HostileReader::ModelAnimation: return engine.ModelDir.str() + "hostile\\rig_walk.ms3d";
    case HostileReader::ModelDefinition: return engine.ModelDir.str() + "hostile\\rig.ini";
    case HostileReader::ModelList: return engine.ModelDir.str() + "loadmodel.ini";
    case HostileReader::EditorIni: return engine.BaseDir.str() + "editor.ini";
    case HostileReader::VariableIni: return engine.BaseDir.str() + "variable.ini";
    case HostileReader::EnemyIni: return engine.BaseDir.str() + "enemy.ini";
    case HostileReader::SoundIni: return engine.SoundDir.str() + "loadsound.ini";
    case HostileReader::Bitmap: return engine.ArtDir.str() + "hostile.bmp";
  }
  return {};
}

std::vector<HostileFile> MakeHostileFiles(TQZEngine& engine) {
  std::vector<HostileFile> files;
  hostile::AddRoomFiles(engine, files);
  hostile::AddModelFiles(files);
  hostile::AddTextFiles(engine, files);
  hostile::AddBitmapFiles(files);
  return files;
}
