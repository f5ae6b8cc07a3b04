#pragma once
// Small makers for named controls, shared by the main window and every dialog, so a
// control's name, limits and kind are set in one place.

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <initializer_list>

#include "ui/color_panel.h"

class QGroupBox;
class QHBoxLayout;
class QTabWidget;

namespace form_build {

constexpr int ShortText = 32;
constexpr int LongText = 255;

template <class T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

// Numbers in an initial text ("0,00") are shown with the user's decimal separator,
// like every number the program writes.
QString LocalNumbers(const char* text);
QLineEdit* Edit(const char* name, const char* text = "", int maxLength = ShortText);
// A drop-down list whose item index is what counts.
QComboBox* ListBox(const char* name);
// An editable box: free text, or a name picked from its list.
QComboBox* TextBox(const char* name, int maxLength = ShortText);
QCheckBox* Check(const char* name, const char* caption = "");
QPushButton* Button(const char* name, const char* caption);
// A button that stays down until released, like a tool or view button.
QPushButton* SpeedButton(const char* name, const char* caption);
ColorPanel* Panel(const char* name);

QHBoxLayout* Row(std::initializer_list<QWidget*> widgets);
// Three colour edits and their "C" panel in one row.
QHBoxLayout* ColorRow(const char* red, const char* green, const char* blue, ColorPanel* panel);

// A tab sheet whose rows go into the returned form layout.
QFormLayout* Sheet(QTabWidget& tabs, const char* sheetName, const char* caption);
// A captioned group inside a form layout's parent; its rows go into the returned layout.
QFormLayout* Group(QGroupBox*& group, const char* caption);

}  // namespace form_build
