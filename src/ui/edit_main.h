#pragma once
// TFormMain: the editor's main window. It owns the engine, drives it with the start-up,
// frame and shut-down timers, hosts the GL view and routes the view's mouse to the edit
// cursor or the camera, and carries the menus and the four-sheet tool palette.

#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/edit_engine.h"
#include "room/room_selection.h"
#include "ui/command_line.h"
#include "ui/disk_stamp.h"
#include "ui/recent_rooms.h"
#include "ui/ui_prompts.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QAbstractButton;
class QImage;
class ObjectsDock;
class ViewDock;
class ProblemsDock;
class QtHost;
class RoomHistory;
class RoomRecovery;
class PanelView;
class ViewRenderer;
class ViewNavigation;
struct PasteResult;
class LiveLighting;
class LiveLightingSteps;
struct BrowserDocks;

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
  // Writes a room that has a file straight to it; an untitled room asks for one.
  // Both are false when cancelled or failed.
  bool SaveRoom();
  bool SaveRoomAs();
  void LoadRoom();
  // Esc: closes what it was pressed in (an open list or menu, the mouse steering, a
  // drag under way) and only then the editor.
  void Escape();
  // Loads a room the designer chose (Load Room, Recent Rooms), after the unsaved-changes
  // question.
  void LoadRoomFrom(const std::string& hostPath);
  // The command line's room, loaded as Load Room does once start-up and the recovery
  // offer are over, or the reason it is not opened, shown then. A room restored from a
  // crash is kept instead: it holds work the designer chose to keep.
  void OpenAfterStartUp(const StartRequest& request);
  // Edit menu: take back the last step of the room's history, or do it again.
  void Undo();
  void Redo();
  // The selection's commands (main_selection.cpp).
  void SelectAll();
  void SelectSameKind();
  void SelectNone();
  void RotateSelection(int quarterTurns);
  // Every selected object, or the object the tool in hand picked when nothing is selected.
  void DeleteSelection();
  // Shift+arrow keys: one grid step in the view's plane.
  void NudgeSelection(int dx, int dy);
  // The clipboard (main_clipboard.cpp). Copy is false when nothing was copied.
  bool CopySelection();
  void CutSelection();
  // At the cursor, or at the copied coordinates.
  void PasteSelection(bool inPlace);
  void DuplicateSelection();
  void SetLiveLighting(bool on);
  // Live Lighting is on and an update is waiting, running or not yet landed.
  bool LiveLightingPending() const;
  // View > Objects shows or hides the objects list; Find Object (Ctrl+F) opens it with
  // the keyboard in its filter (main_objects.cpp).
  void ShowObjects(bool shown);
  void FindObject();
  // The world (main_world.cpp). View > Problems shows or hides the problems list.
  // Follow Link opens the room the selected door or portal leads to, on its marker, after
  // the unsaved-changes question; Go Back returns to the room and object it came from.
  void ShowProblems(bool shown);
  void FollowLink();
  void GoBack();
  bool CanGoBack() const { return !linkOrigins_.empty(); }
  // Selects the object, shows its sheet and centres the flat view on it; a field's slot
  // is its column * 60 + row.
  void ShowObject(TSelection::Kind kind, int slot);
  // View > Textures and View > Models, the dialogs' texture picker, and the texture a
  // double-click gives the selected surfaces as one step (main_browsers.cpp).
  void ShowTextures(bool shown);
  void ShowModels(bool shown);
  bool AssignTexture(const std::string& name);
  std::optional<std::string> PickTexture(QWidget* parent, const std::string& current,
                                         std::function<std::optional<std::string>()> fromFile = {});
  BrowserDocks& Browsers();
  // A model of the catalogue drawn offscreen with the view's model drawing, for the
  // Models dock and the Entities sheet's preview; null before the view can draw.
  QImage ModelPicture(std::int16_t slot, float turn, std::int16_t animation, float frame, QSize size);
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
  // Emitted after every step, undo and redo, and when a room is new or loaded.
  void historyChanged();

protected:
  void closeEvent(QCloseEvent* event) override;

private:
  void BuildMenus();
  // Enables each menu command the table gives a condition for.
  void UpdateCommandStates();
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
  // The room is now the one in this file, as it is on disk (empty: untitled).
  void BindRoomFile(const std::string& hostPath);
  // The host path of the room's file, empty before the first save.
  std::string RoomPath();
  // Offers each room a crashed editor left behind; a restored one is the room edited.
  // True when one was restored.
  bool OfferRecovery();
  void FinishStart(const StartRequest& request);
  // A new, loaded or restored room: its history begins with it.
  void StartHistory(bool savedAsItIs);
  // The Edit menu's captions and the window title follow the history.
  void ShowHistory();
  // A mouse gesture of the cursor's tool is one step named after the tool; it ends at
  // the release, or at the press for the tools that do all their work there.
  void GesturePressed();
  void GestureReleased();
  // What a paste or duplicate placed becomes the selection and one step; a refusal is
  // reported.
  void Placed(const PasteResult& result, const std::string& step);
  // "5 entities selected" in the status bar, when the count changed.
  void ShowSelectionCount();
  // View's docks (main_docks.cpp): a new one goes to the right, and its close button
  // unchecks its menu item; showing one brings it to the front and checks the item.
  void AddViewDock(ViewDock* dock, const char* menuItem);
  void ShowViewDock(ViewDock* dock, const char* menuItem, bool shown);
  // A text of the status bar's message panel that follows a state: written when it
  // changed, and cleared only while the panel still shows it.
  void ShowMessage(const std::string& text, std::string& shown);
  // Room > Live Lighting (main_live_lighting.cpp): the switch as the user left it, a
  // background bake that starts over for each room, requests after edits, and finished
  // maps written, uploaded and folded into the edit's step between frames.
  void RestoreLiveLighting();
  void StartLiveLighting();
  void LandLiveLighting();
  // Before a save: every update in, so the file never holds half-updated maps. False
  // when the designer cancelled the wait.
  bool FinishLiveLighting();
  void ShowLiveLightingStatus(bool pending);
  // Esc in the middle of a mouse gesture: the room goes back to before it.
  void CancelGesture();
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
  ObjectsDock* objects_ = nullptr;  // made when first shown
  ProblemsDock* problems_ = nullptr;  // made when first shown
  // Where each link Follow Link followed left from: the room's file and the door or portal.
  struct LinkOrigin {
    std::string room;
    int slot = -1;
    std::string entity;
  };
  std::vector<LinkOrigin> linkOrigins_;
  std::unique_ptr<BrowserDocks> browsers_;
  // The file "Save Room" writes in place, and what it held when loaded or saved here.
  std::string roomFile_;
  std::optional<DiskStamp> roomFileStamp_;
  std::string shownSelection_;  // the count the status bar shows
  std::unique_ptr<LiveLighting> live_;  // while Room > Live Lighting is on
  std::unique_ptr<LiveLightingSteps> liveSteps_;
  QLabel* lightingPanel_ = nullptr;  // the status bar's, shown while Live Lighting is on
  // Set once the start-up ran; until then the command line's request waits.
  bool startedUp_ = false;
  bool restoredAtStart_ = false;
  std::optional<StartRequest> pendingStart_;
  bool closeConfirmed_ = false;
  bool gestureUnderWay_ = false;
};
