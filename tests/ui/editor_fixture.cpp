#include "editor_fixture.h"

#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QTest>

ModalWatcher::ModalWatcher() {
  timer_.setInterval(20);
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) seenTexts.push_back(box->text().toStdString());
    // Xvfb has no window manager to hand the focus back when a modal closes: without
    // this, the window it came from would take no more shortcuts.
    const QPointer<QWidget> shown(modal);
    const QPointer<QWidget> owner(modal->parentWidget() ? modal->parentWidget()->window() : nullptr);
    if (handler) {
      handler(*modal);
    } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
      dialog->reject();
    }
    if (owner && (!shown || !shown->isVisible())) owner->activateWindow();
  });
  timer_.start();
}

void EditorTest::SetUp() {
  previousDirectory_ = QDir::currentPath();
  // The editor reads its game data from the working directory.
  ASSERT_TRUE(QDir::setCurrent(QStringLiteral(BRANNOCK_SAMPLE_DIR)));
  ASSERT_TRUE(userData.isValid());
  qputenv("XDG_DATA_HOME", userData.path().toLocal8Bit());
  // Settings (the recent rooms) too.
  qputenv("XDG_CONFIG_HOME", (userData.path() + QStringLiteral("/config")).toLocal8Bit());
  // And the thumbnail cache.
  QDir().mkpath(userData.path() + QStringLiteral("/cache"));
  qputenv("XDG_CACHE_HOME", (userData.path() + QStringLiteral("/cache")).toLocal8Bit());
  host = std::make_unique<QtHost>();
  modals = std::make_unique<ModalWatcher>();
}

void EditorTest::TearDown() {
  windows.reset();
  modals.reset();
  host.reset();
  QDir::setCurrent(previousDirectory_);
}

bool EditorTest::WaitFor(const std::function<bool()>& condition, int milliseconds) {
  QElapsedTimer clock;
  clock.start();
  while (!condition()) {
    if (clock.elapsed() > milliseconds) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return true;
}

void EditorTest::StartEditor() {
  windows = std::make_unique<EditorWindows>(*host, prompts, QDir::currentPath().toStdString());
  windows->Main->show();
  ASSERT_TRUE(WaitFor([this] { return windows->Main->Timer.isActive(); })) << "the frame timer never started";
}

void EditorTest::StartEditorOn(const std::string& room) {
  StartEditor();
  windows->Main->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(windows->Main.get()));
  prompts.openAnswers.push_back(room);
  windows->Main->LoadRoom();
}

std::string EditorTest::StatusText(int panel) const {
  const auto* label = windows->Main->findChild<QLabel*>(QStringLiteral("StatusPanel%1").arg(panel));
  return label ? label->text().toStdString() : std::string("<no panel>");
}
