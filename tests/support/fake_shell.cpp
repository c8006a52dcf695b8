#include "support/fake_shell.h"

namespace qm::test {

namespace {

std::vector<std::string> splitPath(std::string_view path) {
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start <= path.size() && !path.empty()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    names.emplace_back(path.substr(start, end - start));
    start = end + 1;
  }
  return names;
}

}  // namespace

registry::KeyNode* FakeRegistry::node(const RegistryKey& parent, std::string_view subPath, bool create) {
  if (!parent.isOpen()) return nullptr;
  registry::KeyNode* at = &tree.root(parent.rootKey());
  std::vector<std::string> names = splitPath(parent.path());
  for (const std::string& name : splitPath(subPath)) names.push_back(name);
  for (const std::string& name : names) {
    if (name.empty()) return nullptr;
    registry::KeyNode* next = at->subkey(name);
    if (!next && create) next = &at->subkeyOrNew(name);
    if (!next) return nullptr;
    at = next;
  }
  return at;
}

static std::string joined(const RegistryKey& parent, std::string_view subPath) {
  if (parent.path().empty()) return std::string(subPath);
  if (subPath.empty()) return parent.path();
  return parent.path() + "\\" + std::string(subPath);
}

RegistryStatus FakeRegistry::openKey(const RegistryKey& parent, std::string_view subPath, RegistryKey& key) {
  key = RegistryKey();
  if (!node(parent, subPath, false)) return RegistryStatus::NotFound;
  key = openedKey(parent.rootKey(), joined(parent, subPath));
  return RegistryStatus::Ok;
}

RegistryStatus FakeRegistry::createKey(const RegistryKey& parent, std::string_view subPath, RegistryKey& key) {
  key = RegistryKey();
  if (readOnly && !node(parent, subPath, false)) return RegistryStatus::AccessDenied;
  if (!node(parent, subPath, true)) return RegistryStatus::InvalidArgument;
  key = openedKey(parent.rootKey(), joined(parent, subPath));
  return RegistryStatus::Ok;
}

RegistryStatus FakeRegistry::queryValue(const RegistryKey& key, std::string_view name, RegistryValue& value) {
  registry::KeyNode* at = node(key, "", false);
  if (!at) return RegistryStatus::NotFound;
  const registry::StoredValue* stored = at->value(name);
  if (!stored) return RegistryStatus::NotFound;
  value.type = stored->type;
  value.data = stored->data;
  return RegistryStatus::Ok;
}

RegistryStatus FakeRegistry::setValue(const RegistryKey& key, std::string_view name, RegistryValueType type,
                                      std::string_view data) {
  if (readOnly) return RegistryStatus::AccessDenied;
  registry::KeyNode* at = node(key, "", false);
  if (!at) return RegistryStatus::NotFound;
  at->setValue(name, type, data);
  return RegistryStatus::Ok;
}

RegistryStatus FakeRegistry::deleteValue(const RegistryKey& key, std::string_view name) {
  if (readOnly) return RegistryStatus::AccessDenied;
  registry::KeyNode* at = node(key, "", false);
  if (!at || !at->removeValue(name)) return RegistryStatus::NotFound;
  return RegistryStatus::Ok;
}

RegistryStatus FakeRegistry::deleteKey(const RegistryKey& parent, std::string_view subPath) {
  if (readOnly) return RegistryStatus::AccessDenied;
  std::vector<std::string> names = splitPath(subPath);
  if (names.empty()) return RegistryStatus::InvalidArgument;
  const std::string last = names.back();
  names.pop_back();
  std::string above;
  for (const std::string& name : names) above += (above.empty() ? "" : "\\") + name;
  registry::KeyNode* at = node(parent, above, false);
  registry::KeyNode* target = at ? at->subkey(last) : nullptr;
  if (!target) return RegistryStatus::NotFound;
  if (!target->subkeys.empty()) return RegistryStatus::HasSubkeys;
  at->subkeys.erase(registry::foldName(last));
  return RegistryStatus::Ok;
}

}  // namespace qm::test
