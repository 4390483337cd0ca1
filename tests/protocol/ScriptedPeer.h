// A controller on the far end of a pseudo-terminal that speaks the link with
// a framer of its own on its own thread and answers each request frame with
// the frames a script gives for it (none, one, or several in turn).
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include "link/LinkFramer.h"

namespace ostrin::test {

using Frame = std::vector<std::uint8_t>;
using Script = std::function<std::vector<Frame>(const Frame& request)>;

// Answers every request with its own bytes, the first raised by 100.
inline std::vector<Frame> Echo(const Frame& request) {
  Frame reply = request;
  reply[0] = static_cast<std::uint8_t>(reply[0] + 100);
  return {reply};
}

class ScriptedPeer final : public LinkSink {
 public:
  explicit ScriptedPeer(Script script) : script_(std::move(script)) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0) {
      const char* name = ::ptsname(master_);
      if (name != nullptr) slavePath_ = name;
    }
    framer_.SetPreSendDelay(0);
    thread_ = std::thread([this] { Run(); });
  }
  ~ScriptedPeer() {
    stop_ = true;
    thread_.join();
    if (master_ >= 0) ::close(master_);
  }
  ScriptedPeer(const ScriptedPeer&) = delete;
  ScriptedPeer& operator=(const ScriptedPeer&) = delete;

  const std::string& SlavePath() const { return slavePath_; }

  std::vector<Frame> Requests() const {
    const std::lock_guard lock(mutex_);
    return requests_;
  }

  void WriteBytes(const std::uint8_t* bytes, int n) override {
    int done = 0;
    while (done < n) {
      const ssize_t w = ::write(master_, bytes + done, static_cast<std::size_t>(n - done));
      if (w > 0) done += static_cast<int>(w);
      if (w < 0 && errno != EINTR && errno != EAGAIN) return;
    }
  }

 private:
  void Run() {
    auto nextTick = std::chrono::steady_clock::now();
    std::uint8_t request[ReceiveCapacity];
    std::deque<Frame> replies;
    while (!stop_.load()) {
      pollfd readable{master_, POLLIN, 0};
      if (::poll(&readable, 1, 1) > 0) {
        std::uint8_t buffer[256];
        const ssize_t r = ::read(master_, buffer, sizeof buffer);
        for (ssize_t i = 0; i < r; ++i) framer_.ReceiveByte(buffer[i]);
        // Before the link opens its end, the master reports a hang-up.
        if (r <= 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
      while (framer_.TransmitStepDue()) framer_.TransmitStep();
      if (std::chrono::steady_clock::now() >= nextTick) {
        framer_.TickLinkTimers();
        nextTick += std::chrono::milliseconds(10);
      }
      int length = 0;
      if (framer_.TakeReceivedFrame(request, sizeof request, length) && length > 0) {
        const Frame frame(request, request + length);
        {
          const std::lock_guard lock(mutex_);
          requests_.push_back(frame);
        }
        for (Frame& reply : script_(frame)) replies.push_back(std::move(reply));
      }
      if (!replies.empty() && framer_.TransmitState() == TxState::TxIdle && !framer_.ReplyPending() &&
          framer_.QueueFrame(replies.front().data(), static_cast<int>(replies.front().size()))) {
        replies.pop_front();
      }
    }
  }

  Script script_;
  int master_ = -1;
  std::string slavePath_;
  LinkFramer framer_{*this};
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<Frame> requests_;
  std::thread thread_;
};

}  // namespace ostrin::test
