#pragma once

#include <string>

namespace qm {

// Settings files in the INI text format ("[section]" lines and "key=value"
// lines), read and written the way profile-string functions do: names
// compare case-insensitively, a missing file, section or key yields the
// default text, values are cut to the caller's buffer. Broken lines are
// skipped, never fatal.
class SettingsFiles {
 public:
  virtual ~SettingsFiles() = default;

  // The value of section/key, or `fallback`; at most bufferSize - 1
  // characters, the last one being reserved for the terminating NUL of a C
  // buffer.
  virtual std::string getString(const std::string& file, const std::string& section, const std::string& key,
                                const std::string& fallback, int bufferSize = 255) = 0;

  // Writes section/key = value, creating the file and the section when needed.
  virtual bool writeString(const std::string& file, const std::string& section, const std::string& key,
                           const std::string& value) = 0;

  // Replaces the whole section with `lines` ("key=value" lines, may be
  // empty), creating the file when needed.
  virtual bool writeSection(const std::string& file, const std::string& section, const std::string& lines) = 0;
};

}  // namespace qm
