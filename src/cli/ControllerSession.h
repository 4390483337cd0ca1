// What the command line's controller commands share: their options (--port,
// --log, --ignore-version, --trace and, where asked for, --yes) and the
// session that serves one command: the status log, the front end, the trace,
// the 10 ms tick of the link's timers, and the port closed at the end.
#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "cli/LinkTicker.h"
#include "cli/TerminalFrontEnd.h"
#include "cli/TraceRelay.h"

namespace CLI {
class App;
}

namespace ostrin::cli {

struct ControllerOptions {
  std::string port;
  std::string log;
  std::string trace;
  bool ignoreVersion = false;
  bool yes = false;
};

// Adds the shared options to the command; --yes only when asked for.
void AddControllerOptions(CLI::App& command, ControllerOptions& options, bool withYes);

class ControllerSession {
 public:
  explicit ControllerSession(const ControllerOptions& options);
  ~ControllerSession();
  ControllerSession(const ControllerSession&) = delete;
  ControllerSession& operator=(const ControllerSession&) = delete;

  // ExitSuccess when the session is ready; otherwise the exit code, its reason
  // already printed (a log or trace file that cannot be written, a port name
  // that is too long or a traced port that cannot be opened).
  int Status() const { return status_; }

  // True once the operator answered a confirmation with Cancel.
  bool Cancelled() const { return frontEnd_ && frontEnd_->Cancelled(); }

  // Ends a command that failed at the controller: prints why the port could
  // not be opened when that was the cause, and returns ExitFailed.
  int ControllerFailed(const std::string& reason = "") const;

 private:
  std::string port_;
  int status_ = 0;
  std::FILE* log_ = nullptr;
  TraceRelay trace_;
  mutable std::optional<TerminalFrontEnd> frontEnd_;
  std::optional<LinkTicker> ticker_;
};

}  // namespace ostrin::cli
