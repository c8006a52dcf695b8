#pragma once

#include <memory>
#include <string>

#include "platform/single_instance.h"

namespace qm {

class ExecuteServer;

// One player per user: an exclusive lock on "quilmora.lock" in the user's
// runtime folder, held for the player's life; the kernel lifts it when the
// process ends, however it ends. The holder takes execute requests on the
// socket "quilmora.exec" beside it.
class LocalSingleInstance : public SingleInstance {
 public:
  // An empty folder means the user's runtime folder.
  explicit LocalSingleInstance(std::string folder = {});
  ~LocalSingleInstance() override;
  LocalSingleInstance(const LocalSingleInstance&) = delete;
  LocalSingleInstance& operator=(const LocalSingleInstance&) = delete;

  // False when another process holds the lock, or when the lock cannot be
  // taken at all. A claimed instance whose socket could not be opened stays
  // claimed; it only takes no requests (see listening()).
  bool claim() override;
  std::string claimFailure() const override { return failure_; }
  bool claimed() const { return lockFd_ >= 0; }
  bool listening() const;
  // Where the socket is; empty before a successful claim.
  const std::string& socketPath() const { return socketPath_; }

  // $XDG_RUNTIME_DIR, else /tmp/quilmora-<uid>, made private to the user;
  // either is used only while it is the user's and closed to others. Empty
  // when neither can be had safely.
  static std::string runtimeFolder();

 private:
  std::string folder_;
  std::string socketPath_;
  std::string failure_;
  int lockFd_ = -1;
  std::unique_ptr<ExecuteServer> server_;
};

}  // namespace qm
