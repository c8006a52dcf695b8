#pragma once

#include "platform/file_system.h"
#include "platform/settings_files.h"

namespace qm {

// Settings files kept as INI text in files of `disk`, each rewritten as a
// whole on every change so that a crash never leaves half a file.
class IniSettingsFiles : public SettingsFiles {
 public:
  explicit IniSettingsFiles(FileSystem& disk) : disk_(disk) {}

  std::string getString(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& fallback, int bufferSize = 255) override;
  bool writeString(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override;
  bool writeSection(const std::string& file, const std::string& section, const std::string& lines) override;

 private:
  FileSystem& disk_;
};

}  // namespace qm
