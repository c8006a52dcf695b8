#include "shell/registry_values.h"

#include <cstdint>

namespace qm {

std::string readRegString(Registry& registry, RegistryRoot root, const std::string& keyName,
                          const std::string& valueName, const std::string& fallback) {
  std::string result = fallback;
  RegistryKey key;
  if (registry.openKey(RegistryKey::root(root), keyName, key) != RegistryStatus::Ok) return result;
  RegistryValue value;
  if (registry.queryValue(key, valueName, value) == RegistryStatus::Ok && value.type == RegistryValueType::String)
    result = value.data.substr(0, value.data.find('\0'));
  registry.closeKey(key);
  return result;
}

bool getKeyValue(Registry& registry, RegistryRoot root, const std::string& keyName, const std::string& valueName,
                 std::string& keyValue) {
  // Values are read into a buffer of this many characters.
  constexpr std::size_t kBufferSize = 1024;
  RegistryKey key;
  if (registry.openKey(RegistryKey::root(root), keyName, key) != RegistryStatus::Ok) {
    keyValue.clear();
    return false;
  }
  RegistryValue value;
  if (registry.queryValue(key, valueName, value) != RegistryStatus::Ok || value.data.size() > kBufferSize) {
    registry.closeKey(key);
    keyValue.clear();
    return false;
  }
  std::string text = value.data;
  if (!text.empty() && text.back() == '\0') text.pop_back();
  if (value.type == RegistryValueType::String) {
    keyValue = text;
  } else if (value.type == RegistryValueType::Number32) {
    // The bytes are stored least significant first: read from the last one
    // to the first, they give the number.
    std::uint32_t number = 0;
    for (auto it = text.rbegin(); it != text.rend(); ++it) number = (number << 8) | static_cast<unsigned char>(*it);
    keyValue = std::to_string(number);
  }
  registry.closeKey(key);
  return true;
}

}  // namespace qm
