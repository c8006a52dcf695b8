#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace qm {

// The registry: three trees of keys, each key holding named values and
// subkeys. Paths name keys below a key with '\' between the names. Key and
// value names compare ignoring letter case (ASCII and other UTF-8 letters)
// and keep the spelling they were first written with. The unnamed default
// value of a key is the value named "". Nothing is thrown: every call
// returns its status, and a call that fails changes nothing it reports.

enum class RegistryRoot { ClassesRoot, CurrentUser, LocalMachine };

enum class RegistryValueType { String, Number32 };

enum class RegistryStatus {
  Ok,
  NotFound,         // no such key or value
  HasSubkeys,       // a key is deleted only when it has no subkeys
  AccessDenied,     // a key the registry answers but does not let change
  InvalidArgument,  // a closed key, an empty name in a path, a number not of 4 bytes
  StoreFailed,      // the registry could not be read or written; nothing changed
  DesktopFailed,    // the value changed, but the desktop could not follow it
};

struct RegistryValue {
  RegistryValueType type = RegistryValueType::String;
  // The bytes as written: a string keeps a terminating NUL only when it was
  // written with one; a number is 4 bytes, least significant first.
  std::string data;
};

// An open key or one of the three roots, which are always open. A plain
// value, copied freely; closing one copy leaves the others open.
class RegistryKey {
 public:
  RegistryKey() = default;
  static RegistryKey root(RegistryRoot root) { return RegistryKey(root, std::string()); }

  bool isOpen() const { return open_; }
  RegistryRoot rootKey() const { return root_; }
  // The path below the root as the caller spelled it; empty for a root.
  const std::string& path() const { return path_; }

 private:
  friend class Registry;
  RegistryKey(RegistryRoot root, std::string path) : root_(root), path_(std::move(path)), open_(true) {}

  RegistryRoot root_ = RegistryRoot::ClassesRoot;
  std::string path_;
  bool open_ = false;
};

class Registry {
 public:
  virtual ~Registry() = default;

  // Opens the existing key `subPath` below `parent` (parent itself when
  // subPath is empty). NotFound when it is absent; `key` is closed on failure.
  virtual RegistryStatus openKey(const RegistryKey& parent, std::string_view subPath, RegistryKey& key) = 0;
  // Opens the key, creating it and every missing key above it.
  virtual RegistryStatus createKey(const RegistryKey& parent, std::string_view subPath, RegistryKey& key) = 0;
  // The value's type and data.
  virtual RegistryStatus queryValue(const RegistryKey& key, std::string_view name, RegistryValue& value) = 0;
  // Creates or replaces the value.
  virtual RegistryStatus setValue(const RegistryKey& key, std::string_view name, RegistryValueType type,
                                  std::string_view data) = 0;
  virtual RegistryStatus deleteValue(const RegistryKey& key, std::string_view name) = 0;
  // Deletes the key `subPath` below `parent` with its values. A key with
  // subkeys stays (HasSubkeys); so does a root.
  virtual RegistryStatus deleteKey(const RegistryKey& parent, std::string_view subPath) = 0;

  RegistryStatus setString(const RegistryKey& key, std::string_view name, std::string_view text) {
    return setValue(key, name, RegistryValueType::String, text);
  }
  // Closes the key. A root stays open; a key closed already is refused.
  RegistryStatus closeKey(RegistryKey& key) {
    if (!key.isOpen()) return RegistryStatus::InvalidArgument;
    if (!key.path().empty()) key = RegistryKey();
    return RegistryStatus::Ok;
  }

  // The file type under which the desktop keeps its default application for
  // files with the extension key (".rm"); two extensions of one type cannot
  // have different defaults there. Empty where the desktop does not follow
  // the class registry.
  virtual std::string desktopFileType(std::string_view /*extensionKey*/) const { return {}; }

 protected:
  // For implementations: the handle of a key they have found or created.
  static RegistryKey openedKey(RegistryRoot root, std::string path) { return RegistryKey(root, std::move(path)); }
};

}  // namespace qm
