#include "platform/fs/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "platform/fs/local_files.h"

namespace qm::files {

namespace fs = std::filesystem;

namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  // Closing reports the last write errors of some file systems.
  bool close() {
    int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool writeAll(int fd, const std::string& content) {
  std::size_t done = 0;
  while (done < content.size()) {
    ssize_t n = ::write(fd, content.data() + done, content.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// A name beside the target that no other writer picks: pid and a counter.
std::string temporaryName(const fs::path& target) {
  static std::atomic<unsigned> counter{0};
  return (target.parent_path() /
          ("." + target.filename().string() + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++)))
      .string();
}

void syncFolder(const fs::path& folder) {
  int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

ReadStatus readRegularFile(const std::string& path, std::size_t sizeLimit, std::string& content) {
  content.clear();
  if (path.empty()) return ReadStatus::Missing;
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (file.get() < 0) return errno == ENOENT ? ReadStatus::Missing : ReadStatus::Failed;
  struct stat info;
  if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return ReadStatus::Failed;
  if (static_cast<std::size_t>(info.st_size) > sizeLimit) return ReadStatus::Failed;
  char buffer[16384];
  for (;;) {
    ssize_t n = ::read(file.get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return ReadStatus::Failed;
    if (n == 0) break;
    content.append(buffer, static_cast<std::size_t>(n));
    // The file may grow while it is read.
    if (content.size() > sizeLimit) return ReadStatus::Failed;
  }
  return ReadStatus::Read;
}

bool replaceFileAtomically(const std::string& path, const std::string& content) {
  if (path.empty()) return false;
  fs::path target(path);
  std::error_code ec;
  if (fs::is_symlink(target, ec)) {
    target = fs::canonical(target, ec);
    if (ec) return false;
  }
  struct stat existing;
  bool exists = ::stat(target.c_str(), &existing) == 0;
  if (exists && !S_ISREG(existing.st_mode)) return false;
  if (!exists && errno != ENOENT) return false;

  std::string temporary;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temporary = temporaryName(target);
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return false;
  }
  if (fd < 0) return false;
  FileDescriptor file(fd);
  bool written = (!exists || ::fchmod(fd, existing.st_mode & 07777) == 0) && writeAll(fd, content) &&
                 ::fsync(fd) == 0 && file.close();
  if (!written || ::rename(temporary.c_str(), target.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  syncFolder(target.parent_path());
  return true;
}

bool copyFileAtomically(const std::string& from, const std::string& to) {
  if (from.empty() || to.empty()) return false;
  const fs::path target(to);
  const std::string temporary = temporaryName(target);
  std::error_code ec;
  bool copied = fs::copy_file(from, temporary, ec) && !ec;
  if (copied) {
    FileDescriptor file(::open(temporary.c_str(), O_RDONLY | O_CLOEXEC));
    copied = file.get() >= 0 && ::fsync(file.get()) == 0 && file.close();
  }
  if (!copied || !rename(temporary, to)) {
    ::unlink(temporary.c_str());
    return false;
  }
  syncFolder(target.parent_path());
  return true;
}

}  // namespace qm::files
