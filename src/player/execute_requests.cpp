#include "player/execute_requests.h"

#include "forms/player_context.h"

namespace qm {

void ExecuteRequests::take(const std::string& text) {
  if (text.empty()) {
    p_.windows.focus(p_.form);
    return;
  }
  if (showing_) {
    waiting_.push_back(text);
    if (waiting_.size() > kMaxWaiting) waiting_.pop_front();
    return;
  }
  showing_ = true;
  p_.windows.messageBox(text);
  while (!waiting_.empty()) {
    const std::string next = std::move(waiting_.front());
    waiting_.pop_front();
    p_.windows.messageBox(next);
  }
  showing_ = false;
}

}  // namespace qm
