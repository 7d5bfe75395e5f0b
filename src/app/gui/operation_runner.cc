#include "app/gui/operation_runner.h"

#include <QEventLoop>
#include <memory>

namespace quirovel {

OperationRunner::OperationRunner(Feedback& feedback, QObject* parent)
    : QObject(parent), feedback_(feedback) {}

OperationRunner::~OperationRunner() { CancelAndWait(); }

bool OperationRunner::Start(const QString& name, std::function<bool()> operation,
                            std::function<void(bool ok, bool cancelled)> done) {
  if (busy()) return false;
  feedback_.ClearStop();
  cancel_requested_ = false;
  name_ = name;
  auto ok = std::make_shared<bool>(false);
  worker_ = QThread::create([operation = std::move(operation), ok] { *ok = operation(); });
  connect(worker_, &QThread::finished, this, [this, ok, done = std::move(done)] {
    // The operation may have cleared the request itself once it honoured it.
    const bool cancelled = cancel_requested_;
    feedback_.ClearStop();
    worker_->deleteLater();
    worker_ = nullptr;
    const QString name = name_;
    name_.clear();
    if (done) done(*ok, cancelled);
    emit finished(name, *ok, cancelled);
  });
  emit started(name);
  worker_->start();
  return true;
}

void OperationRunner::CancelAndWait() {
  if (!busy()) return;
  Cancel();
  QEventLoop loop;
  connect(this, &OperationRunner::finished, &loop, &QEventLoop::quit);
  if (busy()) loop.exec();
}

}  // namespace quirovel
