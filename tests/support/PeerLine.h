// The controller's side of a pseudo-terminal for the link tests: a framer of
// its own driven on its own thread (bytes from the master end in, due
// transmitter steps out, its 10 ms link timers), with each pass handed to the
// peer's Answer, which takes request frames and queues replies.
#pragma once

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <thread>

#include <poll.h>
#include <unistd.h>

#include "link/LinkFramer.h"

namespace ostrin::test {

class PeerLine : public LinkSink {
 public:
  PeerLine(const PeerLine&) = delete;
  PeerLine& operator=(const PeerLine&) = delete;

  void WriteBytes(const std::uint8_t* bytes, int n) override {
    int done = 0;
    while (done < n) {
      const ssize_t w = ::write(master_, bytes + done, static_cast<std::size_t>(n - done));
      if (w > 0) done += static_cast<int>(w);
      if (w < 0 && errno != EINTR && errno != EAGAIN) return;
    }
  }

 protected:
  explicit PeerLine(int master) : master_(master) { framer_.SetPreSendDelay(0); }
  virtual ~PeerLine() { Stop(); }

  // Called by the peer once it is fully made, and in its destructor.
  void Start() { thread_ = std::thread([this] { run(); }); }
  void Stop() {
    if (!thread_.joinable()) return;
    stop_ = true;
    thread_.join();
  }

  // One pass of the peer's own work on its framer.
  virtual void Answer() = 0;
  // The framer can take a reply frame now.
  bool ReadyToReply() const { return framer_.TransmitState() == TxState::TxIdle && !framer_.ReplyPending(); }

  int master_;
  LinkFramer framer_{*this};

 private:
  void run() {
    auto nextTick = std::chrono::steady_clock::now();
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
      Answer();
    }
  }

  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace ostrin::test
