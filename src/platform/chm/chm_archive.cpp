#include "platform/chm/chm_archive.h"

#include <chm_lib.h>

namespace qm {

std::unique_ptr<ChmArchive> ChmArchive::open(const std::string& file) {
  chmFile* handle = chm_open(file.c_str());
  if (!handle) return nullptr;
  return std::unique_ptr<ChmArchive>(new ChmArchive(handle, file));
}

ChmArchive::~ChmArchive() { chm_close(handle_); }

std::optional<QByteArray> ChmArchive::read(std::string name) const {
  if (name.empty() || name.front() != '/') name.insert(name.begin(), '/');
  chmUnitInfo unit{};
  if (chm_resolve_object(handle_, name.c_str(), &unit) != CHM_RESOLVE_SUCCESS) return std::nullopt;
  // Folders resolve too; they have no content to show.
  if (name.back() == '/') return std::nullopt;
  QByteArray bytes(static_cast<qsizetype>(unit.length), Qt::Uninitialized);
  const LONGINT64 got = chm_retrieve_object(handle_, &unit, reinterpret_cast<unsigned char*>(bytes.data()), 0,
                                            static_cast<LONGINT64>(unit.length));
  // A damaged compressed section reads short: that is not the object.
  if (got != static_cast<LONGINT64>(unit.length)) return std::nullopt;
  return bytes;
}

std::vector<std::string> ChmArchive::fileNames() const {
  std::vector<std::string> names;
  chm_enumerate(
      handle_, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES,
      [](chmFile*, chmUnitInfo* unit, void* context) {
        static_cast<std::vector<std::string>*>(context)->emplace_back(unit->path);
        return CHM_ENUMERATOR_CONTINUE;
      },
      &names);
  return names;
}

}  // namespace qm
