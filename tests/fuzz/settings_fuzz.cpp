// Settings files of any content: reading never fails, and a value written
// reads back exactly while every other section stays readable as before.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/fs/ini_settings_files.h"
#include "support/fake_file_system.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  qm::test::FakeFileSystem disk;
  qm::IniSettingsFiles settings(disk);
  const std::string file = "/p/fileinf.ini";
  disk.write(file, text);

  const std::string before = settings.getString(file, "other", "k", "none");
  settings.getString(file, "user", "filepath", "false", 1 + static_cast<int>(size % 300));
  const std::string value = text.substr(0, text.find_first_of(std::string("\r\n\0", 3)));
  if (settings.writeString(file, "user", "filepath", value)) {
    if (settings.getString(file, "user", "filepath", "?", 100000) != value) std::abort();
    if (settings.getString(file, "other", "k", "none") != before) std::abort();
  }
  settings.writeSection(file, "user", text);
  return 0;
}
