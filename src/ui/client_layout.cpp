#include "ui/client_layout.h"

#include <QEvent>
#include <QWidget>

ClientLayout::ClientLayout(QWidget& client, QWidget& view)
    : QObject(&client), client_(client), view_(view), designedClient_(client.size()), designedView_(view.geometry()) {
  for (QWidget* child : client.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) designed_[child] = child->geometry();
  client_.setMinimumSize(designedClient_);
  client_.installEventFilter(this);
}

bool ClientLayout::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &client_ && event->type() == QEvent::Resize) Place();
  return QObject::eventFilter(watched, event);
}

QRect ClientLayout::Placed(const QRect& designed, QSize extra) const {
  const QRect view = designedView_;
  if (designed == view) return designed.adjusted(0, 0, extra.width(), extra.height());
  QRect placed = designed;
  const bool right = designed.left() >= view.right() + 1;
  const bool below = designed.top() >= view.bottom() + 1;
  if (right) placed.translate(extra.width(), 0);
  if (below) placed.translate(0, extra.height());
  // A bar along the view's edge grows with it.
  if (right && designed.top() == view.top() && designed.height() == view.height())
    placed.setHeight(designed.height() + extra.height());
  if (below && designed.left() == view.left() && designed.width() == view.width())
    placed.setWidth(designed.width() + extra.width());
  // A panel over the view stays over its middle.
  if (!right && !below) placed.translate(extra.width() / 2, extra.height() / 2);
  return placed;
}

void ClientLayout::Place() {
  const QSize extra = (client_.size() - designedClient_).expandedTo({0, 0});
  for (const auto& [child, designed] : designed_) child->setGeometry(Placed(designed, extra));
}
