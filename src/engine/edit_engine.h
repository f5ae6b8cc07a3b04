#pragma once
// The centre of the editor: owns the room, the model catalogue and the math object,
// holds the directory table, the game's variable and enemy tables and the lists read
// from editor.ini, and carries the message, time, vector and dialog routines every
// other part uses.

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "core/config_tables.h"
#include "core/edit_math.h"
#include "core/form.h"
#include "core/host.h"
#include "core/short_string.h"
#include "core/vector.h"

class TRoom;
class TModelEngine;
class EntityModelActions;

// Start-up, frame and shut-down steps that belong to later layers (GL context and
// textures, drawing, the window's timers). Unset hooks are skipped, which is what the
// command-line tool and the document tests want. The model catalogue is the
// document's own: StartUp loads it directly, after CreateGLContext.
struct EngineHooks {
  std::function<void()> CreateGLContext;  // also loads the texture list
  std::function<void()> RenderFrame;
  std::function<void()> ShutdownGL;
  std::function<void(bool enabled)> SetStartupTimer;
  std::function<void(bool enabled)> SetFrameTimer;
  std::function<void(const std::string& roomDir)> SetFileDialogDirectory;
};

class TQZEngine {
  // First member: Math draws from it, so it must exist before Math.
  std::mt19937 random_;

public:
  static constexpr int VariableCount = ::VariableCount;
  static constexpr int EnemyCount = ::EnemyCount;

  // workingDirectory is a host path ("/home/me/game"); the table stores it the game's
  // way, with backslashes.
  TQZEngine(Host& host, std::string_view workingDirectory, EngineHooks hooks = {});
  ~TQZEngine();
  TQZEngine(const TQZEngine&) = delete;
  TQZEngine& operator=(const TQZEngine&) = delete;

  Host& GetHost() { return host_; }
  EngineHooks& Hooks() { return hooks_; }

  // Directory table, each ending in a backslash.
  String255 BaseDir, ArtDir, HeightMapDir, DataDir, ModelDir, ModelWorldDir, WorldDir, RoomDir, MusicDir,
      SoundDir;

  // Owned. The catalogue and the room are created in that order and freed room first;
  // Math is a plain member, alive before both and after both.
  std::unique_ptr<TModelEngine> ModelEngine;
  std::unique_ptr<TRoom> Room;
  TQZMath Math;
  VariableTable Variables;
  EnemyTable Enemies;

  // The entity dialog's model bake and model-to-surfaces buttons. The engine installs
  // its own at construction; another may be put in its place (not owned). Null: the
  // buttons do nothing.
  EntityModelActions* ModelActions = nullptr;

  // The entries of every editor.ini section, keyed by header ("[ROOM_FOG]"), in file order.
  std::map<std::string, std::vector<std::string>, std::less<>> EditorLists;
  // The editor.ini section ("[GL_BLENDING]") whose list a dialog's list box shows, also
  // where the box copies another's list; nothing for a box filled otherwise.
  static std::optional<std::string_view> EditorSectionOf(FormId form, std::string_view control);

  // Life cycle. StartUp and ShutDown act once; later calls do nothing, and no frame
  // runs after ShutDown.
  void StartUp();
  void DoFrame();
  void ShutDown();

  // Messages.
  void ShowError(std::string_view tag, std::string_view text);
  // True when the file of the game's data exists; otherwise reports it when asked.
  bool CheckFile(std::string_view path, bool report);
  // The same for a path the designer chose, taken exactly as spelled.
  bool CheckHostFile(std::string_view hostPath, bool report);

  // Time: every animation counter advances by FrameStep per frame.
  static constexpr float FrameStep() { return 0.5f; }
  static void AdvanceTime(float& counter) { counter += FrameStep(); }

  // Random integer 0 .. range - 1 from the engine's generator (seeded at start-up).
  int Random(int range);
  void Seed(std::uint32_t seed) { random_.seed(seed); }

  // Vector routines (same formulas as TQZMath; subtract is a - b).
  static TVector Scale(const TVector& v, float s);
  static TVector Add(const TVector& a, const TVector& b);
  static TVector Subtract(const TVector& a, const TVector& b);
  static float Distance(const TVector& a, const TVector& b);
  static float DistanceXZ(const TVector& a, const TVector& b);
  static float DistanceXY(const TVector& a, const TVector& b);
  static TVector Normalize(const TVector& v);
  static TVector RotateVector(const TVector& v, const TVector& angles);
  static TVector MoveForward(const TVector& angles, const TVector& point, float d);
  static TVector MoveSideways(const TVector& angles, const TVector& point, float d);
  static TVector MoveVertical(const TVector& angles, const TVector& point, float d);
  static TVector MoveLocal(const TVector& angles, const TVector& point, const TVector& offset);

  // Dialog routines over named controls.
  std::string FloatToStr32(float value, int digits) const;
  static std::string IntToStr32(int value);
  void ShowFloat(Form& form, std::string_view edit, float value, int digits = 2) const;
  void ShowInt(Form& form, std::string_view edit, int value) const;
  // On a conversion failure: "QZ_ENGINE" message, destination unchanged, false.
  bool ReadFloat(Form& form, std::string_view edit, float& destination);
  bool ReadInt(Form& form, std::string_view edit, std::int16_t& destination);
  void ShowVector(Form& form, const TVector& v, std::string_view red, std::string_view green,
                  std::string_view blue, std::string_view panel) const;
  static void ShowColor(Form& form, const TVector& v, std::string_view panel);
  bool ReadVector(Form& form, TVector& v, std::string_view red, std::string_view green, std::string_view blue);
  void PickColor(Form& form, std::string_view red, std::string_view green, std::string_view blue,
                 std::string_view panel);
  void FillVariableCombo(Form& form, std::string_view combo) const;
  void FillVariableValueCombo(Form& form, std::string_view combo, int index) const;
  void FillEnemyCombo(Form& form, std::string_view combo) const;
  static void CopyComboItems(Form& source, std::string_view sourceCombo, Form& target,
                             std::string_view targetCombo);

  // Configuration readers. A missing file is reported and leaves the lists empty.
  void LoadEditorIni();
  void LoadVariables();
  void LoadEnemies();
  void FillSoundCombo(Form& form, std::string_view combo);

private:
  // The missing-file message when report is set; always false.
  bool ReportMissing(std::string_view path, bool report);
  // CheckFile, then the file's lines; a file that cannot be read whole is reported too.
  std::optional<ConfigLineReader> OpenConfigFile(std::string_view path);
  void FillFormsFromEditorLists();

  Host& host_;
  EngineHooks hooks_;
  std::unique_ptr<EntityModelActions> ownModelActions_;
  bool started_ = false;
  bool shutDown_ = false;
};
