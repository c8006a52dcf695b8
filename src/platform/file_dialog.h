#pragma once

#include <string>
#include <vector>

namespace qm {

// One entry of an open-file dialog's type list: what the user reads and the
// wildcard mask it lists.
struct FileFilter {
  std::string description;
  std::string mask;
};

// The system's open-file dialog.
class FileDialog {
 public:
  virtual ~FileDialog() = default;
  // Shows the dialog modally for one existing file, offering `filters` in
  // order with the first in force, in `folder` (empty: where the last file
  // was chosen). Returns the chosen file's full path, or an empty text when
  // the user cancelled or no dialog could be shown.
  virtual std::string showOpen(const std::vector<FileFilter>& filters, const std::string& folder) = 0;
};

}  // namespace qm
