// The 10 ms tick of the link's timers for command-line front ends: a thread
// that calls TickLinkTimers every 10 ms from construction to destruction.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "link/SerialLink.h"

namespace ostrin::cli {

class LinkTicker {
 public:
  LinkTicker() : thread_([this] { Run(); }) {}
  ~LinkTicker() {
    {
      std::lock_guard lock(mutex_);
      stop_ = true;
    }
    wake_.notify_one();
    thread_.join();
  }
  LinkTicker(const LinkTicker&) = delete;
  LinkTicker& operator=(const LinkTicker&) = delete;

 private:
  void Run() {
    constexpr std::chrono::milliseconds period{10};
    auto next = std::chrono::steady_clock::now() + period;
    std::unique_lock lock(mutex_);
    while (!wake_.wait_until(lock, next, [this] { return stop_; })) {
      TickLinkTimers();
      next += period;
    }
  }

  std::mutex mutex_;
  std::condition_variable wake_;
  bool stop_ = false;
  std::thread thread_;
};

}  // namespace ostrin::cli
