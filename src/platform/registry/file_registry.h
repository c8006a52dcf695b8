#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/registry/desktop_mirror.h"
#include "platform/registry/registry_tree.h"

namespace qm {

// The registry kept in one text file per user, mirrored into the desktop:
// - a file type whose extension key (".avi") names a class with an open
//   command makes the player the user's default application for the type's
//   MIME type; taking the command away takes only that default away again;
// - the autostart entry exists exactly while the Run value "Quilmora" of
//   the local machine does, and starts the program it names;
// - the system information tool keys of the local machine answer, read only,
//   with the tool installed on this machine, and are absent without one.
// Each call sees what other instances and processes wrote: the file is read
// again whenever it changed, and changes are made under a lock on its folder.
// The file is replaced atomically; a file that cannot be read whole reads as
// what could be read, and is kept as "registry.txt.bad" when it is first
// written over. One thread at a time.
class FileRegistry final : public Registry {
 public:
  // The store is `folder`/registry.txt. The desktop's folders (XDG_DATA_HOME,
  // XDG_CONFIG_HOME, HOME) and the search path for tools (PATH) are read from
  // the environment now.
  explicit FileRegistry(std::string folder);

  // $XDG_DATA_HOME/quilmora (~/.local/share/quilmora).
  static std::string defaultFolder();

  RegistryStatus openKey(const RegistryKey& parent, std::string_view subPath, RegistryKey& key) override;
  RegistryStatus createKey(const RegistryKey& parent, std::string_view subPath, RegistryKey& key) override;
  RegistryStatus queryValue(const RegistryKey& key, std::string_view name, RegistryValue& value) override;
  RegistryStatus setValue(const RegistryKey& key, std::string_view name, RegistryValueType type,
                          std::string_view data) override;
  RegistryStatus deleteValue(const RegistryKey& key, std::string_view name) override;
  RegistryStatus deleteKey(const RegistryKey& parent, std::string_view subPath) override;
  std::string desktopFileType(std::string_view extensionKey) const override;

 private:
  struct Location {
    RegistryRoot root = RegistryRoot::ClassesRoot;
    std::vector<std::string> names;
    std::string spelled;
  };
  enum class Answered { No, ToolPath, ToolFolder, Below };
  enum class Change { ValueSet, ValueDeleted, KeyDeleted, KeyCreated };
  struct FileIdentity {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long seconds = 0, nanoseconds = 0;
    bool operator==(const FileIdentity&) const = default;
  };

  static RegistryStatus locate(const RegistryKey& parent, std::string_view subPath, Location& where);
  Answered answeredKey(const Location& where) const;
  static FileIdentity identityOf(const std::string& path);
  void refresh();
  bool save();
  // Runs `edit` on the store under the lock and saves what it changed; then
  // lets the desktop follow.
  template <typename Edit>
  RegistryStatus write(const Location& where, Change change, std::string_view valueName, Edit edit);
  registry::Associations associations() const;
  bool mirror(const Location& where, Change change, std::string_view valueName, const registry::Associations& before);

  std::string folder_;
  std::string storePath_;
  registry::DesktopFolders desktop_;
  std::string searchPath_;

  registry::RegistryTree tree_;
  FileIdentity identity_;
  bool loaded_ = false;
  bool readable_ = true;     // false: the file is there but cannot be read; never written over
  std::string unreadLines_;  // the whole text of a file that did not parse completely
};

}  // namespace qm
