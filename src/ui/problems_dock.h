#pragma once
// View > Problems: the current room's problems in one list, what `brannock-tool check`
// reports plus the doors and portals whose room or marker is missing. Its title shows
// how many. A double-click selects the object a row names, shows its sheet and centres
// the flat view on it; a row's context menu offers the problem's obvious fix, as one
// step. The rows are computed again when the history changes (every step, undo and
// redo) while the list is shown, never per frame; other rooms' markers come from the
// shared cache, read again only when their file changed.

#include <vector>

#include "ui/row_table.h"
#include "ui/view_dock.h"
#include "world/room_check.h"

class QTableView;
class TFormMain;

class ProblemsModel : public RowTableModel<RoomProblem> {
public:
  explicit ProblemsModel(QObject* parent = nullptr);
  QVariant data(const QModelIndex& index, int role) const override;
};

class ProblemsDock : public ViewDock {
  Q_OBJECT

public:
  explicit ProblemsDock(TFormMain& main);

  const std::vector<RoomProblem>& Rows() const { return model_->Rows(); }
  // What a double-click on the row does, and what its context menu's fix does.
  void Show(int row);
  bool Fix(int row);

private:
  void Rebuild() override;
  void OfferFix(const QPoint& at);

  TFormMain& main_;
  QTableView* list_;
  ProblemsModel* model_;
};
