// Runs one operation at a time on a worker thread, so that a long pass over
// a file never freezes the window. While it runs the worker owns the Session;
// the window reads results only after `finished`. Cancel is the core's stop
// request, which every loop over records honours.
#pragma once

#include <QObject>
#include <QString>
#include <QThread>
#include <functional>

#include "platform/feedback.h"

namespace quirovel {

class OperationRunner final : public QObject {
  Q_OBJECT

 public:
  explicit OperationRunner(Feedback& feedback, QObject* parent = nullptr);
  ~OperationRunner() override;

  // Starts `operation` on the worker thread; false (and nothing started) when
  // one is already running. `done` runs on the window's thread afterwards,
  // with the operation's result and whether it was cancelled.
  bool Start(const QString& name, std::function<bool()> operation,
             std::function<void(bool ok, bool cancelled)> done = {});
  bool busy() const { return worker_ != nullptr; }
  const QString& running() const { return name_; }
  void Cancel() {
    if (!busy()) return;
    cancel_requested_ = true;
    feedback_.RequestStop();
  }
  // Cancels what runs and waits for it to end, keeping the window's events
  // flowing (the operation may still show a message while it ends).
  void CancelAndWait();

 signals:
  void started(const QString& name);
  void finished(const QString& name, bool ok, bool cancelled);

 private:
  Feedback& feedback_;
  QThread* worker_ = nullptr;
  QString name_;
  bool cancel_requested_ = false;
};

}  // namespace quirovel
