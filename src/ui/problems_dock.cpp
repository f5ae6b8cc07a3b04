#include "ui/problems_dock.h"

#include <QMenu>
#include <QTableView>
#include <QVBoxLayout>

#include "room/edit_room.h"
#include "ui/edit_main.h"
#include "ui/qt_form.h"
#include "world/world_links.h"

namespace {

enum Column { ObjectColumn, ProblemColumn };

// The document sets it to the room's file when it loads one, and the window when it saves.
constexpr const char* RoomFileControl = "SaveDialog";

QString Title(std::size_t count) {
  return count == 0 ? QStringLiteral("Problems") : QStringLiteral("Problems (%1)").arg(count);
}

}  // namespace

ProblemsModel::ProblemsModel(QObject* parent) : RowTableModel({"Object", "Problem"}, parent) {}

QVariant ProblemsModel::data(const QModelIndex& index, int role) const {
  const RoomProblem* row = RowAt(index);
  if (!row) return {};
  if (role == Qt::ToolTipRole && row->fix != RoomProblem::Fix::None)
    return QStringLiteral("Right-click: %1").arg(QString::fromLatin1(row->FixCaption()));
  if (role != Qt::DisplayRole) return {};
  switch (index.column()) {
    case ObjectColumn:
      return QString::fromLatin1(row->where);
    case ProblemColumn:
      return QString::fromLatin1(row->what);
    default:
      return {};
  }
}

ProblemsDock::ProblemsDock(TFormMain& main) : ViewDock(Title(0), &main), main_(main) {
  setObjectName(QStringLiteral("DockProblems"));
  auto* body = new QWidget(this);
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(4, 4, 4, 4);
  model_ = new ProblemsModel(this);
  list_ = MakeRowTable(body, model_, "ListProblems", QAbstractItemView::SingleSelection, ProblemColumn);
  list_->setContextMenuPolicy(Qt::CustomContextMenu);
  layout->addWidget(list_);
  body->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 56);
  setWidget(body);

  connect(list_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
    if (index.isValid()) Show(index.row());
  });
  connect(list_, &QWidget::customContextMenuRequested, this, &ProblemsDock::OfferFix);
}

void ProblemsDock::Rebuild() {
  std::vector<RoomProblem> rows;
  if (TQZEngine* engine = main_.Engine())
    rows = ListRoomProblems(*engine->Room, SharedRoomOutlines(), QtForm(main_).Text(RoomFileControl));
  setWindowTitle(Title(rows.size()));
  model_->SetRows(std::move(rows));
}

void ProblemsDock::Show(int row) {
  if (row < 0 || row >= model_->rowCount()) return;
  const RoomProblem& problem = model_->Rows()[static_cast<std::size_t>(row)];
  if (problem.kind != TSelection::Kind::None) main_.ShowObject(problem.kind, problem.slot);
}

bool ProblemsDock::Fix(int row) {
  if (row < 0 || row >= model_->rowCount() || !main_.Engine()) return false;
  const RoomProblem problem = model_->Rows()[static_cast<std::size_t>(row)];
  if (!ApplyFix(*main_.Engine()->Room, problem)) return false;
  // The step's end refreshes the list.
  main_.RecordStep(problem.FixCaption());
  return true;
}

void ProblemsDock::OfferFix(const QPoint& at) {
  const QModelIndex index = list_->indexAt(at);
  if (!index.isValid()) return;
  const int row = index.row();
  const RoomProblem& problem = model_->Rows()[static_cast<std::size_t>(row)];
  QMenu menu(this);
  QAction* show = menu.addAction(QStringLiteral("Show Object"));
  show->setEnabled(problem.kind != TSelection::Kind::None);
  connect(show, &QAction::triggered, this, [this, row] { Show(row); });
  if (problem.fix != RoomProblem::Fix::None) {
    QAction* fix = menu.addAction(QString::fromLatin1(problem.FixCaption()));
    fix->setObjectName(QStringLiteral("ProblemFix"));
    connect(fix, &QAction::triggered, this, [this, row] { Fix(row); });
  }
  menu.exec(list_->viewport()->mapToGlobal(at));
}

