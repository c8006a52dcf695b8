#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qm::files {

// The mount points of a mount table (the text of /proc/self/mounts) that a
// user would browse as drives: real file systems mounted on folders, without
// the kernel's and the system's own mounts. In table order, each once.
std::vector<std::string> browsableMountPoints(std::string_view mountTable);

// The roots the drive list offers: "/", the home folder, then the browsable
// mount points of this system in name order.
std::vector<std::string> driveRoots();

}  // namespace qm::files
