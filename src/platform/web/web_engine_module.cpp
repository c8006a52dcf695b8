#include "platform/web/web_engine_module.h"

#include <dlfcn.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>
#include <string>
#include <vector>

namespace qm {

namespace {

using Entry = const WebEngineModule* (*)();

const WebEngineModule* load() {
  if (auto entry = reinterpret_cast<Entry>(dlsym(RTLD_DEFAULT, kWebEngineModuleEntry))) return entry();
  std::vector<std::string> candidates;
  if (QCoreApplication::instance())
    candidates.push_back(QCoreApplication::applicationDirPath().toStdString() + "/" + kWebEngineModuleFile);
  std::string errors;
  for (const std::string& path : candidates) {
    if (void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
      if (auto entry = reinterpret_cast<Entry>(dlsym(module, kWebEngineModuleEntry))) return entry();
      errors += "\n  " + path + ": no entry";
    } else {
      errors += "\n  " + std::string(dlerror());
    }
  }
  std::fprintf(stderr, "quilmora: the web engine module could not be loaded; no web pages or Flash movies:%s\n",
               errors.c_str());
  return nullptr;
}

}  // namespace

namespace {
bool tried = false;
const WebEngineModule* loaded = nullptr;
}  // namespace

const WebEngineModule* webEngineModule() {
  if (!tried) {
    tried = true;
    loaded = load();
  }
  return loaded;
}

bool webEngineModuleMayLoad() {
  if (tried) return loaded != nullptr;
  if (dlsym(RTLD_DEFAULT, kWebEngineModuleEntry)) return true;
  return QCoreApplication::instance() &&
         QFileInfo::exists(QCoreApplication::applicationDirPath() + "/" + kWebEngineModuleFile);
}

}  // namespace qm
