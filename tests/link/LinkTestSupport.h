// Helpers of the link tests: a reference frame encoder, a recording sink, a
// recording front end, the far end of a pseudo-terminal and a controller on it.
#pragma once

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include "link/LinkFramer.h"
#include "model/FrontEnd.h"
#include "support/PeerLine.h"

namespace ostrin::test {

using Bytes = std::vector<std::uint8_t>;

// Bit by bit, independent of the framer's table.
inline std::uint16_t ReferenceCrc(const Bytes& bytes) {
  std::uint16_t crc = 0xFFFF;
  for (const std::uint8_t b : bytes) {
    crc ^= b;
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0x8408) : crc >> 1;
  }
  return crc;
}

// The wire form of a frame carrying payload.
inline Bytes EncodeFrame(const Bytes& payload) {
  Bytes wire{0x10, 0x02};
  for (const std::uint8_t b : payload) {
    if (b == 0x10) wire.push_back(0x10);
    wire.push_back(b);
  }
  Bytes covered = payload;
  covered.push_back(0x03);
  const std::uint16_t crc = ReferenceCrc(covered);
  wire.insert(wire.end(), {0x10, 0x03, static_cast<std::uint8_t>(crc >> 8), static_cast<std::uint8_t>(crc & 0xFF)});
  return wire;
}

inline Bytes Concat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

inline const Bytes DleAck{0x10, 0x06};
inline const Bytes DleNak{0x10, 0x15};
inline const Bytes DleEnq{0x10, 0x05};

class RecordingSink final : public LinkSink {
 public:
  void WriteBytes(const std::uint8_t* bytes, int n) override {
    written.insert(written.end(), bytes, bytes + n);
    ++writes;
  }
  void WakeTransmitter() override { ++wakes; }
  void LinkSettled() override { ++settled; }
  Bytes Take() { return std::exchange(written, Bytes{}); }

  Bytes written;
  int writes = 0;
  int wakes = 0;
  int settled = 0;
};

class RecordingFrontEnd final : public FrontEnd {
 public:
  void AppendStatus(std::string_view) override {}
  void SetTransferProgress(int) override {}
  void SetPendingCount(int) override {}
  void EnableCategoryButtons() override {}
  void ShowMessage(std::string_view text, std::string_view caption) override {
    const std::lock_guard<std::mutex> lock(mutex_);
    messages_.emplace_back(std::string(text), std::string(caption));
  }
  bool AskOkCancel(std::string_view, std::string_view) override { return false; }

  std::vector<std::pair<std::string, std::string>> Messages() {
    const std::lock_guard<std::mutex> lock(mutex_);
    return messages_;
  }

 private:
  std::mutex mutex_;
  std::vector<std::pair<std::string, std::string>> messages_;
};

// Installs a front end for the life of the object.
class FrontEndScope {
 public:
  explicit FrontEndScope(FrontEnd& frontEnd) { InstallFrontEnd(&frontEnd); }
  ~FrontEndScope() { InstallFrontEnd(nullptr); }
  FrontEndScope(const FrontEndScope&) = delete;
  FrontEndScope& operator=(const FrontEndScope&) = delete;
};

// The controller's end of a pseudo-terminal: the link opens SlavePath().
class PtyPeer {
 public:
  PtyPeer() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0) {
      const char* name = ::ptsname(master_);
      if (name != nullptr) slavePath_ = name;
    }
  }
  ~PtyPeer() { Close(); }
  PtyPeer(const PtyPeer&) = delete;
  PtyPeer& operator=(const PtyPeer&) = delete;

  bool Ok() const { return master_ >= 0 && !slavePath_.empty(); }
  const std::string& SlavePath() const { return slavePath_; }

  void Write(const Bytes& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
      if (n > 0) done += static_cast<std::size_t>(n);
      if (n < 0 && errno != EINTR && errno != EAGAIN) return;
    }
  }

  // Reads until n bytes have come or the time is up; returns what came.
  Bytes Read(std::size_t n, std::chrono::milliseconds timeout = std::chrono::milliseconds(2000)) {
    Bytes got;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (got.size() < n) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) break;
      pollfd readable{master_, POLLIN, 0};
      if (::poll(&readable, 1, static_cast<int>(left.count())) <= 0) continue;
      std::uint8_t buffer[256];
      const ssize_t r = ::read(master_, buffer, std::min(sizeof buffer, n - got.size()));
      if (r > 0) got.insert(got.end(), buffer, buffer + r);
      if (r <= 0 && errno != EINTR && errno != EAGAIN) {
        // Nobody has the other end open: nothing will come.
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
    }
    return got;
  }

  // What arrives within the time, however much.
  Bytes Drain(std::chrono::milliseconds timeout) { return Read(1u << 20, timeout); }

  int MasterFd() const { return master_; }

  void Close() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
  }

 private:
  int master_ = -1;
  std::string slavePath_;
};

// A controller on the far end of a pseudo-terminal that answers every request
// frame with the request whose first byte is raised by 100 (a reply code). It
// does not allocate while it runs.
class FramerPeer final : public PeerLine {
 public:
  explicit FramerPeer(int masterFd) : PeerLine(masterFd) { Start(); }
  ~FramerPeer() override { Stop(); }

  int Requests() const { return requests_.load(); }

 private:
  void Answer() override {
    if (requestLength_ == 0 && framer_.TakeReceivedFrame(request_, sizeof request_, requestLength_)) {
      request_[0] = static_cast<std::uint8_t>(request_[0] + 100);
      ++requests_;
    }
    if (requestLength_ > 0 && ReadyToReply() && framer_.QueueFrame(request_, requestLength_)) requestLength_ = 0;
  }

  std::uint8_t request_[ReceiveCapacity] = {};
  int requestLength_ = 0;
  std::atomic<int> requests_{0};
};

}  // namespace ostrin::test
