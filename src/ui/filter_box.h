#pragma once
// The filter line above a dock's list: named for the tests, with a hint and a clear button.

#include <QString>

class QLineEdit;
class QWidget;

QLineEdit* MakeFilterBox(QWidget* parent, const char* objectName, const QString& hint);
