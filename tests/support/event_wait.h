#pragma once

#include <functional>

namespace qm::live {

// Runs the Qt event loop in short slices until `done` holds or `timeoutMs`
// passed; true when it held. Checks once more at the deadline.
bool pumpUntil(const std::function<bool()>& done, int timeoutMs);
// Runs the Qt event loop for `ms` milliseconds.
void pumpFor(int ms);

}  // namespace qm::live
