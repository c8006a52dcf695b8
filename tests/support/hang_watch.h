#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace qm::live {

// Watches each test of a live test program: one that runs past its time
// gets the stacks of all the program's threads printed (through gdb, where
// installed) and ends the program. A hang then says where it waits, which a
// test runner's bare timeout never does.
class HangWatch : public testing::EmptyTestEventListener {
 public:
  explicit HangWatch(std::chrono::seconds limit);
  // Watches every test of this program from now on, for QM_HANG_SECONDS
  // where set (to try the watch itself), else for `limit`.
  static void install(std::chrono::seconds limit);
  ~HangWatch() override;
  HangWatch(const HangWatch&) = delete;
  HangWatch& operator=(const HangWatch&) = delete;

  void OnTestStart(const testing::TestInfo& test) override;
  void OnTestEnd(const testing::TestInfo& test) override;

 private:
  void watch();

  const std::chrono::seconds limit_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::optional<std::chrono::steady_clock::time_point> deadline_;
  std::string test_;
  bool stopping_ = false;
  std::thread watcher_;
};

}  // namespace qm::live
