#include "cli/ControllerSession.h"

#include <CLI/CLI.hpp>

#include <cerrno>
#include <cstring>

#include "cli/CliSupport.h"
#include "link/SerialLink.h"

namespace ostrin::cli {

void AddControllerOptions(CLI::App& command, ControllerOptions& options, bool withYes) {
  command.add_option("--port", options.port, "the serial port of the controller (a device path)")->required();
  command.add_option("--log", options.log, "write the communication status log to this file (default: stderr)");
  command.add_flag("--ignore-version", options.ignoreVersion, "do not check the controller's firmware version");
  command.add_option("--trace", options.trace, "write every byte in and out, with its time, to this file");
  if (withYes) command.add_flag("--yes", options.yes, "answer OK to both confirmations");
}

ControllerSession::ControllerSession(const ControllerOptions& options) : port_(options.port) {
  if (!options.log.empty()) {
    log_ = std::fopen(options.log.c_str(), "wb");
    if (log_ == nullptr) {
      status_ = Fail(ExitFileError, "cannot write the log file \"" + options.log + "\": " + std::strerror(errno));
      return;
    }
  }
  std::string linkPort = options.port;
  if (!options.trace.empty()) {
    std::string reason;
    if (!trace_.Start(options.port, options.trace, reason)) {
      status_ = Fail(ExitFileError, reason);
      return;
    }
    linkPort = trace_.LinkPath();
  }
  if (!SetPortName(linkPort)) {
    status_ = Fail(ExitFileError, "the port name is too long");
    return;
  }
  frontEnd_.emplace(log_, options.yes);
  ticker_.emplace();
}

ControllerSession::~ControllerSession() {
  ClosePort();
  LinkOpen = 0;
  ticker_.reset();
  frontEnd_.reset();
  if (log_ != nullptr) std::fclose(log_);
}

int ControllerSession::ControllerFailed(const std::string& reason) const {
  if (frontEnd_) frontEnd_->FinishStatusLine();
  const std::string openError = LastOpenError();
  if (!openError.empty()) return Fail(ExitFailed, "cannot open port " + port_ + ": " + openError);
  if (!reason.empty()) return Fail(ExitFailed, reason);
  return ExitFailed;
}

}  // namespace ostrin::cli
