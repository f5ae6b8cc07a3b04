#include "ui/ui_prompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

// "Room Files|*.rer" -> "Room Files (*.rer)".
QString QtFilter(const std::string& filter) {
  const auto bar = filter.find('|');
  if (bar == std::string::npos) return QString::fromStdString(filter);
  return QString::fromStdString(filter.substr(0, bar) + " (" + filter.substr(bar + 1) + ")");
}

std::optional<std::string> RunFileDialog(QWidget* parent, const FileDialogSpec& request, QFileDialog::AcceptMode mode) {
  if (!parent) parent = QApplication::activeWindow();
  QFileDialog dialog(parent, QString::fromStdString(request.title), QString::fromStdString(request.directory),
                     QtFilter(request.filter));
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  std::string suffix = request.defaultSuffix;
  if (!suffix.empty() && suffix.front() == '.') suffix.erase(0, 1);
  dialog.setDefaultSuffix(QString::fromStdString(suffix));
  if (!request.fileName.empty()) dialog.selectFile(QString::fromStdString(request.fileName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front().toStdString();
}

}  // namespace

std::optional<std::string> QtPrompts::OpenFile(const FileDialogSpec& request) {
  return RunFileDialog(parent_, request, QFileDialog::AcceptOpen);
}

std::optional<std::string> QtPrompts::SaveFile(const FileDialogSpec& request) {
  return RunFileDialog(parent_, request, QFileDialog::AcceptSave);
}

UnsavedAnswer QtPrompts::AskUnsavedChanges() {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Brannock"),
                  QStringLiteral("The room has unsaved changes. Save them first?"),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                  parent_ ? parent_ : QApplication::activeWindow());
  box.setDefaultButton(QMessageBox::Save);
  switch (box.exec()) {
    case QMessageBox::Save: return UnsavedAnswer::Save;
    case QMessageBox::Discard: return UnsavedAnswer::Discard;
    default: return UnsavedAnswer::Cancel;
  }
}

bool QtPrompts::AskRestore(const std::string& roomName, const std::string& writtenAt) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("Brannock"),
                  QStringLiteral("The editor did not end normally while \"%1\" had unsaved changes.\n"
                                 "Its state of %2 was kept. Restore it?")
                      .arg(QString::fromStdString(roomName), QString::fromStdString(writtenAt)),
                  QMessageBox::NoButton, parent_ ? parent_ : QApplication::activeWindow());
  QPushButton* restore = box.addButton(QStringLiteral("Restore"), QMessageBox::AcceptRole);
  box.addButton(QStringLiteral("Discard"), QMessageBox::DestructiveRole);
  box.setDefaultButton(restore);
  box.exec();
  return box.clickedButton() == restore;
}
