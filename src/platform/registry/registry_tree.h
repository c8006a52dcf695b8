#pragma once

#include <array>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace qm::registry {

// Keys nest at most this deep, as in the system's registry.
constexpr std::size_t kMaxKeyDepth = 512;

// A name reduced for comparison: letters folded to one case (simple Unicode
// case folding), bytes that are not UTF-8 kept as they are, each marked so
// that no two different names fold alike unless they differ only in case.
std::string foldName(std::string_view name);

bool isValidUtf8(std::string_view text);

struct StoredValue {
  std::string name;
  RegistryValueType type = RegistryValueType::String;
  std::string data;
};

struct KeyNode {
  std::string name;
  std::vector<StoredValue> values;                          // in the order they were first written
  std::map<std::string, std::unique_ptr<KeyNode>> subkeys;  // by folded name

  KeyNode* subkey(std::string_view name) const;
  // The subkey, created with this spelling when it is missing.
  KeyNode& subkeyOrNew(std::string_view name);
  const StoredValue* value(std::string_view name) const;
  void setValue(std::string_view name, RegistryValueType type, std::string_view data);
  bool removeValue(std::string_view name);
};

struct RegistryTree {
  std::array<KeyNode, 3> roots;

  KeyNode& root(RegistryRoot r) { return roots[static_cast<std::size_t>(r)]; }
  const KeyNode& root(RegistryRoot r) const { return roots[static_cast<std::size_t>(r)]; }
  KeyNode* find(RegistryRoot r, const std::vector<std::string>& path) const;
};

// The store's text: a "[ROOT\key\subkey]" line for every key, followed by
// one "name=type:data" line for each of its values. Names and string data
// are written with every line break, bracket, backslash, '=', '%', comment
// sign, control character and byte that is not UTF-8 as "%XX", so any bytes
// read back as they were written.
std::string formatStore(const RegistryTree& tree);

// Reads what it can into `tree` (left empty first); false when some line
// could not be read and was skipped.
bool parseStore(std::string_view text, RegistryTree& tree);

}  // namespace qm::registry
