#include "platform/registry/file_registry.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>

#include "platform/fs/atomic_file.h"
#include "platform/registry/system_info.h"

namespace qm {

using registry::foldName;
using registry::KeyNode;

namespace {

constexpr std::size_t kMaxStoreSize = 64 << 20;

std::vector<std::string> foldedNames(std::initializer_list<std::string_view> names) {
  std::vector<std::string> folded;
  for (std::string_view name : names) folded.push_back(foldName(name));
  return folded;
}

const std::vector<std::string>& runKey() {
  static const auto names = foldedNames({"Software", "Microsoft", "Windows", "CurrentVersion", "Run"});
  return names;
}
constexpr std::string_view kRunValue = "Quilmora";

const std::vector<std::string>& toolPathKey() {
  static const auto names = foldedNames({"SOFTWARE", "Microsoft", "Shared Tools", "MSINFO"});
  return names;
}
constexpr std::string_view kToolPathValue = "PATH";
const std::vector<std::string>& toolFolderKey() {
  static const auto names = foldedNames({"SOFTWARE", "Microsoft", "Shared Tools Location"});
  return names;
}
constexpr std::string_view kToolFolderValue = "MSINFO";

bool splitPath(std::string_view path, std::vector<std::string>& names) {
  if (path.empty()) return true;
  std::size_t start = 0;
  for (;;) {
    std::size_t end = path.find('\\', start);
    std::string_view name = path.substr(start, end == std::string_view::npos ? end : end - start);
    if (name.empty()) return false;
    names.emplace_back(name);
    if (end == std::string_view::npos) return true;
    start = end + 1;
  }
}

std::vector<std::string> folded(const std::vector<std::string>& names) {
  std::vector<std::string> result;
  for (const std::string& name : names) result.push_back(foldName(name));
  return result;
}

bool startsWith(const std::vector<std::string>& names, const std::vector<std::string>& prefix) {
  return names.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), names.begin());
}

// A string value as text: up to its first NUL.
std::optional<std::string> stringValue(const KeyNode* key, std::string_view name) {
  const registry::StoredValue* value = key ? key->value(name) : nullptr;
  if (!value || value->type != RegistryValueType::String) return std::nullopt;
  std::string text = value->data.substr(0, value->data.find('\0'));
  if (text.empty()) return std::nullopt;
  return text;
}

// Holds an exclusive lock on the store's folder while changes are made.
class FolderLock {
 public:
  explicit FolderLock(const std::string& folder) : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (fd_ < 0) return;
    int result;
    do result = ::flock(fd_, LOCK_EX);
    while (result != 0 && errno == EINTR);
    locked_ = result == 0;
  }
  ~FolderLock() {
    if (fd_ >= 0) ::close(fd_);
  }
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  bool locked() const { return locked_; }

 private:
  int fd_;
  bool locked_ = false;
};

}  // namespace

FileRegistry::FileRegistry(std::string folder)
    : folder_(std::move(folder)),
      storePath_(folder_.empty() ? std::string() : folder_ + "/registry.txt"),
      desktop_(registry::DesktopFolders::fromEnvironment()) {
  if (const char* path = std::getenv("PATH")) searchPath_ = path;
}

std::string FileRegistry::defaultFolder() {
  std::string data = registry::DesktopFolders::fromEnvironment().dataHome;
  return data.empty() ? std::string() : data + "/quilmora";
}

RegistryStatus FileRegistry::locate(const RegistryKey& parent, std::string_view subPath, Location& where) {
  if (!parent.isOpen()) return RegistryStatus::InvalidArgument;
  where.root = parent.rootKey();
  where.names.clear();
  if (!splitPath(parent.path(), where.names) || !splitPath(subPath, where.names) ||
      where.names.size() > registry::kMaxKeyDepth)
    return RegistryStatus::InvalidArgument;
  where.spelled = parent.path();
  if (!where.spelled.empty() && !subPath.empty()) where.spelled += '\\';
  where.spelled += subPath;
  return RegistryStatus::Ok;
}

FileRegistry::Answered FileRegistry::answeredKey(const Location& where) const {
  if (where.root != RegistryRoot::LocalMachine) return Answered::No;
  const std::vector<std::string> names = folded(where.names);
  for (const auto* key : {&toolPathKey(), &toolFolderKey()}) {
    if (!startsWith(names, *key)) continue;
    if (names.size() > key->size()) return Answered::Below;
    return key == &toolPathKey() ? Answered::ToolPath : Answered::ToolFolder;
  }
  return Answered::No;
}

FileRegistry::FileIdentity FileRegistry::identityOf(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return FileIdentity();
  return {true, info.st_dev, info.st_ino, info.st_size, info.st_mtim.tv_sec, info.st_mtim.tv_nsec};
}

