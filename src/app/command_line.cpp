#include "app/command_line.h"

#include <algorithm>

#include "model/paths.h"

namespace qm {

std::string commandLineOf(const std::vector<std::string>& arguments, const std::string& currentFolder) {
  std::string line;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    if (i > 1) line += ' ';
    line += arguments[i];
  }
  if (line.empty()) return {};
  std::string unquoted = line;
  unquoted.erase(std::remove(unquoted.begin(), unquoted.end(), '"'), unquoted.end());
  if (unquoted.empty() || unquoted.front() != kPathSeparator) return joinPath(currentFolder, unquoted);
  return line;
}

}  // namespace qm
