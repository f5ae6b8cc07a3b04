#pragma once
// The questions the main window asks the user outside the document: which room file
// to open or save, and what to do with unsaved changes. Tests answer them from a
// script; the program answers them with Qt's dialogs.

#include <QFileDialog>
#include <memory>
#include <optional>
#include <string>

enum class UnsavedAnswer { Save, Discard, Cancel };
enum class ChangedOnDiskAnswer { Overwrite, SaveAs, Cancel };

struct FileDialogSpec {
  std::string title;
  std::string filter;  // "Room Files|*.rer"
  std::string defaultSuffix;
  std::string directory;  // host path
  std::string fileName;   // host path of the file proposed, empty for none
};

class UiPrompts {
public:
  virtual ~UiPrompts() = default;
  // A host path, or nothing when the user cancels.
  virtual std::optional<std::string> OpenFile(const FileDialogSpec& request) = 0;
  virtual std::optional<std::string> SaveFile(const FileDialogSpec& request) = 0;
  virtual UnsavedAnswer AskUnsavedChanges() = 0;
  // A room left behind by an editor that did not end normally: true restores it, false
  // discards it.
  virtual bool AskRestore(const std::string& roomName, const std::string& writtenAt) = 0;
  // The room's file was changed by someone else since it was loaded or last saved.
  virtual ChangedOnDiskAnswer AskChangedOnDisk(const std::string& hostPath) = 0;
};

// The program's file dialog for a request, not yet shown.
std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, const FileDialogSpec& request, QFileDialog::AcceptMode mode);

class QtPrompts : public UiPrompts {
public:
  explicit QtPrompts(QWidget* parent) : parent_(parent) {}
  std::optional<std::string> OpenFile(const FileDialogSpec& request) override;
  std::optional<std::string> SaveFile(const FileDialogSpec& request) override;
  UnsavedAnswer AskUnsavedChanges() override;
  bool AskRestore(const std::string& roomName, const std::string& writtenAt) override;
  ChangedOnDiskAnswer AskChangedOnDisk(const std::string& hostPath) override;

private:
  QWidget* parent_;
};
