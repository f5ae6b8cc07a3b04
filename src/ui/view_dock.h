#pragma once
// A dock that View's menu shows and hides. It says when its own close button hid it, so
// the menu's check follows, and lets the dock bring itself up to date when shown.

#include <QDockWidget>

class ViewDock : public QDockWidget {
  Q_OBJECT

public:
  using QDockWidget::QDockWidget;

signals:
  void closed();

protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  // Each time the dock is shown.
  virtual void Shown() {}
};
