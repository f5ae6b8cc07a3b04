#include "ui/qt_form.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabWidget>
#include <algorithm>

#include "ui/color_panel.h"

namespace {

QString ToQt(std::string_view text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }

std::string FromQt(const QString& text) { return text.toLatin1().toStdString(); }

// A tab sheet lives in a QTabWidget's page stack; its visibility is the tab's.
QTabWidget* OwningTabs(QWidget* sheet) {
  auto* stack = qobject_cast<QStackedWidget*>(sheet->parentWidget());
  return stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
}

}  // namespace

QObject* QtForm::Find(std::string_view control) const {
  if (!root_) return nullptr;
  const QString name = ToQt(control);
  if (root_->objectName() == name) return root_;
  return root_->findChild<QObject*>(name);
}

template <class T>
T* QtForm::FindAs(std::string_view control) const {
  T* found = qobject_cast<T*>(Find(control));
  if (!found) Missing(control);
  return found;
}

void QtForm::Missing(std::string_view control) const { missing_.emplace(control); }

std::string QtForm::Text(std::string_view control) const {
  QObject* found = Find(control);
  if (auto* edit = qobject_cast<QLineEdit*>(found)) return FromQt(edit->text());
  if (auto* combo = qobject_cast<QComboBox*>(found)) return FromQt(combo->currentText());
  if (auto* label = qobject_cast<QLabel*>(found)) return FromQt(label->text());
  if (auto* button = qobject_cast<QAbstractButton*>(found)) return FromQt(button->text());
  if (auto* group = qobject_cast<QGroupBox*>(found)) return FromQt(group->title());
  if (auto* action = qobject_cast<QAction*>(found)) return FromQt(action->text());
  if (auto* widget = qobject_cast<QWidget*>(found)) return FromQt(widget->windowTitle());
  // A plain object keeps its text as a property (the main window's file dialogs).
  if (found) return FromQt(found->property("text").toString());
  Missing(control);
  return {};
}

void QtForm::SetText(std::string_view control, std::string_view text) {
  QObject* found = Find(control);
  const QString value = ToQt(text);
  if (auto* edit = qobject_cast<QLineEdit*>(found)) {
    edit->setText(value);
  } else if (auto* combo = qobject_cast<QComboBox*>(found)) {
    // A selection-only box can only show one of its items.
    if (combo->isEditable()) {
      combo->setEditText(value);
    } else {
      combo->setCurrentIndex(combo->findText(value, Qt::MatchExactly));
    }
  } else if (auto* label = qobject_cast<QLabel*>(found)) {
    label->setText(value);
  } else if (auto* button = qobject_cast<QAbstractButton*>(found)) {
    button->setText(value);
  } else if (auto* group = qobject_cast<QGroupBox*>(found)) {
    group->setTitle(value);
  } else if (auto* action = qobject_cast<QAction*>(found)) {
    action->setText(value);
  } else if (auto* widget = qobject_cast<QWidget*>(found)) {
    widget->setWindowTitle(value);
  } else if (found) {
    found->setProperty("text", value);
  } else {
    Missing(control);
  }
}

std::vector<std::string> QtForm::Items(std::string_view control) const {
  std::vector<std::string> items;
  QObject* found = Find(control);
  if (auto* combo = qobject_cast<QComboBox*>(found)) {
    for (int i = 0; i < combo->count(); ++i) items.push_back(FromQt(combo->itemText(i)));
  } else if (auto* list = qobject_cast<QListWidget*>(found)) {
    for (int i = 0; i < list->count(); ++i) items.push_back(FromQt(list->item(i)->text()));
  } else {
    Missing(control);
  }
  return items;
}

void QtForm::SetItems(std::string_view control, const std::vector<std::string>& items) {
  QStringList texts;
  for (const std::string& item : items) texts.append(ToQt(item));
  QObject* found = Find(control);
  if (auto* combo = qobject_cast<QComboBox*>(found)) {
    // Refilling leaves nothing selected and an editable box's text as it was.
    const QString text = combo->currentText();
    combo->clear();
    combo->addItems(texts);
    combo->setCurrentIndex(-1);
    if (combo->isEditable()) combo->setEditText(text);
  } else if (auto* list = qobject_cast<QListWidget*>(found)) {
    list->clear();
    list->addItems(texts);
  } else {
    Missing(control);
  }
}

int QtForm::ItemIndex(std::string_view control) const {
  QObject* found = Find(control);
  if (auto* combo = qobject_cast<QComboBox*>(found)) {
    // A typed text that matches no item is no selection.
    if (combo->isEditable() && combo->currentIndex() >= 0 &&
        combo->itemText(combo->currentIndex()) != combo->currentText())
      return -1;
    return combo->currentIndex();
  }
  if (auto* list = qobject_cast<QListWidget*>(found)) return list->currentRow();
  Missing(control);
  return -1;
}

void QtForm::SetItemIndex(std::string_view control, int index) {
  QObject* found = Find(control);
  if (auto* combo = qobject_cast<QComboBox*>(found)) {
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
  } else if (auto* list = qobject_cast<QListWidget*>(found)) {
    list->setCurrentRow(index >= 0 && index < list->count() ? index : -1);
  } else {
    Missing(control);
  }
}

