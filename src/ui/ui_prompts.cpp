#include "ui/ui_prompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QStyle>
#include <QTreeView>
#include <algorithm>
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
  const auto dialog = MakeFileDialog(parent, request, mode);
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
  return dialog->selectedFiles().front().toStdString();
}

// Qt sizes the detail view's size column for the bare text of "128.88 GB", with no room
// for the item margins, so sizes such as "370.82 KiB" are cut short; it is widened to
// hold the widest size with the style's margins.
void WidenSizeColumn(QFileDialog& dialog) {
  auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
  if (!view) return;  // a native dialog
  const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
  const int widest = view->fontMetrics().horizontalAdvance(QStringLiteral("1023.99 MiB")) + 2 * margin;
  QHeaderView* header = view->header();
  constexpr int SizeColumn = 1;
  header->resizeSection(SizeColumn, std::max(header->sectionSize(SizeColumn), widest));
}

}  // namespace

std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, const FileDialogSpec& request, QFileDialog::AcceptMode mode) {
  if (!parent) parent = QApplication::activeWindow();
  auto dialog = std::make_unique<QFileDialog>(parent, QString::fromStdString(request.title),
                                              QString::fromStdString(request.directory), QtFilter(request.filter));
  dialog->setAcceptMode(mode);
  dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  std::string suffix = request.defaultSuffix;
  if (!suffix.empty() && suffix.front() == '.') suffix.erase(0, 1);
  dialog->setDefaultSuffix(QString::fromStdString(suffix));
  if (!request.fileName.empty()) dialog->selectFile(QString::fromStdString(request.fileName));
  WidenSizeColumn(*dialog);
  return dialog;
}

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

ChangedOnDiskAnswer QtPrompts::AskChangedOnDisk(const std::string& hostPath) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Brannock"),
                  QStringLiteral("\"%1\" was changed by another program since it was loaded or saved here.\n"
                                 "Overwrite it with this room?")
                      .arg(QString::fromStdString(hostPath)),
                  QMessageBox::NoButton, parent_ ? parent_ : QApplication::activeWindow());
  QPushButton* overwrite = box.addButton(QStringLiteral("Overwrite"), QMessageBox::DestructiveRole);
  QPushButton* saveAs = box.addButton(QStringLiteral("Save As..."), QMessageBox::AcceptRole);
  box.setDefaultButton(box.addButton(QMessageBox::Cancel));
  box.exec();
  if (box.clickedButton() == overwrite) return ChangedOnDiskAnswer::Overwrite;
  if (box.clickedButton() == saveAs) return ChangedOnDiskAnswer::SaveAs;
  return ChangedOnDiskAnswer::Cancel;
}
