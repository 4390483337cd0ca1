// A controller on the far end of a pseudo-terminal of its own that answers
// each request frame with the frames a script gives for it (none, one, or
// several in turn).
#pragma once

#include <cstdint>
#include <cstdlib>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "link/LinkFramer.h"
#include "support/PeerLine.h"

namespace ostrin::test {

using Frame = std::vector<std::uint8_t>;
using Script = std::function<std::vector<Frame>(const Frame& request)>;

// Answers every request with its own bytes, the first raised by 100.
inline std::vector<Frame> Echo(const Frame& request) {
  Frame reply = request;
  reply[0] = static_cast<std::uint8_t>(reply[0] + 100);
  return {reply};
}

class ScriptedPeer final : public PeerLine {
 public:
  explicit ScriptedPeer(Script script) : PeerLine(openMaster()), script_(std::move(script)) {
    if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0) {
      const char* name = ::ptsname(master_);
      if (name != nullptr) slavePath_ = name;
    }
    Start();
  }
  ~ScriptedPeer() override {
    Stop();
    if (master_ >= 0) ::close(master_);
  }

  const std::string& SlavePath() const { return slavePath_; }

  std::vector<Frame> Requests() const {
    const std::lock_guard lock(mutex_);
    return requests_;
  }

 private:
  static int openMaster() { return ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC); }

  void Answer() override {
    int length = 0;
    if (framer_.TakeReceivedFrame(request_, sizeof request_, length) && length > 0) {
      const Frame frame(request_, request_ + length);
      {
        const std::lock_guard lock(mutex_);
        requests_.push_back(frame);
      }
      for (Frame& reply : script_(frame)) replies_.push_back(std::move(reply));
    }
    if (!replies_.empty() && ReadyToReply() &&
        framer_.QueueFrame(replies_.front().data(), static_cast<int>(replies_.front().size()))) {
      replies_.pop_front();
    }
  }

  Script script_;
  std::string slavePath_;
  std::uint8_t request_[ReceiveCapacity] = {};
  std::deque<Frame> replies_;
  mutable std::mutex mutex_;
  std::vector<Frame> requests_;
};

}  // namespace ostrin::test
