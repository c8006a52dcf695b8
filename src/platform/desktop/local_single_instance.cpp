#include "platform/desktop/local_single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/desktop/execute_server.h"

namespace qm {

namespace {
constexpr const char* kLockName = "quilmora.lock";
constexpr const char* kSocketName = "quilmora.exec";
}  // namespace

LocalSingleInstance::LocalSingleInstance(std::string folder) : folder_(std::move(folder)) {}

LocalSingleInstance::~LocalSingleInstance() {
  server_.reset();
  // The lock file stays: removing it would let a starting player lock a
  // file that the next one no longer sees.
  if (lockFd_ >= 0) ::close(lockFd_);
}

std::string LocalSingleInstance::runtimeFolder() {
  const uid_t uid = ::getuid();
  // Another user who can write in the folder could take the lock first and
  // keep every player of this user from starting.
  auto isPrivate = [uid](const std::string& folder) {
    struct stat info;
    return ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == uid &&
           (info.st_mode & 077) == 0;
  };
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime && isPrivate(runtime)) return runtime;
  const std::string folder = "/tmp/quilmora-" + std::to_string(uid);
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return {};
  return isPrivate(folder) ? folder : std::string();
}

bool LocalSingleInstance::claim() {
  if (lockFd_ >= 0) return true;
  failure_.clear();
  const std::string folder = folder_.empty() ? runtimeFolder() : folder_;
  if (folder.empty()) {
    failure_ = "运行文件夹 /tmp/quilmora-" + std::to_string(::getuid()) + " 不可用（属于其他用户或对其他用户开放）";
    return false;
  }
  // Close-on-exec: a program the player starts must not inherit the lock.
  const std::string lock = folder + "/" + kLockName;
  const int fd = ::open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) {
    failure_ = "无法创建锁文件 " + lock + "：" + std::strerror(errno);
    return false;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno != EWOULDBLOCK) failure_ = "无法锁定 " + lock + "：" + std::strerror(errno);
    ::close(fd);
    return false;
  }
  lockFd_ = fd;
  socketPath_ = folder + "/" + kSocketName;
  // Holding the lock, whatever socket is there was left by an ended player.
  server_ = std::make_unique<ExecuteServer>([this](const std::string& text) { Execute.raise(text); });
  server_->listen(socketPath_);
  return true;
}

bool LocalSingleInstance::listening() const { return server_ && server_->listening(); }

}  // namespace qm
