#pragma once
// The answers of an editor that runs as a test's second process: no file chosen,
// nothing saved or restored on request.

#include "ui/ui_prompts.h"

class NoPrompts : public UiPrompts {
public:
  std::optional<std::string> OpenFile(const FileDialogSpec&) override { return std::nullopt; }
  std::optional<std::string> SaveFile(const FileDialogSpec&) override { return std::nullopt; }
  UnsavedAnswer AskUnsavedChanges() override { return UnsavedAnswer::Cancel; }
  bool AskRestore(const std::string&, const std::string&) override { return false; }
  ChangedOnDiskAnswer AskChangedOnDisk(const std::string&) override { return ChangedOnDiskAnswer::Cancel; }
};
