// The simulated controller's side of the link: it acknowledges the tool's
// frames, answers DLE ENQ with its last link reply, hands each request to the
// controller memory and sends the reply frame, resending it when the tool
// refuses it. Faults are injected from a seeded generator, so a run is
// repeatable: a refused frame gets DLE NAK instead of DLE ACK, a dropped frame
// gets neither an acknowledgement nor a reply, a corrupted reply has one byte
// changed on the wire, and every reply leaves after the reply delay.
//
// The controller does no I/O: bytes come in through Receive, and the bytes to
// send collect in Outgoing() as their time comes (Advance).
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <random>
#include <vector>

#include "sim/ControllerMemory.h"
#include "sim/SimFraming.h"

namespace ostrin::sim {

using SimClock = std::chrono::steady_clock;

struct FaultOptions {
  double nakRate = 0;      // share of good frames refused with DLE NAK
  double dropRate = 0;     // share of frames lost: no acknowledgement, no reply
  double corruptRate = 0;  // share of reply frames sent with one byte changed
  int replyDelayMs = 0;    // every reply frame leaves this much after its request
  unsigned seed = 1;
};

// What the controller has seen and done, for its exit summary.
struct LinkCounts {
  int frames = 0;     // good frames received
  int refused = 0;    // answered DLE NAK by fault
  int dropped = 0;    // ignored by fault
  int corrupted = 0;  // reply frames sent with a changed byte
  int badFrames = 0;  // received with a wrong checksum or empty
};

// How often a refused reply frame is sent in all.
inline constexpr int ReplySendLimit = 3;

class SimController {
 public:
  SimController(ControllerMemory& memory, const FaultOptions& faults);

  // One byte from the tool, received at now.
  void Receive(std::uint8_t byte, SimClock::time_point now);
  // Moves the reply frames whose time has come to the outgoing bytes.
  void Advance(SimClock::time_point now);
  // When the next delayed reply is due; max() when none waits.
  SimClock::time_point NextDue() const;
  // The bytes to write to the line, oldest first; the caller removes what it wrote.
  std::deque<std::uint8_t>& Outgoing() { return outgoing_; }
  const LinkCounts& Counts() const { return counts_; }

 private:
  struct DelayedReply {
    SimClock::time_point due;
    std::vector<std::uint8_t> payload;
  };

  void OnFrame(SimClock::time_point now);
  void SendLinkReply(std::uint8_t reply);
  void SendReplyFrame();
  bool Chance(double rate);

  ControllerMemory& memory_;
  FaultOptions faults_;
  std::mt19937 random_;
  SimFrameReceiver receiver_;
  std::uint8_t lastLinkReply_ = LinkNak;
  std::deque<DelayedReply> delayed_;
  std::vector<std::uint8_t> replyPayload_;  // the last reply frame sent
  int replySendsLeft_ = 0;
  std::deque<std::uint8_t> outgoing_;
  LinkCounts counts_;
};

}  // namespace ostrin::sim
