#pragma once
// TFormMain: the editor's main window. It owns the engine, drives it with the start-up,
// frame and shut-down timers, hosts the GL view and routes the view's mouse to the edit
// cursor or the camera, and carries the menus and the four-sheet tool palette.

#include <QMainWindow>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "engine/edit_engine.h"
#include "ui/recent_rooms.h"
#include "ui/ui_prompts.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QAbstractButton;
class QtHost;
class RoomHistory;
class RoomRecovery;
class PanelView;
class ViewRenderer;
class ViewNavigation;

class TFormMain : public QMainWindow {
  Q_OBJECT

public:
  // workingDirectory is where the game data lies (the program's current directory).
  TFormMain(QtHost& host, UiPrompts& prompts, const std::string& workingDirectory, QWidget* parent = nullptr);
  ~TFormMain() override;

  // Null before construction finished and after shut-down.
  TQZEngine* Engine() const { return engine_.get(); }
  PanelView& View() const { return *view_; }
  QAction* MenuAction(const char* objectName) const;

  // Timers, named as the other parts know them.
  QTimer StartUpTimer;
  QTimer Timer;
  QTimer ShutDownTimer;
  // Writes the room's recovery file while it has unsaved changes.
  QTimer RecoveryTimer;

  // Menu commands (also reachable by shortcut).
  void NewRoom();
  void SaveRoom();
  void LoadRoom();
  // Loads a room the designer chose (Load Room, Recent Rooms), after the unsaved-changes
  // question.
  void LoadRoomFrom(const std::string& hostPath);
  // Edit menu: take back the last step of the room's history, or do it again.
  void Undo();
  void Redo();
  // Ends an edit: what it changed in the room becomes one step of the history named
  // `name` (nothing when it changed nothing). Ignored in the middle of a mouse gesture
  // or long work, whose end records it.
  void RecordStep(const std::string& name);
  const RoomHistory& History() const { return *history_; }
  // Writes the room; a failure is reported and the previous file stays as it was.
  bool SaveRoomTo(const std::string& hostPath);
  // The recovery timer's work: the room's image to its recovery file while it has
  // unsaved changes.
  void WriteRecovery();

signals:
  // Emitted once, after the engine's ShutDown ran.
  void engineShutDown();
  // Emitted after every frame the timer ran.
  void frameDone();

protected:
  void closeEvent(QCloseEvent* event) override;

private:
  void BuildMenus();
  void BuildPalette();
  void BuildStatusBar();
  void BuildProgressPanels();
  EngineHooks MakeHooks();
  void ConnectPalette();
  void SelectCursorMode(int code);
  // Pushes the button of the cursor's mode and releases the others.
  void SyncToolButtons();
  void RouteMousePress(Qt::MouseButton button, int x, int y);
  void RouteMouseMove(int x, int y);
  void RouteMouseRelease(Qt::MouseButton button, int x, int y);
  void PickLightColor();
  // Save / Discard / Cancel when the room differs from what was last saved or loaded.
  // True when the caller may go on and replace or drop the room.
  bool ConfirmDiscard();
  void LoadConfirmed(const std::string& hostPath);
  // File > Recent Rooms, filled each time it opens.
  void FillRecentRooms(QMenu& menu);
  void OpenRecentRoom(const QString& hostPath);
  // The save dialog's title, filter and folder, proposing the room's last file.
  FileDialogSpec SaveDialogSpec();
  // The host path of the room's file, empty before the first save.
  std::string RoomPath();
  // Offers each room a crashed editor left behind; a restored one is the room edited.
  void OfferRecovery();
  // A new, loaded or restored room: its history begins with it.
  void StartHistory(bool savedAsItIs);
  // The Edit menu's captions and the window title follow the history.
  void ShowHistory();
  // A mouse gesture of the cursor's tool is one step named after the tool; it ends at
  // the release, or at the press for the tools that do all their work there.
  void GesturePressed();
  void GestureReleased();
  // RecordStep without its guard.
  void Commit(const std::string& name);
  // No mouse gesture or long work is under way: a step may end, or be taken back.
  bool BetweenEdits() const;

  QtHost& host_;
  UiPrompts& prompts_;
  std::string roomDirectory_;  // host path of the engine's RoomDir
  PanelView* view_ = nullptr;
  std::unique_ptr<ViewRenderer> renderer_;
  ViewNavigation* navigation_ = nullptr;  // a child of the view
  std::unique_ptr<TQZEngine> engine_;
  std::unique_ptr<RoomHistory> history_;
  std::unique_ptr<RoomRecovery> recovery_;
  RecentRooms recentRooms_;
  std::vector<QLabel*> statusPanels_;
  std::vector<QAbstractButton*> toolButtons_;
  bool closeConfirmed_ = false;
  bool gestureUnderWay_ = false;
};
