#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/media_engine.h"

namespace qm {

std::string formatMediaTime(double seconds) {
  if (!std::isfinite(seconds) || seconds < 0) seconds = 0;
  // A broken file may claim any length; beyond a long the cast is undefined.
  seconds = std::min(seconds, kLongestMediaSeconds);
  long total = static_cast<long>(seconds + 0.5);
  long h = total / 3600, m = (total / 60) % 60, s = total % 60;
  char buf[32];
  if (h > 0)
    std::snprintf(buf, sizeof buf, "%ld:%02ld:%02ld", h, m, s);
  else
    std::snprintf(buf, sizeof buf, "%02ld:%02ld", m, s);
  return buf;
}

}  // namespace qm
