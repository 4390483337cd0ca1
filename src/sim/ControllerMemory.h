// The simulated controller's parameter memory and its answers to requests.
//
// The memory is the process's parameter store. Every request of the command
// set is answered with its reply code and layout; a request that is not of
// the command set, has the wrong length, names a number its message does not
// serve or (for the unlock code) a port index that does not match its number
// gets no reply at all, as a controller that ignores it would.
#pragma once

#include <cstdint>

#include "protocol/MessageDecoders.h"
#include "protocol/Messages.h"

namespace ostrin::sim {

// The store as the factory leaves it: every data-file key at its default.
void LoadFactoryDefaults();

class ControllerMemory {
 public:
  explicit ControllerMemory(FirmwareVersion firmware) : firmware_(firmware) {}

  // The reply payload; length 0 when the request gets no reply.
  Message Answer(const std::uint8_t* request, int length);

  // How often the commit request (WriteValue 0xFFFF) was received.
  int Commits() const { return commits_; }

 private:
  Message Respond(CommandCode code, ParameterNumber n, const std::uint8_t* request, int length);

  FirmwareVersion firmware_;
  int commits_ = 0;
};

}  // namespace ostrin::sim
