// Registry store files of any content: what is read is written so that it
// reads back the same, and a second round changes nothing.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/registry/registry_tree.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace qm::registry;
  RegistryTree first;
  parseStore(std::string_view(reinterpret_cast<const char*>(data), size), first);
  const std::string text = formatStore(first);
  RegistryTree second;
  if (!parseStore(text, second)) std::abort();
  if (formatStore(second) != text) std::abort();
  return 0;
}
