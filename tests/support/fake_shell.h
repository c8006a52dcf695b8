#pragma once

#include <string>
#include <vector>

#include "platform/help_viewer.h"
#include "platform/launcher.h"
#include "platform/registry.h"
#include "platform/registry/registry_tree.h"

namespace qm::test {

// The registry in memory: the same keys and values as the real one, without
// the store file and without the desktop following it.
class FakeRegistry : public Registry {
 public:
  RegistryStatus openKey(const RegistryKey& parent, std::string_view subPath, RegistryKey& key) override;
  RegistryStatus createKey(const RegistryKey& parent, std::string_view subPath, RegistryKey& key) override;
  RegistryStatus queryValue(const RegistryKey& key, std::string_view name, RegistryValue& value) override;
  RegistryStatus setValue(const RegistryKey& key, std::string_view name, RegistryValueType type,
                          std::string_view data) override;
  RegistryStatus deleteValue(const RegistryKey& key, std::string_view name) override;
  RegistryStatus deleteKey(const RegistryKey& parent, std::string_view subPath) override;

  // Every write is refused, as by a registry the user may not change.
  bool readOnly = false;
  registry::RegistryTree tree;

 private:
  registry::KeyNode* node(const RegistryKey& parent, std::string_view subPath, bool create);
};

class FakeLauncher : public Launcher {
 public:
  bool openWebPage(const std::string& address) override {
    pages.push_back(address);
    return browserWorks;
  }
  bool startProgram(const std::string& program) override {
    programs.push_back(program);
    return programsStart;
  }
  bool browserWorks = true;
  bool programsStart = true;
  std::vector<std::string> pages;
  std::vector<std::string> programs;
};

}  // namespace qm::test
