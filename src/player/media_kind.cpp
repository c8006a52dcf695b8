#include "player/media_kind.h"

#include "model/list_controls.h"
#include "model/paths.h"

namespace qm {

std::string entryExtension(const std::string& fileName) {
  auto dot = fileName.rfind('.');
  return dot == std::string::npos ? fileName : fileName.substr(dot + 1);
}

MediaKind selectedKind(const FileListBox& list) {
  std::string name = list.fileName();
  if (name.empty()) return MediaKind::Media;
  return kindOfExtension(entryExtension(name));
}

std::string GetPathFromFileName(const std::string& fullPath, const std::string& splitter) {
  if (splitter.empty()) return {};
  auto at = fullPath.rfind(splitter);
  if (at == std::string::npos) return {};
  return fullPath.substr(0, at + splitter.size());
}

std::string GetExtension(const std::string& fileName) {
  auto dot = fileName.rfind('.');
  if (dot == std::string::npos) return {};
  if (fileName.find(kPathSeparator, dot) != std::string::npos) return {};
  return fileName.substr(dot + 1);
}

}  // namespace qm
