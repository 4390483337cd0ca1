// --trace: the command line puts a pseudo-terminal between the serial link and
// the real port and writes every byte that crosses it to the trace file, with
// its time and direction, one line per burst:
//   0.012345 -> 10 02 01 10 03 5A 3C     (tool to controller)
//   0.019876 <- 10 06                    (controller to tool)
// The time is in seconds since the trace started. The real port is opened here
// with the link's own port layer and line settings; the link opens LinkPath().
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <thread>

#include "link/SerialPort.h"

namespace ostrin::cli {

class TraceRelay {
 public:
  TraceRelay() = default;
  ~TraceRelay();
  TraceRelay(const TraceRelay&) = delete;
  TraceRelay& operator=(const TraceRelay&) = delete;

  // Opens the trace file, the port and the pseudo-terminal, and starts
  // relaying. False, with the reason, when any of them fails; nothing then runs.
  bool Start(const std::string& port, const std::string& tracePath, std::string& reason);
  // The device the link is to open instead of the port.
  const std::string& LinkPath() const { return linkPath_; }

 private:
  void Run();
  void Record(const char* direction, const std::uint8_t* bytes, int n);
  void Close();

  TermiosSerialPort port_;
  int master_ = -1;
  int slave_ = -1;  // held open, so that the link may close and reopen its end
  int stopPipe_[2] = {-1, -1};
  std::FILE* trace_ = nullptr;
  std::string linkPath_;
  std::chrono::steady_clock::time_point start_;
  std::thread thread_;
};

}  // namespace ostrin::cli
