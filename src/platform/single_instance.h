#pragma once

#include <string>

#include "model/event.h"

namespace qm {

// One running player per user. The running player listens on a local channel
// that only the same user can reach and takes execute requests on it.
class SingleInstance {
 public:
  virtual ~SingleInstance() = default;
  // Claims the instance; false when another player of this user runs, or
  // when the claim cannot be made at all.
  virtual bool claim() = 0;
  // Why the last claim could not be made, for the user; empty when it failed
  // only because another player runs.
  virtual std::string claimFailure() const = 0;
  // An execute request: its command text.
  Event<std::string> Execute;
};

}  // namespace qm
