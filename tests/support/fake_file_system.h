#pragma once

#include <map>
#include <set>
#include <string>

#include "platform/file_system.h"

namespace qm::test {

// A folder tree in memory: folders are absolute paths, files map to their
// content. Paths are taken as given (no "." or ".." steps, no links), which
// is all the handlers make.
class FakeFileSystem : public FileSystem {
 public:
  FakeFileSystem();

  // Adds the file (and its folders) with its content.
  void write(const std::string& path, const std::string& content = "");
  void addFolder(const std::string& path);
  // The file's content, or nothing.
  const std::string* content(const std::string& path) const;

  std::optional<std::string> absoluteFolder(const std::string& folder) override;
  std::optional<std::string> canonicalFolder(const std::string& folder) override;
  std::vector<std::string> listFiles(const std::string& folder, const std::string& pattern) override;
  std::vector<std::string> listFolders(const std::string& folder) override;
  std::vector<std::string> driveRoots() override { return drives; }
  std::string lookup(const std::string& path) override;
  bool isFile(const std::string& path) override { return files_.count(path) > 0; }
  bool isFolder(const std::string& path) override { return folders_.count(path) > 0; }
  bool rename(const std::string& from, const std::string& to) override;
  bool makeFolder(const std::string& path) override;
  Read readFile(const std::string& path, std::size_t sizeLimit) override;
  bool replaceFile(const std::string& path, const std::string& content) override;
  // Its size, and how many writes the file system had seen when it was last
  // written.
  std::optional<Stamp> stamp(const std::string& path) override;

  std::vector<std::string> drives{"/"};
  // Folders whose files can be neither written nor renamed (a read-only or
  // full disk).
  std::set<std::string> readOnlyFolders;

 private:
  bool writable(const std::string& path) const;
  std::map<std::string, std::string> files_;
  std::map<std::string, std::int64_t> written_;
  std::int64_t writes_ = 0;
  std::set<std::string> folders_;
};

}  // namespace qm::test
