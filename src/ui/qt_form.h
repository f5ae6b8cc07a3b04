#pragma once
// Form over a tree of Qt widgets: controls are found by objectName below the root
// (menu actions included). One class serves the main window and every dialog, so the
// document's dialog code runs unchanged on real widgets.

#include <QPointer>
#include <QWidget>
#include <set>
#include <string>

#include "core/form.h"

class QObject;

class QtForm : public Form {
public:
  explicit QtForm(QWidget& root) : root_(&root) {}

  QWidget* Root() const { return root_; }

  std::string Text(std::string_view control) const override;
  void SetText(std::string_view control, std::string_view text) override;
  std::vector<std::string> Items(std::string_view control) const override;
  void SetItems(std::string_view control, const std::vector<std::string>& items) override;
  int ItemIndex(std::string_view control) const override;
  void SetItemIndex(std::string_view control, int index) override;
  void SetDropDownCount(std::string_view control, int count) override;
  void SortItems(std::string_view control) override;
  bool Checked(std::string_view control) const override;
  void SetChecked(std::string_view control, bool checked) override;
  unsigned Color(std::string_view control) const override;
  void SetColor(std::string_view control, unsigned rgb) override;
  bool Visible(std::string_view control) const override;
  void SetVisible(std::string_view control, bool visible) override;
  std::string ActivePage(std::string_view pageControl) const override;
  void SetActivePage(std::string_view pageControl, std::string_view sheet) override;
  int Left(std::string_view control) const override;
  void SetLeft(std::string_view control, int left) override;
  int Position(std::string_view control) const override;
  void SetPosition(std::string_view control, int position) override;
  void SetMaximum(std::string_view control, int maximum) override;

  // Names asked for that no widget carries, or that a widget of the wrong kind carries.
  // A name missing here is a fault of the form's builder; tests check this stays empty.
  const std::set<std::string>& MissingControls() const { return missing_; }

private:
  QObject* Find(std::string_view control) const;
  template <class T>
  T* FindAs(std::string_view control) const;
  void Missing(std::string_view control) const;

  QPointer<QWidget> root_;
  mutable std::set<std::string> missing_;
};
