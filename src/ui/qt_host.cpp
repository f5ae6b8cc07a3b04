#include "ui/qt_host.h"

#include <QApplication>
#include <QColorDialog>
#include <QCursor>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>

#include "ui/editor_dialog.h"

namespace {

QString ToQt(std::string_view text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }

// The virtual-key code the camera asks for, or 0 for keys it never polls.
int VirtualKey(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_W: return vk::W;
    case Qt::Key_A: return vk::A;
    case Qt::Key_S: return vk::S;
    case Qt::Key_D: return vk::D;
    case Qt::Key_Space: return vk::Space;
    case Qt::Key_Control: return vk::Ctrl;
    case Qt::Key_Alt: return vk::Alt;
    default: return 0;
  }
}

std::size_t Slot(FormId id) { return static_cast<std::size_t>(id); }

bool IsInput(const QEvent& event) {
  switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu: return true;
    default: return false;
  }
}

// A key released while another window had the keyboard sends its release there, or
// nowhere: when the keyboard moves between windows, what was held no longer counts.
bool ForgetsHeldKeys(const QObject& watched, const QEvent& event) {
  switch (event.type()) {
    case QEvent::ApplicationDeactivate:
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate: return true;
    case QEvent::Show:
    case QEvent::Hide: {
      const auto* widget = qobject_cast<const QWidget*>(&watched);
      return widget && widget->isWindow() && widget->isModal();
    }
    default: return false;
  }
}

// Esc pressed in an open list or menu closes it; claimed before the shortcuts see it,
// it never reaches the window's "Exit".
bool IsEscapeForPopup(const QObject& watched, const QEvent& event) {
  const auto* widget = qobject_cast<const QWidget*>(&watched);
  return widget && widget->window()->windowType() == Qt::Popup &&
         static_cast<const QKeyEvent&>(event).key() == Qt::Key_Escape;
}

bool IsCancelButton(const QWidget& widget) {
  for (const QWidget* w = &widget; w; w = w->parentWidget())
    if (w->objectName() == QLatin1String(QtHost::CancelButton)) return true;
  return false;
}

}  // namespace

QtHost::QtHost() { qApp->installEventFilter(this); }

QtHost::~QtHost() {
  if (qApp) qApp->removeEventFilter(this);
}

void QtHost::RegisterForm(FormId id, QWidget& window) {
  windows_[Slot(id)] = &window;
  forms_[Slot(id)] = std::make_unique<QtForm>(window);
}

void QtHost::SetStatusPanels(std::vector<QLabel*> panels) {
  statusPanels_.assign(panels.begin(), panels.end());
}

void QtHost::SetView(QWidget& view) { view_ = &view; }

void QtHost::ShowError(std::string_view tag, std::string_view text) {
  const std::string message = std::string(tag) + ": " + std::string(text);
  errorLog_.push_back(message);
  QWidget* parent = QApplication::activeModalWidget();
  if (!parent) parent = windows_[Slot(FormId::Main)];
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), ToQt(message), QMessageBox::Ok, parent);
  box.exec();
  KeepGLCurrent();
}

Form& QtHost::GetForm(FormId id) {
  if (const auto& form = forms_[Slot(id)]) return *form;
  return placeholder_;
}

ModalResult QtHost::RunModal(FormId id) {
  auto* dialog = qobject_cast<QDialog*>(windows_[Slot(id)].data());
  if (!dialog) return ModalResult::Cancel;
  const int result = dialog->exec();
  KeepGLCurrent();
  return EditorDialog::ToModalResult(result);
}

void QtHost::SetStatusText(int panel, std::string_view text) {
  if (panel < 0 || panel >= static_cast<int>(statusPanels_.size())) return;
  if (QLabel* label = statusPanels_[static_cast<std::size_t>(panel)]) label->setText(ToQt(text));
}

void QtHost::SetTitle(const QString& title) {
  title_ = title;
  if (QWidget* main = windows_[Slot(FormId::Main)]) main->setWindowTitle(title_ + captionMark_);
}

// The document sets whole captions, often the one it read plus a mark; the part
// beyond the title is kept. A caption of its own is shown after the title.
void QtHost::SetCaption(std::string_view text) {
  const std::string title = title_.toLatin1().toStdString();
  captionMark_ = text.starts_with(title) ? ToQt(text.substr(title.size())) : QStringLiteral(" ") + ToQt(text);
  SetTitle(title_);
}

