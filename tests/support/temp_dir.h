#pragma once

#include <string>

namespace qm::test {

// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  // Creates a file (and its folders) under this folder; returns its path.
  std::string write(const std::string& relative, const std::string& content = "") const;

 private:
  std::string path_;
};

}  // namespace qm::test
