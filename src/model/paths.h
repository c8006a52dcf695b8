#pragma once

#include <algorithm>
#include <string>

namespace qm {

// The folder separator of paths on this system.
inline constexpr char kPathSeparator = '/';

// Joins a folder and a name with one separator.
inline std::string joinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  std::size_t skip = 0;
  while (skip < name.size() && name[skip] == kPathSeparator) ++skip;
  std::string joined = folder;
  if (joined.back() != kPathSeparator) joined += kPathSeparator;
  joined.append(name, skip, std::string::npos);
  return joined;
}

// A path as a caller wrote it with its double quotes taken out.
inline std::string withoutQuotes(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '"'), text.end());
  return text;
}

}  // namespace qm
