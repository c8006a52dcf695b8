#pragma once

#include <QByteArray>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct chmFile;

namespace qm {

// An open .chm file: its objects by path ("/help.htm"), read whole.
class ChmArchive {
 public:
  // Null when the file cannot be opened as a .chm.
  static std::unique_ptr<ChmArchive> open(const std::string& file);
  ~ChmArchive();
  ChmArchive(const ChmArchive&) = delete;
  ChmArchive& operator=(const ChmArchive&) = delete;

  const std::string& file() const { return file_; }
  // The object's bytes; names without a leading "/" are taken from the root.
  // The archive compares names without regard to case.
  std::optional<QByteArray> read(std::string name) const;
  // Paths of the stored files (not folders, not the archive's own metadata).
  std::vector<std::string> fileNames() const;

 private:
  ChmArchive(chmFile* handle, std::string file) : handle_(handle), file_(std::move(file)) {}
  chmFile* handle_;
  std::string file_;
};

}  // namespace qm
