// Double clicks on a list's rows told apart by their button: Qt's views
// report only the left one, and the pages give the right one its own action.
#pragma once

#include <QEvent>
#include <QMouseEvent>
#include <QObject>
#include <functional>
#include <utility>

namespace quirovel {

class DoubleClicks final : public QObject {
 public:
  // Installed on a view's viewport, takes the double clicks of `buttons`.
  DoubleClicks(QObject* parent, Qt::MouseButtons buttons, std::function<void(bool right)> action)
      : QObject(parent), buttons_(buttons), action_(std::move(action)) {}

  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::MouseButtonDblClick) return false;
    const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
    if (!(buttons_ & button)) return false;
    action_(button == Qt::RightButton);
    return true;
  }

 private:
  Qt::MouseButtons buttons_;
  std::function<void(bool)> action_;
};

}  // namespace quirovel