void QtForm::SetDropDownCount(std::string_view control, int count) {
  if (auto* combo = FindAs<QComboBox>(control)) combo->setMaxVisibleItems(std::max(1, count));
}

void QtForm::SortItems(std::string_view control) {
  QObject* found = Find(control);
  if (auto* combo = qobject_cast<QComboBox*>(found)) {
    const QString text = combo->currentText();
    combo->model()->sort(0);
    if (combo->isEditable()) combo->setEditText(text);
  } else if (auto* list = qobject_cast<QListWidget*>(found)) {
    list->sortItems();
  } else {
    Missing(control);
  }
}

bool QtForm::Checked(std::string_view control) const {
  QObject* found = Find(control);
  if (auto* button = qobject_cast<QAbstractButton*>(found)) return button->isChecked();
  if (auto* action = qobject_cast<QAction*>(found)) return action->isChecked();
  if (auto* group = qobject_cast<QGroupBox*>(found)) return group->isChecked();
  Missing(control);
  return false;
}

void QtForm::SetChecked(std::string_view control, bool checked) {
  QObject* found = Find(control);
  if (auto* button = qobject_cast<QAbstractButton*>(found)) {
    button->setChecked(checked);
  } else if (auto* action = qobject_cast<QAction*>(found)) {
    action->setChecked(checked);
  } else {
    Missing(control);
  }
}

unsigned QtForm::Color(std::string_view control) const {
  auto* panel = FindAs<ColorPanel>(control);
  return panel ? panel->Rgb() : 0;
}

void QtForm::SetColor(std::string_view control, unsigned rgb) {
  if (auto* panel = FindAs<ColorPanel>(control)) panel->SetRgb(rgb);
}

bool QtForm::Visible(std::string_view control) const {
  QObject* found = Find(control);
  if (auto* action = qobject_cast<QAction*>(found)) return action->isVisible();
  auto* widget = qobject_cast<QWidget*>(found);
  if (!widget) {
    Missing(control);
    return false;
  }
  if (QTabWidget* tabs = OwningTabs(widget)) return tabs->isTabVisible(tabs->indexOf(widget));
  // Asked of the control itself, so a form not yet on screen still answers.
  return !widget->isHidden();
}

void QtForm::SetVisible(std::string_view control, bool visible) {
  QObject* found = Find(control);
  if (auto* action = qobject_cast<QAction*>(found)) {
    action->setVisible(visible);
  } else if (auto* widget = qobject_cast<QWidget*>(found)) {
    if (QTabWidget* tabs = OwningTabs(widget)) {
      tabs->setTabVisible(tabs->indexOf(widget), visible);
    } else {
      widget->setVisible(visible);
    }
  } else {
    Missing(control);
  }
}

std::string QtForm::ActivePage(std::string_view pageControl) const {
  auto* tabs = FindAs<QTabWidget>(pageControl);
  if (!tabs || !tabs->currentWidget()) return {};
  return FromQt(tabs->currentWidget()->objectName());
}

void QtForm::SetActivePage(std::string_view pageControl, std::string_view sheet) {
  auto* tabs = FindAs<QTabWidget>(pageControl);
  if (!tabs) return;
  auto* page = tabs->findChild<QWidget*>(ToQt(sheet));
  if (!page || tabs->indexOf(page) < 0) {
    Missing(sheet);
    return;
  }
  tabs->setCurrentWidget(page);
}

int QtForm::Left(std::string_view control) const {
  auto* widget = FindAs<QWidget>(control);
  return widget ? widget->x() : 0;
}

void QtForm::SetLeft(std::string_view control, int left) {
  if (auto* widget = FindAs<QWidget>(control)) widget->move(left, widget->y());
}

int QtForm::Position(std::string_view control) const {
  QObject* found = Find(control);
  if (auto* slider = qobject_cast<QAbstractSlider*>(found)) return slider->value();
  if (auto* bar = qobject_cast<QProgressBar*>(found)) return bar->value();
  Missing(control);
  return 0;
}

void QtForm::SetPosition(std::string_view control, int position) {
  QObject* found = Find(control);
  if (auto* slider = qobject_cast<QAbstractSlider*>(found)) {
    // The document carries out what a new position means itself; a slider's change
    // signal stands for the designer's own moves only (a picked light's height shown on
    // the height bar must not be applied back to it, rounded to the bar's tenths).
    const QSignalBlocker quiet(slider);
    slider->setValue(position);
  } else if (auto* bar = qobject_cast<QProgressBar*>(found)) {
    // A progress bar repaints itself at once whenever it moves a pixel, which in long
    // work costs more than the work; its repaint waits for the next round of events.
    bar->setUpdatesEnabled(false);
    bar->setValue(position);
    bar->setUpdatesEnabled(true);
  } else {
    Missing(control);
  }
}

void QtForm::SetMaximum(std::string_view control, int maximum) {
  QObject* found = Find(control);
  if (auto* slider = qobject_cast<QAbstractSlider*>(found)) {
    slider->setMaximum(maximum);
  } else if (auto* bar = qobject_cast<QProgressBar*>(found)) {
    bar->setMaximum(maximum);
  } else {
    Missing(control);
  }
}
