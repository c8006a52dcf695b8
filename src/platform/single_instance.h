#pragma once

#include <string>

#include "model/event.h"

namespace qm {

// One running player per user. The running player listens on a local channel
// that only the same user can reach and takes execute requests on it.
class SingleInstance {
 public:
  virtual ~SingleInstance() = default;
  // Claims the instance; false when another player of this user runs.
  virtual bool claim() = 0;
  // An execute request: its command text.
  Event<std::string> Execute;
};

}  // namespace qm