void FileRegistry::refresh() {
  const FileIdentity now = identityOf(storePath_);
  if (loaded_ && now == identity_) return;
  loaded_ = true;
  identity_ = now;
  unreadLines_.clear();
  std::string text;
  files::ReadStatus status = files::readRegularFile(storePath_, kMaxStoreSize, text);
  readable_ = status != files::ReadStatus::Failed;
  if (status != files::ReadStatus::Read) {
    tree_ = registry::RegistryTree();
    return;
  }
  if (!registry::parseStore(text, tree_)) unreadLines_ = std::move(text);
}

bool FileRegistry::save() {
  // What could not be read is kept aside before it is written over.
  if (!unreadLines_.empty() && !files::replaceFileAtomically(storePath_ + ".bad", unreadLines_)) return false;
  if (!files::replaceFileAtomically(storePath_, registry::formatStore(tree_))) return false;
  unreadLines_.clear();
  // Under the lock nobody else writes: the file there now is the one saved.
  identity_ = identityOf(storePath_);
  return true;
}

template <typename Edit>
RegistryStatus FileRegistry::write(const Location& where, Change change, std::string_view valueName, Edit edit) {
  std::error_code ec;
  std::filesystem::create_directories(folder_, ec);
  FolderLock lock(folder_);
  if (!lock.locked()) return RegistryStatus::StoreFailed;
  refresh();
  if (!readable_) return RegistryStatus::StoreFailed;
  const registry::Associations before = associations();
  bool changed = false;
  RegistryStatus status = edit(changed);
  if (status != RegistryStatus::Ok) return status;
  if (changed && !save()) {
    loaded_ = false;  // back to what the file holds
    refresh();
    return RegistryStatus::StoreFailed;
  }
  return mirror(where, change, valueName, before) ? RegistryStatus::Ok : RegistryStatus::DesktopFailed;
}

RegistryStatus FileRegistry::openKey(const RegistryKey& parent, std::string_view subPath, RegistryKey& key) {
  key = RegistryKey();
  Location where;
  if (RegistryStatus status = locate(parent, subPath, where); status != RegistryStatus::Ok) return status;
  switch (answeredKey(where)) {
    case Answered::ToolPath:
    case Answered::ToolFolder:
      if (registry::findSystemInfoTool(searchPath_).empty()) return RegistryStatus::NotFound;
      key = openedKey(where.root, where.spelled);
      return RegistryStatus::Ok;
    case Answered::Below:
      return RegistryStatus::NotFound;
    case Answered::No:
      break;
  }
  refresh();
  if (!tree_.find(where.root, where.names)) return RegistryStatus::NotFound;
  key = openedKey(where.root, where.spelled);
  return RegistryStatus::Ok;
}

RegistryStatus FileRegistry::createKey(const RegistryKey& parent, std::string_view subPath, RegistryKey& key) {
  key = RegistryKey();
  Location where;
  if (RegistryStatus status = locate(parent, subPath, where); status != RegistryStatus::Ok) return status;
  if (answeredKey(where) != Answered::No) return RegistryStatus::AccessDenied;
  refresh();
  if (!tree_.find(where.root, where.names)) {
    RegistryStatus status = write(where, Change::KeyCreated, {}, [&](bool& changed) {
      KeyNode* node = &tree_.root(where.root);
      for (const std::string& name : where.names) node = &node->subkeyOrNew(name);
      changed = true;
      return RegistryStatus::Ok;
    });
    if (status != RegistryStatus::Ok) return status;
  }
  key = openedKey(where.root, where.spelled);
  return RegistryStatus::Ok;
}

RegistryStatus FileRegistry::queryValue(const RegistryKey& key, std::string_view name, RegistryValue& value) {
  Location where;
  if (RegistryStatus status = locate(key, {}, where); status != RegistryStatus::Ok) return status;
  switch (answeredKey(where)) {
    case Answered::ToolPath:
    case Answered::ToolFolder: {
      const bool wantsPath = answeredKey(where) == Answered::ToolPath;
      if (foldName(name) != foldName(wantsPath ? kToolPathValue : kToolFolderValue)) return RegistryStatus::NotFound;
      std::string tool = registry::findSystemInfoTool(searchPath_);
      if (tool.empty()) return RegistryStatus::NotFound;
      value.type = RegistryValueType::String;
      value.data = wantsPath ? tool : tool.substr(0, std::max<std::size_t>(tool.rfind('/'), 1));
      return RegistryStatus::Ok;
    }
    case Answered::Below:
      return RegistryStatus::NotFound;
    case Answered::No:
      break;
  }
  refresh();
  const KeyNode* node = tree_.find(where.root, where.names);
  const registry::StoredValue* stored = node ? node->value(name) : nullptr;
  if (!stored) return RegistryStatus::NotFound;
  value.type = stored->type;
  value.data = stored->data;
  return RegistryStatus::Ok;
}

