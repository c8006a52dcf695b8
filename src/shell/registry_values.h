#pragma once

#include <string>

#include "platform/registry.h"

namespace qm {

// A string value of the registry, cut at its first NUL; `fallback` when the
// key or the value is missing or the value is not a string.
std::string readRegString(Registry& registry, RegistryRoot root, const std::string& keyName,
                          const std::string& valueName, const std::string& fallback = "");

// Reads the value `valueName` of the key into `keyValue`: a string as it is,
// less one trailing NUL; a 32-bit number as its decimal text. True when the
// value was read (a value of another type leaves `keyValue` as it was);
// false with `keyValue` empty when the key or the value cannot be read.
bool getKeyValue(Registry& registry, RegistryRoot root, const std::string& keyName, const std::string& valueName,
                 std::string& keyValue);

}  // namespace qm
