#include "ui/form_builder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "ui/color_panel.h"
#include "ui/qt_host.h"

namespace form_build {

namespace {
// Narrow enough that three colour edits and a panel fit a row of the tool palette.
constexpr int NumberEditWidth = 48;
}  // namespace

QString LocalNumbers(const char* text) {
  QString local = QString::fromLatin1(text);
  // Only a comma between digits is a decimal separator; "0,00, 0,00" lists two numbers.
  for (qsizetype i = 1; i + 1 < local.size(); ++i)
    if (local[i] == QLatin1Char(',') && local[i - 1].isDigit() && local[i + 1].isDigit())
      local[i] = QLatin1Char(LocaleDecimalSeparator());
  return local;
}

QLineEdit* Edit(const char* name, const char* text, int maxLength) {
  auto* edit = Named(new QLineEdit(LocalNumbers(text)), name);
  edit->setMaxLength(maxLength);
  edit->setMinimumWidth(NumberEditWidth);
  return edit;
}

QComboBox* ListBox(const char* name) {
  auto* combo = Named(new QComboBox, name);
  combo->setEditable(false);
  combo->setMaxVisibleItems(22);
  // As wide as its longest item, so whichever is chosen shows whole; the lists are filled
  // after the window is built, and the box grows with them.
  combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  combo->setMinimumContentsLength(10);
  return combo;
}

QComboBox* TextBox(const char* name, int maxLength) {
  auto* combo = ListBox(name);
  combo->setEditable(true);
  // Typed names are not added to the list; the list is refilled from the room.
  combo->setInsertPolicy(QComboBox::NoInsert);
  // Its text scrolls like an edit's; long names must not widen the window.
  combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  combo->lineEdit()->setMaxLength(maxLength);
  return combo;
}

QCheckBox* Check(const char* name, const char* caption) {
  return Named(new QCheckBox(QString::fromLatin1(caption)), name);
}

QPushButton* Button(const char* name, const char* caption) {
  return Named(new QPushButton(QString::fromLatin1(caption)), name);
}

QPushButton* SpeedButton(const char* name, const char* caption) {
  QPushButton* button = Button(name, caption);
  button->setCheckable(true);
  return button;
}

ColorPanel* Panel(const char* name) {
  auto* panel = Named(new ColorPanel, name);
  panel->setToolTip(QStringLiteral("Pick a colour"));
  return panel;
}

QHBoxLayout* Row(std::initializer_list<QWidget*> widgets) {
  auto* row = new QHBoxLayout;
  row->setSpacing(3);
  for (QWidget* widget : widgets) row->addWidget(widget);
  return row;
}

QHBoxLayout* ColorRow(const char* red, const char* green, const char* blue, ColorPanel* panel) {
  return Row({Edit(red, "0,00"), Edit(green, "0,00"), Edit(blue, "0,00"), panel});
}

QFormLayout* Sheet(QTabWidget& tabs, const char* sheetName, const char* caption) {
  auto* sheet = Named(new QWidget, sheetName);
  auto* form = new QFormLayout(sheet);
  form->setContentsMargins(6, 6, 6, 6);
  tabs.addTab(sheet, QString::fromLatin1(caption));
  return form;
}

QFormLayout* Group(QGroupBox*& group, const char* caption) {
  group = new QGroupBox(QString::fromLatin1(caption));
  return new QFormLayout(group);
}

}  // namespace form_build
