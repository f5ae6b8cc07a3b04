#include "ui/filter_box.h"

#include <QLineEdit>

QLineEdit* MakeFilterBox(QWidget* parent, const char* objectName, const QString& hint) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QString::fromLatin1(objectName));
  box->setPlaceholderText(hint);
  box->setClearButtonEnabled(true);
  return box;
}
