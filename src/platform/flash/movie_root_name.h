#pragma once

#include <string>

namespace qm {

// A variable's name under the movie's root: "_root.x", "_level0.x" and
// "/:x" all name "x" of the movie the host drives.
inline std::string movieRootName(const std::string& name) {
  for (const std::string prefix : {"_root.", "_level0.", "/:"})
    if (name.rfind(prefix, 0) == 0) return name.substr(prefix.size());
  return name;
}

}  // namespace qm
