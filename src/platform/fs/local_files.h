#pragma once

#include <string>
#include <vector>

#include "model/paths.h"
#include "platform/file_system.h"

namespace qm {

namespace files {

// Whether `name` matches the wildcard mask ('*' any run, '?' one character),
// ignoring letter case.
bool matchesMask(const std::string& name, const std::string& mask);
// Whether `name` matches any of the ";"-separated masks of `pattern`.
bool matchesPattern(const std::string& name, const std::string& pattern);

// Directory lookup of a path: the file name (without folder) when that file
// exists, else empty. A trailing wildcard mask lists the first match.
std::string lookup(const std::string& path);

// Names of the plain files of `folder` that match `pattern`, sorted ignoring
// letter case. Hidden files (a leading dot) are left out.
std::vector<std::string> list(const std::string& folder, const std::string& pattern);
// Names of the sub-folders of `folder`, sorted the same way, hidden ones left out.
std::vector<std::string> listFolders(const std::string& folder);

bool isFile(const std::string& path);
bool isFolder(const std::string& path);
// Refuses to replace an existing file.
bool rename(const std::string& from, const std::string& to);
bool makeFolder(const std::string& path);
bool isWritableFolder(const std::string& path);

}  // namespace files

// The file system of this machine.
class LocalFileSystem : public FileSystem {
 public:
  std::optional<std::string> absoluteFolder(const std::string& folder) override;
  std::optional<std::string> canonicalFolder(const std::string& folder) override;
  std::vector<std::string> listFiles(const std::string& folder, const std::string& pattern) override;
  std::vector<std::string> listFolders(const std::string& folder) override;
  std::vector<std::string> driveRoots() override;
  std::string lookup(const std::string& path) override;
  bool isFile(const std::string& path) override;
  bool isFolder(const std::string& path) override;
  bool rename(const std::string& from, const std::string& to) override;
  bool makeFolder(const std::string& path) override;
  Read readFile(const std::string& path, std::size_t sizeLimit) override;
  bool replaceFile(const std::string& path, const std::string& content) override;
  std::optional<Stamp> stamp(const std::string& path) override;
};

}  // namespace qm
