#include "ui/edit_main.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMenu>
#include <QStatusBar>
#include <utility>

#include "core/file_system.h"
#include "room/edit_room.h"
#include "room/room_history.h"
#include "surfaces/live_lighting.h"
#include "surfaces/live_lighting_steps.h"
#include "ui/browser_docks.h"
#include "ui/client_layout.h"
#include "ui/panel_view.h"
#include "ui/qt_form.h"
#include "ui/qt_host.h"
#include "ui/room_recovery.h"
#include "ui/ui_prompts.h"
#include "ui/view_navigation.h"
#include "ui/view_renderer.h"

namespace {

constexpr const char* RoomFilter = "Room Files|*.rer";
constexpr const char* RoomSuffix = ".rer";
// The file the next "Save Room" proposes: the room loaded or saved last. The document
// sets it by this name when it loads a room.
constexpr const char* SaveDialogName = "SaveDialog";

}  // namespace

TFormMain::TFormMain(QtHost& host, UiPrompts& prompts, const std::string& workingDirectory, QWidget* parent)
    : QMainWindow(parent), host_(host), prompts_(prompts) {
  setObjectName(QStringLiteral("FormMain"));
  setWindowTitle(QStringLiteral("Brannock"));
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("Client"));
  client->resize(944, 520);
  setCentralWidget(client);
  view_ = new PanelView(client);
  view_->move(0, 0);

  BuildMenus();
  BuildPalette();
  BuildStatusBar();
  BuildProgressPanels();
  (new QObject(this))->setObjectName(QString::fromLatin1(SaveDialogName));
  host_.RegisterForm(FormId::Main, *this);
  host_.SetView(*view_);
  // The window may grow (and be maximised); the view takes the extra room.
  new ClientLayout(*client, *view_);

  StartUpTimer.setObjectName(QStringLiteral("StartUpTimer"));
  StartUpTimer.setInterval(1);
  Timer.setObjectName(QStringLiteral("Timer"));
  Timer.setInterval(50);
  ShutDownTimer.setObjectName(QStringLiteral("ShutDownTimer"));
  ShutDownTimer.setInterval(1);
  RecoveryTimer.setObjectName(QStringLiteral("RecoveryTimer"));
  RecoveryTimer.setInterval(30000);
  connect(&RecoveryTimer, &QTimer::timeout, this, &TFormMain::WriteRecovery);
  connect(&StartUpTimer, &QTimer::timeout, this, [this] {
    if (!engine_) return;
    engine_->StartUp();
    StartHistory(true);
    restoredAtStart_ = OfferRecovery();
    RestoreLiveLighting();
    RecoveryTimer.start();
    startedUp_ = true;
    if (pendingStart_) {
      const StartRequest request = *std::exchange(pendingStart_, std::nullopt);
      FinishStart(request);
    }
  });
  connect(&Timer, &QTimer::timeout, this, [this] {
    if (!engine_) return;
    renderer_->MakeCurrent();
    engine_->DoFrame();
    SyncToolButtons();
    ShowSelectionCount();
    LandLiveLighting();
    emit frameDone();
  });
  connect(&ShutDownTimer, &QTimer::timeout, this, &QWidget::close);

  // The creation handler's work: the engine exists before any timer fires.
  renderer_ = std::make_unique<ViewRenderer>(*view_, host_);
  engine_ = std::make_unique<TQZEngine>(host_, workingDirectory, MakeHooks());
  renderer_->AttachEngine(*engine_);
  host_.SetGLCurrentKeeper([this] { renderer_->MakeCurrent(); });
  history_ = std::make_unique<RoomHistory>(*engine_->Room);
  recovery_ = std::make_unique<RoomRecovery>(RoomRecovery::DefaultDirectory());
  ConnectPalette();
  StartUpTimer.start();
}

TFormMain::~TFormMain() {
  // Closing normally shuts the engine down; a window destroyed without closing (a test,
  // an aborted start) still releases it in order.
  if (engine_) engine_->ShutDown();
  host_.SetGLCurrentKeeper({});
}

EngineHooks TFormMain::MakeHooks() {
  EngineHooks hooks;
  renderer_->InstallHooks(hooks);
  hooks.SetStartupTimer = [this](bool enabled) { enabled ? StartUpTimer.start() : StartUpTimer.stop(); };
  hooks.SetFrameTimer = [this](bool enabled) { enabled ? Timer.start() : Timer.stop(); };
  hooks.SetFileDialogDirectory = [this](const std::string& roomDir) {
    roomDirectory_ = fs_layer::ToHostPath(roomDir);
  };
  return hooks;
}

QAction* TFormMain::MenuAction(const char* objectName) const {
  return findChild<QAction*>(QString::fromLatin1(objectName));
}

// ---- Close protocol ----------------------------------------------------------------

