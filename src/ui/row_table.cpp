#include "ui/row_table.h"

#include <QHeaderView>
#include <QTableView>

QTableView* MakeRowTable(QWidget* parent, QAbstractItemModel* model, const char* name,
                         QAbstractItemView::SelectionMode selection, int stretch) {
  auto* table = new QTableView(parent);
  table->setObjectName(QString::fromLatin1(name));
  table->setModel(model);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode(selection);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setWordWrap(false);
  table->verticalHeader()->hide();
  QHeaderView* header = table->horizontalHeader();
  for (int column = 0; column < model->columnCount(); ++column)
    header->setSectionResizeMode(column, column == stretch ? QHeaderView::Stretch : QHeaderView::ResizeToContents);
  return table;
}
