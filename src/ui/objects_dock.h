#pragma once
// View > Objects: every light, entity and surface of the room in one list with a filter.
// Selecting rows selects the objects, shows their palette sheet and centres the flat view
// on them; a double-click opens the object's dialog. The rows are rebuilt when the
// room's history changes (and when the list is shown after changes), never per frame.

#include <vector>

#include "room/object_list.h"
#include "ui/row_table.h"
#include "ui/view_dock.h"

class QLineEdit;
class QTableView;
class TFormMain;

class ObjectsModel : public RowTableModel<ObjectRow> {
public:
  explicit ObjectsModel(QObject* parent = nullptr);
  QVariant data(const QModelIndex& index, int role) const override;
};

class ObjectsDock : public ViewDock {
  Q_OBJECT

public:
  explicit ObjectsDock(TFormMain& main);

  // Ctrl+F: the filter takes the keyboard, its text selected for retyping.
  void FocusFilter();

private:
  void Rebuild() override;
  // The rows the filter lets through, with the room's selection shown on them.
  void ApplyFilter();
  void SelectPicked();
  void Open(const QModelIndex& index);

  TFormMain& main_;
  QLineEdit* filter_;
  QTableView* list_;
  ObjectsModel* model_;
  std::vector<ObjectRow> rows_;  // every object, filtered or not
  // The list is being set from the room: its selection signals are not the designer's.
  bool showingRoom_ = false;
};