void TFormMain::closeEvent(QCloseEvent* event) {
  // Shutting down under a running bake would free the room it is writing into; the
  // designer can close once it is done.
  if (host_.InLongWork()) {
    event->ignore();
    return;
  }
  const bool frameTimerWasRunning = Timer.isActive();
  Timer.stop();
  if (ShutDownTimer.isActive()) {
    ShutDownTimer.stop();
    event->accept();
    if (engine_) {
      engine_->ShutDown();
      engine_.reset();
      emit engineShutDown();
    }
    return;
  }
  // The first query asks about unsaved work; a cancelled or failed save keeps the editor.
  if (!closeConfirmed_ && !ConfirmDiscard()) {
    if (frameTimerWasRunning) Timer.start();
    event->ignore();
    return;
  }
  closeConfirmed_ = true;
  // Saved or knowingly dropped: nothing is left to recover.
  RecoveryTimer.stop();
  recovery_->Remove();
  event->ignore();
  ShutDownTimer.start();
}

// ---- Room files ----------------------------------------------------------------------

bool TFormMain::ConfirmDiscard() {
  if (!engine_) return true;
  // A change no step has taken yet counts as well.
  Commit("Edit");
  if (!history_->Modified()) return true;
  switch (prompts_.AskUnsavedChanges()) {
    case UnsavedAnswer::Discard: return true;
    case UnsavedAnswer::Cancel: return false;
    case UnsavedAnswer::Save: break;
  }
  return SaveRoom();
}

FileDialogSpec TFormMain::SaveDialogSpec() {
  return {"Save Room", RoomFilter, RoomSuffix, roomDirectory_, QtForm(*this).Text(SaveDialogName)};
}

bool TFormMain::SaveRoomTo(const std::string& hostPath) {
  if (!FinishLiveLighting()) return false;
  const std::size_t errorsBefore = host_.ErrorLog().size();
  Commit("Edit");
  if (engine_->Room->SaveToFile(hostPath)) {
    history_->MarkSaved();
    BindRoomFile(hostPath);
    recentRooms_.Add(QString::fromStdString(hostPath));
    recovery_->Remove();
    ShowHistory();
    return true;
  }
  // The room may have said why already; never let a failed save pass silently.
  if (host_.ErrorLog().size() == errorsBefore)
    host_.ShowError("QZ_ROOM", "Error while saving room file! The previous file was kept.");
  return false;
}

void TFormMain::BindRoomFile(const std::string& hostPath) {
  roomFile_ = hostPath;
  roomFileStamp_ = hostPath.empty() ? std::nullopt : DiskStamp::Of(hostPath);
  QtForm(*this).SetText(SaveDialogName, hostPath);
}

void TFormMain::NewRoom() {
  if (!ConfirmDiscard()) return;
  recovery_->Remove();
  engine_->Room->ClearRoom();
  BindRoomFile("");
  StartHistory(true);
}

bool TFormMain::SaveRoom() {
  if (roomFile_.empty()) return SaveRoomAs();
  // Two editors on one room, or a script that rewrote it: never replace their work
  // without a word.
  if (DiskStamp::Of(roomFile_) != roomFileStamp_) {
    switch (prompts_.AskChangedOnDisk(roomFile_)) {
      case ChangedOnDiskAnswer::Overwrite: break;
      case ChangedOnDiskAnswer::SaveAs: return SaveRoomAs();
      case ChangedOnDiskAnswer::Cancel: return false;
    }
  }
  return SaveRoomTo(roomFile_);
}

bool TFormMain::SaveRoomAs() {
  const auto path = prompts_.SaveFile(SaveDialogSpec());
  return path && SaveRoomTo(*path);
}

void TFormMain::LoadRoom() {
  if (!ConfirmDiscard()) return;
  const auto path = prompts_.OpenFile({"Load Room", RoomFilter, RoomSuffix, roomDirectory_, ""});
  if (path) LoadConfirmed(*path);
}

void TFormMain::LoadRoomFrom(const std::string& hostPath) {
  if (ConfirmDiscard()) LoadConfirmed(hostPath);
}

void TFormMain::OpenAfterStartUp(const StartRequest& request) {
  if (startedUp_) {
    FinishStart(request);
  } else {
    pendingStart_ = request;
  }
}

void TFormMain::FinishStart(const StartRequest& request) {
  if (!request.problem.empty()) host_.ShowError("QZ_ROOM", request.problem);
  if (request.room.empty()) return;
  if (restoredAtStart_) {
    statusBar()->showMessage(
        QStringLiteral("The restored room is open; %1 was not loaded.").arg(QString::fromStdString(request.room)), 15000);
    return;
  }
  LoadRoomFrom(request.room);
}

