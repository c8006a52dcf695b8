#include "support/temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace qm::test {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "quilmora-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) std::abort();
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::string TempDir::write(const std::string& relative, const std::string& content) const {
  std::filesystem::path p = std::filesystem::path(path_) / relative;
  std::filesystem::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << content;
  return p.string();
}

}  // namespace qm::test