RegistryStatus FileRegistry::setValue(const RegistryKey& key, std::string_view name, RegistryValueType type,
                                      std::string_view data) {
  Location where;
  if (RegistryStatus status = locate(key, {}, where); status != RegistryStatus::Ok) return status;
  if (type == RegistryValueType::Number32 && data.size() != 4) return RegistryStatus::InvalidArgument;
  if (answeredKey(where) != Answered::No) return RegistryStatus::AccessDenied;
  return write(where, Change::ValueSet, name, [&](bool& changed) {
    // A key deleted since it was opened is not brought back.
    KeyNode* node = tree_.find(where.root, where.names);
    if (!node) return RegistryStatus::NotFound;
    const registry::StoredValue* old = node->value(name);
    changed = !old || old->type != type || old->data != data;
    if (changed) node->setValue(name, type, data);
    return RegistryStatus::Ok;
  });
}

RegistryStatus FileRegistry::deleteValue(const RegistryKey& key, std::string_view name) {
  Location where;
  if (RegistryStatus status = locate(key, {}, where); status != RegistryStatus::Ok) return status;
  if (answeredKey(where) != Answered::No) return RegistryStatus::AccessDenied;
  return write(where, Change::ValueDeleted, name, [&](bool& changed) {
    KeyNode* node = tree_.find(where.root, where.names);
    changed = node && node->removeValue(name);
    return changed ? RegistryStatus::Ok : RegistryStatus::NotFound;
  });
}

RegistryStatus FileRegistry::deleteKey(const RegistryKey& parent, std::string_view subPath) {
  Location where;
  if (RegistryStatus status = locate(parent, subPath, where); status != RegistryStatus::Ok) return status;
  if (where.names.empty() || answeredKey(where) != Answered::No) return RegistryStatus::AccessDenied;
  return write(where, Change::KeyDeleted, {}, [&](bool& changed) {
    std::vector<std::string> above(where.names.begin(), where.names.end() - 1);
    KeyNode* node = tree_.find(where.root, where.names);
    if (!node) return RegistryStatus::NotFound;
    if (!node->subkeys.empty()) return RegistryStatus::HasSubkeys;
    tree_.find(where.root, above)->subkeys.erase(foldName(where.names.back()));
    changed = true;
    return RegistryStatus::Ok;
  });
}

std::string FileRegistry::desktopFileType(std::string_view extensionKey) const {
  return std::string(registry::mimeTypeOfExtension(extensionKey));
}

registry::Associations FileRegistry::associations() const {
  registry::Associations result;
  for (const std::string& extension : registry::mimeExtensionKeys()) {
    std::optional<std::string> className = stringValue(tree_.find(RegistryRoot::ClassesRoot, {extension}), "");
    std::vector<std::string> names;
    if (!className || !splitPath(*className + "\\shell\\open\\command", names)) continue;
    std::optional<std::string> command = stringValue(tree_.find(RegistryRoot::ClassesRoot, names), "");
    if (command) result.emplace(registry::mimeTypeOfExtension(extension), *command);
  }
  return result;
}

bool FileRegistry::mirror(const Location& where, Change change, std::string_view valueName,
                          const registry::Associations& before) {
  if (change == Change::KeyCreated) return true;
  const bool defaultValue = change == Change::KeyDeleted || valueName.empty();
  const std::vector<std::string> names = folded(where.names);

  if (where.root == RegistryRoot::LocalMachine && names == runKey() &&
      (change == Change::KeyDeleted || foldName(valueName) == foldName(kRunValue)))
    return registry::applyAutostart(desktop_, stringValue(tree_.find(where.root, where.names), kRunValue));

  if (where.root != RegistryRoot::ClassesRoot || !defaultValue) return true;
  const registry::Associations after = associations();
  // Writing an association again puts the player first again, as the user
  // asked for it once more.
  std::set<std::string> promote;
  if (change == Change::ValueSet) {
    const auto commandKey = foldedNames({"shell", "open", "command"});
    for (const std::string& extension : registry::mimeExtensionKeys()) {
      std::string type(registry::mimeTypeOfExtension(extension));
      if (!after.contains(type)) continue;
      if (names.size() == 1 && names[0] == foldName(extension)) promote.insert(type);
      if (names.size() == 4 && std::equal(commandKey.begin(), commandKey.end(), names.begin() + 1)) {
        std::optional<std::string> className = stringValue(tree_.find(where.root, {extension}), "");
        if (className && foldName(*className) == names[0]) promote.insert(type);
      }
    }
  }
  if (after == before && promote.empty()) return true;
  return registry::applyAssociations(desktop_, after, promote);
}

}  // namespace qm
