#pragma once

#include <QObject>
#include <functional>

namespace qm {

// A call that runs once on the next turn of the event loop however often it
// is asked for before then. A handler that changes a control many times in
// one pass (the list locate opens every entry on its way) costs the screen
// one update, as a paint does; dropped with its owner.
class DeferredCall {
 public:
  DeferredCall(QObject& owner, std::function<void()> call) : owner_(owner), call_(std::move(call)) {}
  void request() {
    if (pending_) return;
    pending_ = true;
    QMetaObject::invokeMethod(
        &owner_,
        [this] {
          pending_ = false;
          call_();
        },
        Qt::QueuedConnection);
  }
  bool pending() const { return pending_; }

 private:
  QObject& owner_;
  std::function<void()> call_;
  bool pending_ = false;
};

}  // namespace qm
