#pragma once

#include <functional>
#include <vector>

namespace qm {

// An event of a control: any number of handlers, raised synchronously in the
// order they were connected. Handlers may raise further events from inside
// (selecting a list entry opens it before the setter returns), so raising
// tolerates handlers that connect new handlers while it runs.
template <class... Args>
class Event {
 public:
  using Handler = std::function<void(Args...)>;

  void connect(Handler handler) { handlers_.push_back(std::move(handler)); }

  void raise(Args... args) const {
    for (size_t i = 0; i < handlers_.size(); ++i) {
      Handler copy = handlers_[i];  // the vector may grow while it runs
      copy(args...);
    }
  }
  void operator()(Args... args) const { raise(args...); }

  bool connected() const { return !handlers_.empty(); }

 private:
  std::vector<Handler> handlers_;
};

}  // namespace qm
