#pragma once
// A dock that View's menu shows and hides. It says when its own close button hid it, so
// the menu's check follows, and brings its rows up to date only while it can be seen.

#include <QDockWidget>

class ViewDock : public QDockWidget {
  Q_OBJECT

public:
  using QDockWidget::QDockWidget;

  // Reads the rows again; while the dock is hidden it only notes that it must, and does
  // so when next shown, so a hidden list costs nothing per step.
  void Refresh();

signals:
  void closed();

protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  // Each time the dock is shown.
  virtual void Shown() {}
  // The rows read again, while the dock is shown.
  virtual void Rebuild() {}

private:
  bool stale_ = true;
};
