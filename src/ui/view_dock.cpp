#include "ui/view_dock.h"

void ViewDock::closeEvent(QCloseEvent* event) {
  QDockWidget::closeEvent(event);
  emit closed();
}

void ViewDock::showEvent(QShowEvent* event) {
  QDockWidget::showEvent(event);
  Shown();
}
