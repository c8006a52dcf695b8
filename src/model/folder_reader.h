#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qm {

// What the drive, folder and file lists read of the disk. The file system
// of the platform provides it; tests give the lists a folder tree in memory.
class FolderReader {
 public:
  virtual ~FolderReader() = default;
  // The folder as an absolute path without "." and ".." steps or trailing
  // separators; nothing when there is no such folder or its entries cannot
  // be read.
  virtual std::optional<std::string> absoluteFolder(const std::string& folder) = 0;
  // The same with every link resolved.
  virtual std::optional<std::string> canonicalFolder(const std::string& folder) = 0;
  // Names of the plain files of `folder` that match any of the ";"-separated
  // wildcard masks of `pattern` ('*' any run, '?' one character, letter case
  // ignored), sorted ignoring case. Hidden files (a leading dot) are left out.
  virtual std::vector<std::string> listFiles(const std::string& folder, const std::string& pattern) = 0;
  // Names of the sub-folders, sorted ignoring case, hidden ones left out.
  virtual std::vector<std::string> listFolders(const std::string& folder) = 0;
  // The roots the drive list offers.
  virtual std::vector<std::string> driveRoots() = 0;
};

}  // namespace qm