void TFormMain::LoadConfirmed(const std::string& hostPath) {
  recovery_->Remove();
  const std::size_t errorsBefore = host_.ErrorLog().size();
  // A room recovered from a damaged file differs from that file: closing asks, and
  // saving asks for a file, proposing a new name (the room set it).
  if (engine_->Room->LoadFromFile(hostPath)) {
    BindRoomFile(hostPath);
  } else {
    roomFile_.clear();
    roomFileStamp_.reset();
  }
  StartHistory(!engine_->Room->LoadedPartly());
  if (host_.ErrorLog().size() == errorsBefore) recentRooms_.Add(QString::fromStdString(hostPath));
}

void TFormMain::FillRecentRooms(QMenu& menu) {
  menu.clear();
  const QStringList paths = recentRooms_.List();
  for (int i = 0; i < paths.size(); ++i) {
    QString caption = paths[i];
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* action = menu.addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(caption));
    connect(action, &QAction::triggered, this, [this, path = paths[i]] { OpenRecentRoom(path); });
  }
  if (paths.isEmpty()) menu.addAction(QStringLiteral("No rooms yet"))->setEnabled(false);
}

void TFormMain::OpenRecentRoom(const QString& hostPath) {
  if (!QFileInfo::exists(hostPath)) {
    recentRooms_.Remove(hostPath);
    host_.ShowError("QZ_ROOM", "Room file " + hostPath.toStdString() + " no longer exists.");
    return;
  }
  LoadRoomFrom(hostPath.toStdString());
}

// ---- Crash recovery ------------------------------------------------------------------

std::string TFormMain::RoomPath() { return QtForm(*this).Text(SaveDialogName); }

void TFormMain::WriteRecovery() {
  // A bake in progress is writing into the room; its next tick will do.
  if (!engine_ || host_.InLongWork()) return;
  // The image of the last step: a gesture under way is written once it has ended.
  RecordStep("Edit");
  if (!history_->Modified()) return;
  if (!recovery_->Write(history_->Current().Image(), RoomPath()))
    statusBar()->showMessage(QStringLiteral("The recovery file could not be written."), 5000);
}

bool TFormMain::OfferRecovery() {
  for (const RoomRecovery::Found& found : recovery_->List()) {
    const std::string written = found.written.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString();
    if (!prompts_.AskRestore(found.RoomName(), written)) {
      RoomRecovery::Discard(found);
      continue;
    }
    const auto image = RoomRecovery::Read(found);
    // Another editor starting beside this one may have taken it meanwhile.
    if (!image || !recovery_->Adopt(found)) continue;
    engine_->Room->LoadFromBytes(*image);
    // Its file may have changed since the crash: the first save asks, proposing it.
    BindRoomFile("");
    QtForm(*this).SetText(SaveDialogName, found.roomPath);
    StartHistory(false);
    // One room at a time; the others are offered at the next start.
    return true;
  }
  return false;
}

// ---- Esc -----------------------------------------------------------------------------

void TFormMain::Escape() {
  if (QWidget* popup = QApplication::activePopupWidget()) {
    popup->close();
    return;
  }
  if (engine_ && engine_->Room->Camera.Captured) {
    engine_->Room->Camera.ToggleCapture();
    return;
  }
  if (gestureUnderWay_) {
    CancelGesture();
    return;
  }
  close();
}

void TFormMain::CancelGesture() {
  engine_->Room->Cursor.CancelPress();
  history_->Revert();
  gestureUnderWay_ = false;
  ShowHistory();
}

// ---- The view's mouse ----------------------------------------------------------------

void TFormMain::RouteMousePress(Qt::MouseButton button, int x, int y) {
  if (!engine_ || navigation_->Press(button, x, y)) return;
  TRoom& room = *engine_->Room;
  if (button == Qt::LeftButton && room.Camera.Mode != TCamera::Mode3D) {
    room.Cursor.AddToSelection = view_->PressModifiers() & Qt::ShiftModifier;
    room.Cursor.SetPosition(room, x, y);
    room.Cursor.Press(room);
    GesturePressed();
  } else {
    room.Camera.ToggleCapture();
  }
}

void TFormMain::RouteMouseMove(int x, int y) {
  if (!engine_ || navigation_->Move(x, y)) return;
  TRoom& room = *engine_->Room;
  room.Cursor.SetPosition(room, x, y);
  room.Cursor.Drag(room);
  // Every step of a drag shows its light.
  if (gestureUnderWay_ && liveSteps_) liveSteps_->Changed();
}

void TFormMain::RouteMouseRelease(Qt::MouseButton button, int x, int y) {
  if (navigation_->Release(button)) return;
  if (!engine_ || button != Qt::LeftButton || engine_->Room->Camera.Mode == TCamera::Mode3D) return;
  TRoom& room = *engine_->Room;
  room.Cursor.SetPosition(room, x, y);
  room.Cursor.Release(room);
  GestureReleased();
}
