#include "ui/editor_dialog.h"

#include <QBoxLayout>
#include <QPushButton>
#include <QTabBar>

#include "engine/edit_engine.h"
#include "ui/color_panel.h"

ModalResult EditorDialog::ToModalResult(int dialogResult) {
  if (dialogResult == QDialog::Accepted) return ModalResult::Ok;
  if (dialogResult == DeleteResult) return ModalResult::No;
  return ModalResult::Cancel;
}

EditorDialog::EditorDialog(const char* objectName, const char* caption, QWidget* parent)
    : QDialog(parent), form_(*this) {
  setObjectName(QString::fromLatin1(objectName));
  setWindowTitle(QString::fromLatin1(caption));
  setModal(true);
  // A fixed dialog border: the size follows the contents and cannot be dragged.
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
}

void EditorDialog::AddButtons(QBoxLayout& layout, bool withDelete) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  auto* ok = new QPushButton(QStringLiteral("OK"));
  ok->setObjectName(QStringLiteral("BitBtn1"));
  ok->setDefault(true);
  ok_ = ok;
  auto* cancel = new QPushButton(QStringLiteral("Cancel"));
  cancel->setObjectName(QStringLiteral("BitBtn2"));
  row->addWidget(ok);
  row->addWidget(cancel);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  if (withDelete) {
    auto* remove = new QPushButton(QStringLiteral("Delete"));
    remove->setObjectName(QStringLiteral("BitBtn3"));
    row->addWidget(remove);
    connect(remove, &QPushButton::clicked, this, [this] { done(DeleteResult); });
  }
  layout.addLayout(row);
  layout.setSizeConstraint(QLayout::SetFixedSize);
}

void EditorDialog::showEvent(QShowEvent* event) {
  if (ok_) ok_->setDefault(true);
  for (QWidget* next = nextInFocusChain(); next && next != this; next = next->nextInFocusChain()) {
    // A tab widget hands its focus to its tab bar, which is no control of the record.
    QWidget* target = next;
    while (target->focusProxy()) target = target->focusProxy();
    const bool control = (target->focusPolicy() & Qt::TabFocus) && target->isEnabled() && target->isVisibleTo(this) &&
                         !qobject_cast<QTabBar*>(target) && !qobject_cast<QPushButton*>(target);
    if (control) {
      target->setFocus(Qt::TabFocusReason);
      break;
    }
  }
  QDialog::showEvent(event);
}

void EditorDialog::WireColorPanel(ColorPanel& panel, std::string red, std::string green, std::string blue) {
  connect(&panel, &ColorPanel::clicked, this, [this, &panel, red, green, blue] {
    if (engine_) engine_->PickColor(form_, red, green, blue, panel.objectName().toStdString());
  });
}
