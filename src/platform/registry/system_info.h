#pragma once

#include <string>
#include <string_view>

namespace qm::registry {

// The system information tool of this machine: the full path of the first
// known tool (hardinfo, kinfocenter, gnome-system-monitor, ...) found as an
// executable file in the folders of `searchPath` (a PATH value; relative
// folders are skipped). Empty when none is installed.
std::string findSystemInfoTool(std::string_view searchPath);

}  // namespace qm::registry
