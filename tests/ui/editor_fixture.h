#pragma once
// The editor as the program builds it, on the sample game data, with scripted answers
// for file dialogs and the unsaved-changes question, and a watcher that answers modal
// boxes (error boxes, dialogs) the way a test tells it to.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "ui/edit_main.h"
#include "ui/editor_windows.h"
#include "ui/qt_host.h"
#include "ui/ui_prompts.h"

class ScriptedPrompts : public UiPrompts {
public:
  std::optional<std::string> OpenFile(const FileDialogSpec& request) override {
    openSpecs.push_back(request);
    return Next(openAnswers);
  }
  std::optional<std::string> SaveFile(const FileDialogSpec& request) override {
    saveSpecs.push_back(request);
    return Next(saveAnswers);
  }
  UnsavedAnswer AskUnsavedChanges() override {
    ++unsavedQuestions;
    if (unsavedAnswers.empty()) return UnsavedAnswer::Cancel;
    const UnsavedAnswer answer = unsavedAnswers.front();
    unsavedAnswers.pop_front();
    return answer;
  }

  std::deque<std::optional<std::string>> openAnswers;
  std::deque<std::optional<std::string>> saveAnswers;
  std::deque<UnsavedAnswer> unsavedAnswers;
  bool AskRestore(const std::string& roomName, const std::string&) override {
    restoreQuestions.push_back(roomName);
    if (restoreAnswers.empty()) return false;
    const bool answer = restoreAnswers.front();
    restoreAnswers.pop_front();
    return answer;
  }
  std::deque<bool> restoreAnswers;
  ChangedOnDiskAnswer AskChangedOnDisk(const std::string& hostPath) override {
    changedOnDiskQuestions.push_back(hostPath);
    return changedOnDiskAnswer;
  }
  ChangedOnDiskAnswer changedOnDiskAnswer = ChangedOnDiskAnswer::Cancel;
  std::vector<std::string> changedOnDiskQuestions;
  std::vector<std::string> restoreQuestions;
  std::vector<FileDialogSpec> openSpecs;
  std::vector<FileDialogSpec> saveSpecs;
  int unsavedQuestions = 0;

private:
  static std::optional<std::string> Next(std::deque<std::optional<std::string>>& answers) {
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

// Polls for a modal window and hands it to the current handler (default: close it with
// its reject path). Modal boxes otherwise block a test forever.
class ModalWatcher {
public:
  ModalWatcher();
  std::function<void(QWidget&)> handler;
  std::vector<std::string> seenTexts;  // message box texts, in order

private:
  QTimer timer_;
};

class EditorTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // Spins the event loop until the condition holds or the time is up.
  static bool WaitFor(const std::function<bool()>& condition, int milliseconds = 5000);
  void StartEditor();
  // Started and active (shortcuts and keys reach it), with `room` loaded as Load Room would.
  void StartEditorOn(const std::string& room);

  TFormMain& Main() { return *windows->Main; }
  TQZEngine& Engine() { return *windows->Main->Engine(); }
  QtForm MainForm() { return QtForm(*windows->Main); }
  std::string StatusText(int panel) const;
  template <class T>
  T* Find(QWidget& root, const char* name) {
    T* found = root.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }

  QString previousDirectory_;
  // The user's data and settings directories of every test's editor: recovery files and
  // the recent rooms stay in the test.
  QTemporaryDir userData;
  std::unique_ptr<QtHost> host;
  ScriptedPrompts prompts;
  std::unique_ptr<EditorWindows> windows;
  std::unique_ptr<ModalWatcher> modals;
};
