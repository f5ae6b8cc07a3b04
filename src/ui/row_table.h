#pragma once
// The docks' lists: a table model over a vector of rows with fixed column titles, and
// the read-only, row-selecting table view that shows one.

#include <QAbstractItemView>
#include <QAbstractTableModel>
#include <initializer_list>
#include <vector>

class QTableView;

template <typename Row>
class RowTableModel : public QAbstractTableModel {
public:
  RowTableModel(std::initializer_list<const char*> titles, QObject* parent)
      : QAbstractTableModel(parent), titles_(titles) {}

  void SetRows(std::vector<Row> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
  }
  const std::vector<Row>& Rows() const { return rows_; }

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(titles_.size());
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    return QString::fromLatin1(titles_[static_cast<std::size_t>(section)]);
  }

protected:
  // The row an index names, or null.
  const Row* RowAt(const QModelIndex& index) const {
    return index.isValid() && index.row() < rowCount() ? &rows_[static_cast<std::size_t>(index.row())] : nullptr;
  }

private:
  std::vector<const char*> titles_;
  std::vector<Row> rows_;
};

// A table of whole rows, not editable, without row numbers; `stretch` takes the width
// the other columns leave, which are as wide as their contents.
QTableView* MakeRowTable(QWidget* parent, QAbstractItemModel* model, const char* name,
                         QAbstractItemView::SelectionMode selection, int stretch);
