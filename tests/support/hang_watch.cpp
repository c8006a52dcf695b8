#include "support/hang_watch.h"

#include <sys/prctl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace qm::live {

HangWatch::HangWatch(std::chrono::seconds limit) : limit_(limit) {
  // Lets the debugger started below look into this process under Yama's
  // ptrace restrictions, which allow only a parent by default.
  prctl(PR_SET_PTRACER, PR_SET_PTRACER_ANY, 0, 0, 0);
  watcher_ = std::thread([this] { watch(); });
}

void HangWatch::install(std::chrono::seconds limit) {
  const char* text = std::getenv("QM_HANG_SECONDS");
  const int seconds = text ? std::atoi(text) : 0;
  if (seconds > 0) limit = std::chrono::seconds(seconds);
  testing::UnitTest::GetInstance()->listeners().Append(new HangWatch(limit));
}

HangWatch::~HangWatch() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_one();
  watcher_.join();
}

void HangWatch::OnTestStart(const testing::TestInfo& test) {
  {
    std::lock_guard lock(mutex_);
    deadline_ = std::chrono::steady_clock::now() + limit_;
    test_ = std::string(test.test_suite_name()) + "." + test.name();
  }
  changed_.notify_one();
}

void HangWatch::OnTestEnd(const testing::TestInfo&) {
  {
    std::lock_guard lock(mutex_);
    deadline_.reset();
  }
  changed_.notify_one();
}

void HangWatch::watch() {
  std::unique_lock lock(mutex_);
  for (;;) {
    if (stopping_) return;
    if (!deadline_) {
      changed_.wait(lock);
      continue;
    }
    const auto deadline = *deadline_;
    if (changed_.wait_until(lock, deadline) == std::cv_status::no_timeout || deadline_ != deadline) continue;
    std::fprintf(stderr, "\n%s runs past %lld s; the stacks of its threads:\n", test_.c_str(),
                 static_cast<long long>(limit_.count()));
    std::fflush(stderr);
    const std::string gdb = "gdb -nx -batch -p " + std::to_string(getpid()) +
                            " -ex 'set pagination off' -ex 'thread apply all bt 40' 1>&2 2>/dev/null"
                            " || echo '(no stacks: gdb is missing or could not look in)' 1>&2";
    [[maybe_unused]] const int shown = std::system(gdb.c_str());
    std::_Exit(124);
  }
}

}  // namespace qm::live
