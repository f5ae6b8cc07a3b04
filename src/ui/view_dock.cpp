#include "ui/view_dock.h"

void ViewDock::closeEvent(QCloseEvent* event) {
  QDockWidget::closeEvent(event);
  emit closed();
}

void ViewDock::Refresh() {
  stale_ = !isVisible();
  if (!stale_) Rebuild();
}

void ViewDock::showEvent(QShowEvent* event) {
  QDockWidget::showEvent(event);
  if (stale_) Refresh();
  Shown();
}
