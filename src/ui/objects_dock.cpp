#include "ui/objects_dock.h"

#include <QLineEdit>
#include <QLocale>
#include <QTableView>
#include <QVBoxLayout>

#include "entities/edit_entity.h"
#include "entities/edit_entityform.h"
#include "room/edit_room.h"
#include "room/selection_edit.h"
#include "ui/edit_main.h"
#include "ui/filter_box.h"
#include "ui/qt_form.h"

namespace {

using Kind = TSelection::Kind;

enum Column { SlotColumn, NameColumn, KindColumn, PositionColumn, ColumnCount };

const char* SheetOf(Kind kind) {
  switch (kind) {
    case Kind::Lights: return "TabSheetLights";
    case Kind::Entities: return "TabSheetEntities";
    case Kind::Surfaces: return "TabSheetSurfaces";
    default: return "";
  }
}

QString Position(const TVector& at) {
  const QLocale locale;
  return QStringLiteral("%1; %2; %3")
      .arg(locale.toString(at.x, 'f', 2), locale.toString(at.y, 'f', 2), locale.toString(at.z, 'f', 2));
}

}  // namespace

ObjectsModel::ObjectsModel(QObject* parent) : RowTableModel({"Slot", "Name", "Kind", "Position"}, parent) {}

QVariant ObjectsModel::data(const QModelIndex& index, int role) const {
  const ObjectRow* row = RowAt(index);
  if (role != Qt::DisplayRole || !row) return {};
  switch (index.column()) {
    case SlotColumn: return row->slot;
    case NameColumn: return QString::fromLatin1(row->name);
    case KindColumn: return QString::fromLatin1(row->kindName);
    case PositionColumn: return Position(row->position);
    default: return {};
  }
}

ObjectsDock::ObjectsDock(TFormMain& main) : ViewDock(QStringLiteral("Objects"), &main), main_(main) {
  setObjectName(QStringLiteral("DockObjects"));
  auto* body = new QWidget(this);
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(4, 4, 4, 4);
  filter_ = MakeFilterBox(body, "EditObjectFilter", QStringLiteral("Filter: name, kind, target, model, texture..."));
  layout->addWidget(filter_);
  model_ = new ObjectsModel(this);
  // Slot, kind and position as wide as they need; the name takes the rest.
  list_ = MakeRowTable(body, model_, "ListObjects", QAbstractItemView::ExtendedSelection, NameColumn);
  layout->addWidget(list_);
  // Wide enough for slot, name, kind and position side by side; the window grows to it.
  body->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 56);
  setWidget(body);

  connect(filter_, &QLineEdit::textChanged, this, &ObjectsDock::ApplyFilter);
  // The click's new current row arrives after its selection: both settle the kind.
  connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this, &ObjectsDock::SelectPicked);
  connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &ObjectsDock::SelectPicked);
  connect(list_, &QAbstractItemView::doubleClicked, this, &ObjectsDock::Open);
}

void ObjectsDock::Rebuild() {
  rows_ = main_.Engine() ? ListObjects(*main_.Engine()->Room) : std::vector<ObjectRow>{};
  ApplyFilter();
}

void ObjectsDock::FocusFilter() {
  raise();
  filter_->setFocus(Qt::ShortcutFocusReason);
  filter_->selectAll();
}

void ObjectsDock::ApplyFilter() {
  const std::string filter = filter_->text().toLatin1().toStdString();
  std::vector<ObjectRow> shown;
  for (const ObjectRow& row : rows_)
    if (Matches(row, filter)) shown.push_back(row);
  showingRoom_ = true;
  model_->SetRows(std::move(shown));
  if (const TQZEngine* engine = main_.Engine()) {
    const TSelection& selected = engine->Room->Selection;
    QItemSelection rows;
    for (int i = 0; i < model_->rowCount(); ++i) {
      const ObjectRow& row = model_->Rows()[static_cast<std::size_t>(i)];
      if (selected.Holds(row.kind, row.slot)) rows.select(model_->index(i, 0), model_->index(i, ColumnCount - 1));
    }
    list_->selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
  }
  showingRoom_ = false;
}

void ObjectsDock::SelectPicked() {
  if (showingRoom_ || !main_.Engine()) return;
  const QModelIndexList picked = list_->selectionModel()->selectedRows();
  if (picked.isEmpty()) return;
  const auto rowAt = [this](const QModelIndex& index) -> const ObjectRow& {
    return model_->Rows()[static_cast<std::size_t>(index.row())];
  };
  const QModelIndex current = list_->currentIndex();
  const bool currentPicked = current.isValid() && list_->selectionModel()->isRowSelected(current.row(), {});
  const ObjectRow& lead = rowAt(currentPicked ? current : picked.front());
  TRoom& room = *main_.Engine()->Room;
  room.Selection.Clear();
  for (const QModelIndex& index : picked)
    if (rowAt(index).kind == lead.kind) room.Selection.Add(lead.kind, rowAt(index).slot);
  // The surface sheet's buttons work on the surface the cursor holds.
  if (lead.kind == Kind::Surfaces) room.Cursor.SelectedSurface = room.Surfaces[static_cast<std::size_t>(lead.slot)].get();
  QtForm(main_).SetActivePage("PageControl", SheetOf(lead.kind));
  room.Camera.CentreOn(selection::Centre(room));
}

void ObjectsDock::Open(const QModelIndex& index) {
  if (!main_.Engine() || !index.isValid()) return;
  const ObjectRow row = model_->Rows()[static_cast<std::size_t>(index.row())];
  TRoom& room = *main_.Engine()->Room;
  const auto at = static_cast<std::size_t>(row.slot);
  switch (row.kind) {
    case Kind::Lights:
      if (!room.Lights[at].InUse()) return;
      room.Lights[at].EditAttributes();
      room.CountLights();
      main_.RecordStep("Edit Light");
      break;
    case Kind::Entities:
      if (!room.Entities[at]->InUse()) return;
      entity_form::EditEntityFollowingRename(room, *room.Entities[at]);
      main_.RecordStep("Edit Entity");
      break;
    case Kind::Surfaces:
      if (!room.Surfaces[at]->InUse()) return;
      room.Surfaces[at]->Edit();
      room.CountSurfaces();
      main_.RecordStep("Edit Surface");
      break;
    default: break;
  }
}
