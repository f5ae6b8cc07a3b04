// The main window's side of the objects list: showing it, and Ctrl+F into its filter.

#include "ui/edit_main.h"
#include "ui/objects_dock.h"

void TFormMain::ShowObjects(bool shown) {
  if (!objects_) {
    if (!shown) return;
    objects_ = new ObjectsDock(*this);
    AddViewDock(objects_, "Objects1");
    connect(this, &TFormMain::historyChanged, objects_, &ObjectsDock::Refresh);
  }
  ShowViewDock(objects_, "Objects1", shown);
}

void TFormMain::FindObject() {
  ShowObjects(true);
  objects_->FocusFilter();
}
