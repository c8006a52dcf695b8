#pragma once

#include <cstddef>
#include <deque>
#include <string>

namespace qm {

struct PlayerContext;

// Execute requests from other starts of the player: an empty request brings
// the window up, any other text is shown in a message box. A box runs its own
// event loop, so requests that arrive while it is open wait and follow it one
// by one; only the newest few wait, so a flood of requests can never stack
// boxes inside boxes.
class ExecuteRequests {
 public:
  static constexpr std::size_t kMaxWaiting = 8;

  explicit ExecuteRequests(PlayerContext& p) : p_(p) {}
  void take(const std::string& text);

 private:
  PlayerContext& p_;
  bool showing_ = false;
  std::deque<std::string> waiting_;
};

}  // namespace qm
