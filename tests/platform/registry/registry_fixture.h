#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/fs/temp_folder.h"
#include "platform/registry.h"
#include "platform/registry/file_registry.h"

namespace qm {

// A private home for each test: the store and the desktop's folders below
// it, the system's folders out of sight, no desktop session named.
class RegistryTest : public ::testing::Test {
 protected:
  RegistryTest() {
    if (const char* path = std::getenv("PATH")) path_ = path;
    ::setenv("HOME", home.path().c_str(), 1);
    ::setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
    ::setenv("XDG_DATA_DIRS", (home / "system-data").c_str(), 1);
    ::setenv("XDG_CONFIG_DIRS", (home / "system-config").c_str(), 1);
    for (const char* session : {"XDG_CURRENT_DESKTOP", "KDE_FULL_SESSION", "KDE_SESSION_VERSION", "DESKTOP_SESSION",
                                "GNOME_DESKTOP_SESSION_ID", "XDG_SESSION_DESKTOP"})
      ::unsetenv(session);
  }

  ~RegistryTest() override { ::setenv("PATH", path_.c_str(), 1); }

  std::unique_ptr<FileRegistry> newRegistry() { return std::make_unique<FileRegistry>(FileRegistry::defaultFolder()); }
  std::string storeFile() const { return home / "data/quilmora/registry.txt"; }

  TempFolder home;
  std::string path_;
};

inline const RegistryKey kClasses = RegistryKey::root(RegistryRoot::ClassesRoot);
inline const RegistryKey kMachine = RegistryKey::root(RegistryRoot::LocalMachine);

// Create or open, set, close: the way the player writes a value.
inline RegistryStatus writeString(Registry& registry, const RegistryKey& root, const std::string& path,
                                  const std::string& name, const std::string& text) {
  RegistryKey key;
  RegistryStatus status = registry.createKey(root, path, key);
  if (status != RegistryStatus::Ok) return status;
  status = registry.setString(key, name, text);
  registry.closeKey(key);
  return status;
}

// Open, query, close; nothing when the key or the value is missing.
inline std::optional<RegistryValue> readValue(Registry& registry, const RegistryKey& root, const std::string& path,
                                              const std::string& name) {
  RegistryKey key;
  if (registry.openKey(root, path, key) != RegistryStatus::Ok) return std::nullopt;
  RegistryValue value;
  RegistryStatus status = registry.queryValue(key, name, value);
  registry.closeKey(key);
  if (status != RegistryStatus::Ok) return std::nullopt;
  return value;
}

inline std::optional<std::string> readString(Registry& registry, const RegistryKey& root, const std::string& path,
                                             const std::string& name) {
  std::optional<RegistryValue> value = readValue(registry, root, path, name);
  if (!value || value->type != RegistryValueType::String) return std::nullopt;
  return value->data;
}

// The player's file types: extension key, class key, extension default value.
struct FileType {
  std::string extension, classKey, extensionValue;
};
inline const std::vector<FileType> kFileTypes = {
    {".avi", "AVIFile", "avifile"}, {".wmv", "WMVFile", "wmvfile"},    {".mpeg", "mpegfile", "mpegfile"},
    {".wma", "wmafile", "wmafile"}, {".wav", "wavfile", "wavfile"},    {".mp3", "mp3file", "mp3file"},
    {".MID", "MIDFile", "MIDFile"}, {".dat", "datfile", "datfile"},    {".swf", "swffile", "swffile"},
    {".flv", "flvfile", "flvfile"}, {".rmvb", "rmvbfile", "rmvbfile"}, {".rm", "rmfile", "rmfile"},
    {".vob", "vobFile", "vobfile"}, {".mp4", "mp4File", "mp4file"},    {".mkv", "mkvFile", "mkvfile"},
};

inline std::string commandText(const std::string& programFolder) { return programFolder + "/quilmora %1"; }

// The association dialog's OK, call for call: ticked types are registered,
// the others lose their open and play commands. Results are collected, not
// acted on, as the dialog does.
inline std::vector<RegistryStatus> applyFileTypes(Registry& registry, const std::string& programFolder,
                                                  const std::set<std::string>& ticked) {
  std::vector<RegistryStatus> results;
  for (const FileType& type : kFileTypes) {
    if (ticked.contains(type.extension)) {
      registry.deleteKey(kClasses, type.classKey + "\\shell\\open\\DropTarget");
      results.push_back(writeString(registry, kClasses, type.extension, "", type.extensionValue));
      for (const char* verb : {"open", "play"})
        results.push_back(writeString(registry, kClasses, type.classKey + "\\shell\\" + verb + "\\command", "",
                                      commandText(programFolder)));
      results.push_back(
          writeString(registry, kClasses, type.classKey + "\\DefaultIcon", "", programFolder + "/quilmora"));
    } else {
      for (const char* verb : {"open", "play"}) {
        RegistryKey key;
        if (registry.openKey(kClasses, type.classKey + "\\shell\\" + verb + "\\command", key) != RegistryStatus::Ok)
          continue;
        results.push_back(registry.deleteValue(key, ""));
        registry.closeKey(key);
      }
    }
  }
  return results;
}

// A shell command's exit status and standard output, less its last line break.
struct Ran {
  int status = -1;
  std::string output;
};
inline Ran run(const std::string& command) {
  Ran ran;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return ran;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) ran.output.append(buffer, n);
  ran.status = ::pclose(pipe);
  while (!ran.output.empty() && ran.output.back() == '\n') ran.output.pop_back();
  return ran;
}

inline bool installed(const std::string& tool) { return run("command -v " + tool).status == 0; }

inline std::string shellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// A program named "quilmora" in `folder` that writes the path it was started
// as and its arguments, one a line, to `record`.
inline void makeRecordingProgram(const std::string& folder, const std::string& record) {
  std::filesystem::create_directories(folder);
  const std::string program = folder + "/quilmora";
  writeFile(program, "#!/bin/sh\nprintf '%s\\n' \"$0\" \"$@\" > " + shellQuoted(record) + "\n");
  ::chmod(program.c_str(), 0755);
}

}  // namespace qm
