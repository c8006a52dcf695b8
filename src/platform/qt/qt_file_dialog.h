#pragma once

#include <QString>
#include <functional>

#include "platform/file_dialog.h"

class QWidget;

namespace qm {

// Qt's own open-file dialog (the same on every desktop), modal, above the
// player's topmost window, opening in the folder of the last file chosen.
class QtFileDialog : public FileDialog {
 public:
  // `owner` gives the window the dialog belongs to (null: none).
  explicit QtFileDialog(std::function<QWidget*()> owner = {}) : owner_(std::move(owner)) {}
  std::string showOpen(const std::vector<FileFilter>& filters, const std::string& folder) override;

 private:
  std::function<QWidget*()> owner_;
  QString lastFolder_;
};

// Qt's name filter text for one entry: "description (masks)"; "*.*" stands
// for every file, names without a dot included, as users of the mask expect.
QString qtNameFilter(const FileFilter& filter);

}  // namespace qm
