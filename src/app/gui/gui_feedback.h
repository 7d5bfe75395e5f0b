// The window's Feedback. Operations run on a worker thread: messages and
// questions are shown by the window thread while the worker waits for the
// answer; the status line, labels and progress bar take the last value set,
// and the window paints them a few times a second, so a run that reports a
// million records never floods the window.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <mutex>

#include "platform/feedback.h"

namespace quirovel {

class GuiFeedback final : public QObject, public Feedback {
  Q_OBJECT

 public:
  explicit GuiFeedback(QObject* parent = nullptr);

  void Message(std::string_view text, std::string_view caption = {}) override;
  bool Ask(std::string_view question, std::string_view caption = {}) override;
  void ShowStatus(std::string_view text) override;
  void ShowInfo(std::string_view text) override;
  void ShowActivity(std::string_view text) override;
  void ShowRecordCount(long count) override;
  void ProgressRange(long total) override;
  void ProgressPosition(long position) override;

  // What the window's status controls should show now.
  struct Shown {
    QString status, info, activity;
    long record_count = -1;  // -1: not set since the window last painted it
    long range = 0, position = 0;
    bool activity_set = false;
  };
  // The values set since the last call, and whether any changed.
  bool TakeShown(Shown* shown);

  // How messages and questions reach the person; the window shows message
  // boxes, tests record them. Always called on the window's thread.
  std::function<void(const QString& text, const QString& caption)> show_message;
  std::function<bool(const QString& question, const QString& caption)> ask;

 private:
  std::mutex mutex_;
  Shown shown_;
  bool changed_ = false;
};

}  // namespace quirovel