std::string QtHost::Caption() const {
  const QWidget* main = windows_[Slot(FormId::Main)];
  return main ? main->windowTitle().toLatin1().toStdString() : std::string();
}

void QtHost::ProcessEvents() {
  // Long work reports every row; twenty rounds a second keep the window alive and its
  // bar moving without the window's own work outgrowing the bake's.
  constexpr qint64 IntervalMs = 50;
  if (processedAt_.isValid() && processedAt_.elapsed() < IntervalMs) return;
  processedAt_.start();
  ++longWorkDepth_;
  QApplication::processEvents();
  --longWorkDepth_;
  KeepGLCurrent();
}

std::optional<Host::Rgb> QtHost::PickColor(Rgb initial) {
  const QColor chosen = QColorDialog::getColor(QColor(initial.r, initial.g, initial.b),
                                               QApplication::activeWindow(), QStringLiteral("Color"));
  KeepGLCurrent();
  if (!chosen.isValid()) return std::nullopt;
  return Rgb{chosen.red(), chosen.green(), chosen.blue()};
}

void QtHost::PollKeyboard() {
  // Keys count only while the editor is the active application, as a focused window
  // is the only one that hears the keyboard.
  if (QApplication::activeWindow() == nullptr) keysHeld_.clear();
  keysPolled_ = keysHeld_;
}

bool QtHost::KeyDown(int virtualKey) { return keysPolled_.count(virtualKey) > 0; }

ScreenPoint QtHost::ViewOrigin() {
  if (!view_) return {};
  const QPoint origin = view_->mapToGlobal(QPoint(0, 0));
  return {origin.x(), origin.y()};
}

ScreenPoint QtHost::PointerPosition() {
  const QPoint at = QCursor::pos();
  return {at.x(), at.y()};
}

void QtHost::WarpPointer(ScreenPoint screen) { QCursor::setPos(screen.x, screen.y); }

void QtHost::SetPointerHidden(bool hidden) {
  if (view_) view_->setCursor(hidden ? Qt::BlankCursor : Qt::ArrowCursor);
}

void QtHost::FocusView() {
  if (view_) view_->setFocus(Qt::MouseFocusReason);
}

char LocaleDecimalSeparator() {
  const QString separator = QLocale().decimalPoint();
  return separator.size() == 1 && separator[0].unicode() < 128 ? separator[0].toLatin1() : '.';
}

char QtHost::DecimalSeparator() const { return LocaleDecimalSeparator(); }

std::set<std::string> QtHost::MissingControls() const {
  std::set<std::string> missing;
  for (const auto& form : forms_)
    if (form) missing.insert(form->MissingControls().begin(), form->MissingControls().end());
  return missing;
}

// Input is held back during long work, all but Esc and the Cancel button's clicks. The
// windows themselves pass it on to their widgets, or the button would never see a click;
// a key claimed before the shortcuts see it runs no menu command.
bool QtHost::HoldBackDuringLongWork(QObject& watched, QEvent& event) {
  const bool key = event.type() == QEvent::KeyPress || event.type() == QEvent::ShortcutOverride;
  if (key && static_cast<const QKeyEvent&>(event).key() == Qt::Key_Escape) RequestCancel();
  if (event.type() == QEvent::ShortcutOverride) event.accept();
  if (watched.isWindowType()) return false;
  const bool click = event.type() == QEvent::MouseButtonPress || event.type() == QEvent::MouseButtonRelease;
  const auto* widget = qobject_cast<const QWidget*>(&watched);
  return !(click && widget && IsCancelButton(*widget));
}

bool QtHost::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::KeyPress:
    case QEvent::Shortcut:
      KeepGLCurrent();
      break;
    default: break;
  }
  if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (const int code = VirtualKey(key); code != 0 && !key.isAutoRepeat()) {
      if (event->type() == QEvent::KeyPress) {
        keysHeld_.insert(code);
      } else {
        keysHeld_.erase(code);
      }
    }
  } else if (ForgetsHeldKeys(*watched, *event)) {
    keysHeld_.clear();
  }
  if (event->type() == QEvent::ShortcutOverride && IsEscapeForPopup(*watched, *event)) event->accept();
  if (InLongWork() && IsInput(*event)) return HoldBackDuringLongWork(*watched, *event);
  return QObject::eventFilter(watched, event);
}
