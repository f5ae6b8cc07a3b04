#include "engine/edit_engine.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "core/file_system.h"
#include "engine/model_actions.h"
#include "models/edit_model.h"
#include "room/edit_room.h"

namespace {

// The game's spelling of a directory: backslashes, one trailing backslash.
std::string GameDirectory(std::string_view hostDirectory) {
  std::string directory(hostDirectory);
  std::replace(directory.begin(), directory.end(), '/', '\\');
  if (directory.empty() || directory.back() != '\\') directory += '\\';
  return directory;
}

String255 Subdirectory(const String255& parent, std::string_view name) {
  return String255(parent.str() + std::string(name));
}

}  // namespace

TQZEngine::TQZEngine(Host& host, std::string_view workingDirectory, EngineHooks hooks)
    : Math(random_), host_(host), hooks_(std::move(hooks)) {
  BaseDir = String255(GameDirectory(workingDirectory));
  ArtDir = Subdirectory(BaseDir, "art\\");
  HeightMapDir = Subdirectory(ArtDir, "world\\heightmap\\");
  DataDir = Subdirectory(BaseDir, "data\\");
  ModelDir = Subdirectory(DataDir, "model\\");
  ModelWorldDir = Subdirectory(ModelDir, "world\\");
  WorldDir = Subdirectory(DataDir, "world\\");
  RoomDir = Subdirectory(WorldDir, "room\\");
  MusicDir = Subdirectory(BaseDir, "music\\");
  SoundDir = Subdirectory(BaseDir, "sound\\");
  ResetVariables(Variables);
  ResetEnemies(Enemies);

  ModelEngine = std::make_unique<TModelEngine>(*this);
  Room = std::make_unique<TRoom>(*this);
  ownModelActions_ = std::make_unique<RoomModelActions>(*this);
  ModelActions = ownModelActions_.get();
  if (hooks_.SetFileDialogDirectory) hooks_.SetFileDialogDirectory(RoomDir.str());
}

TQZEngine::~TQZEngine() {
  // Entities and tiles refer to catalogue models, so the room goes first.
  Room.reset();
  ModelEngine.reset();
}

void TQZEngine::StartUp() {
  if (started_ || shutDown_) return;
  started_ = true;
  Seed(static_cast<std::uint32_t>(std::chrono::system_clock::now().time_since_epoch().count()));
  if (hooks_.SetStartupTimer) hooks_.SetStartupTimer(false);
  LoadEditorIni();
  LoadVariables();
  LoadEnemies();
  if (hooks_.CreateGLContext) hooks_.CreateGLContext();
  // After the GL context, so the catalogue's skins can be uploaded as they load.
  ModelEngine->LoadModels();
  Room->InitRoom();
  if (hooks_.SetFrameTimer) hooks_.SetFrameTimer(true);
}

void TQZEngine::DoFrame() {
  if (shutDown_) return;
  Room->DoFrame();
  if (hooks_.RenderFrame) hooks_.RenderFrame();
}

void TQZEngine::ShutDown() {
  if (shutDown_) return;
  shutDown_ = true;
  if (hooks_.ShutdownGL) hooks_.ShutdownGL();
  Room.reset();
  ModelEngine.reset();
}

void TQZEngine::ShowError(std::string_view tag, std::string_view text) { host_.ShowError(tag, text); }

bool TQZEngine::CheckFile(std::string_view path, bool report) {
  return fs_layer::FileExists(path) || ReportMissing(path, report);
}

bool TQZEngine::CheckHostFile(std::string_view hostPath, bool report) {
  return fs_layer::HostFileExists(hostPath) || ReportMissing(hostPath, report);
}

bool TQZEngine::ReportMissing(std::string_view path, bool report) {
  if (report) ShowError("QZ_FILE", "File \"" + std::string(path) + " not found!");
  return false;
}

int TQZEngine::Random(int range) {
  if (range <= 0) return 0;
  return std::uniform_int_distribution<int>(0, range - 1)(random_);
}

TVector TQZEngine::Scale(const TVector& v, float s) { return TQZMath::Scale(v, s); }

TVector TQZEngine::Add(const TVector& a, const TVector& b) { return TQZMath::Add(a, b); }

TVector TQZEngine::Subtract(const TVector& a, const TVector& b) { return TQZMath::Difference(b, a); }

float TQZEngine::Distance(const TVector& a, const TVector& b) { return TQZMath::Distance(a, b); }

float TQZEngine::DistanceXZ(const TVector& a, const TVector& b) {
  return TQZMath::Distance({a.x, 0.0f, a.z}, {b.x, 0.0f, b.z});
}

float TQZEngine::DistanceXY(const TVector& a, const TVector& b) {
  return TQZMath::Distance({a.x, a.y, 0.0f}, {b.x, b.y, 0.0f});
}

TVector TQZEngine::Normalize(const TVector& v) { return TQZMath::Normalize(v); }

TVector TQZEngine::RotateVector(const TVector& v, const TVector& angles) { return TQZMath::RotateVector(v, angles); }

TVector TQZEngine::MoveForward(const TVector& angles, const TVector& point, float d) {
  return TQZMath::MoveForward(angles, point, d);
}

TVector TQZEngine::MoveSideways(const TVector& angles, const TVector& point, float d) {
  return Add(point, RotateVector({d, 0.0f, 0.0f}, angles));
}

TVector TQZEngine::MoveVertical(const TVector& angles, const TVector& point, float d) {
  return TQZMath::MoveVertical(angles, point, d);
}

TVector TQZEngine::MoveLocal(const TVector& angles, const TVector& point, const TVector& offset) {
  return Add(point, RotateVector({offset.x, offset.y, -offset.z}, angles));
}
