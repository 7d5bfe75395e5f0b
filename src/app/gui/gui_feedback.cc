#include "app/gui/gui_feedback.h"

#include <QMessageBox>
#include <QMetaObject>
#include <QThread>

#include "app/gui/text_codec.h"

namespace quirovel {
namespace {

// Runs f on the thread of `context` and waits for it: directly when already
// there, else queued to that thread's event loop.
template <typename F>
auto OnThreadOf(QObject* context, F f) -> decltype(f()) {
  if (QThread::currentThread() == context->thread()) return f();
  decltype(f()) result{};
  QMetaObject::invokeMethod(context, f, Qt::BlockingQueuedConnection, &result);
  return result;
}

}  // namespace

GuiFeedback::GuiFeedback(QObject* parent) : QObject(parent) {
  show_message = [](const QString& text, const QString& caption) {
    QMessageBox::information(nullptr, caption.isEmpty() ? QStringLiteral("Quirovel") : caption,
                             text);
  };
  ask = [](const QString& question, const QString& caption) {
    return QMessageBox::question(nullptr, caption.isEmpty() ? QStringLiteral("Quirovel") : caption,
                                 question) == QMessageBox::Yes;
  };
}

void GuiFeedback::Message(std::string_view text, std::string_view caption) {
  const QString t = ToQString(text), c = ToQString(caption);
  OnThreadOf(this, [&] {
    show_message(t.trimmed(), c);
    return true;
  });
}

bool GuiFeedback::Ask(std::string_view question, std::string_view caption) {
  const QString q = ToQString(question), c = ToQString(caption);
  return OnThreadOf(this, [&] { return ask(q, c); });
}

void GuiFeedback::ShowStatus(std::string_view text) {
  std::lock_guard<std::mutex> lock(mutex_);
  shown_.status = ToQString(text);
  changed_ = true;
}

void GuiFeedback::ShowInfo(std::string_view text) {
  std::lock_guard<std::mutex> lock(mutex_);
  shown_.info = ToQString(text);
  changed_ = true;
}

void GuiFeedback::ShowActivity(std::string_view text) {
  std::lock_guard<std::mutex> lock(mutex_);
  shown_.activity = ToQString(text);
  shown_.activity_set = true;
  changed_ = true;
}

void GuiFeedback::ShowRecordCount(long count) {
  std::lock_guard<std::mutex> lock(mutex_);
  shown_.record_count = count;
  changed_ = true;
}

void GuiFeedback::ProgressRange(long total) {
  std::lock_guard<std::mutex> lock(mutex_);
  shown_.range = total;
  shown_.position = 0;
  changed_ = true;
}

void GuiFeedback::ProgressPosition(long position) {
  std::lock_guard<std::mutex> lock(mutex_);
  shown_.position = position;
  changed_ = true;
}

bool GuiFeedback::TakeShown(Shown* shown) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!changed_) return false;
  *shown = shown_;
  shown_.record_count = -1;
  shown_.activity_set = false;
  changed_ = false;
  return true;
}

}  // namespace quirovel
