// The simulated controller's serial line: a pseudo-terminal pair whose slave
// end the tool opens as its port, and the loop that moves bytes between its
// master end and the controller until a stop signal arrives.
//
// The simulator keeps a descriptor of the slave end open itself, so the tool
// may close and reopen the port as often as it likes without the master end
// ever seeing a hang-up.
#pragma once

#include <string>

#include "sim/SimController.h"

namespace ostrin::sim {

class PtyLine {
 public:
  PtyLine() = default;
  ~PtyLine();
  PtyLine(const PtyLine&) = delete;
  PtyLine& operator=(const PtyLine&) = delete;

  // Opens the pair and puts the slave end in raw mode at the controller's line
  // settings (57600 baud, 8 data bits, no parity, 2 stop bits). On failure
  // returns false with the reason in error.
  bool Open(std::string& error);
  const std::string& SlavePath() const { return slavePath_; }
  int MasterDescriptor() const { return master_; }

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string slavePath_;
};

// Blocks SIGINT, SIGTERM and SIGHUP outside the line's wait and makes each of
// them a stop request. Call once, before ServeLine.
void InstallStopSignals();

// Serves the line until a stop signal arrives. With pace, the bytes leave at
// the line rate of 57600 baud with 11 bits per byte; otherwise at once.
void ServeLine(const PtyLine& line, SimController& controller, bool pace);

}  // namespace ostrin::sim
