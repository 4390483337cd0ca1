#include "sim/SimController.h"

namespace ostrin::sim {

SimController::SimController(ControllerMemory& memory, const FaultOptions& faults)
    : memory_(memory), faults_(faults), random_(faults.seed) {}

bool SimController::Chance(double rate) {
  std::uniform_real_distribution<double> uniform(0.0, 1.0);
  return uniform(random_) < rate;
}

void SimController::SendLinkReply(std::uint8_t reply) { outgoing_.insert(outgoing_.end(), {LinkDle, reply}); }

void SimController::Receive(std::uint8_t byte, SimClock::time_point now) {
  switch (receiver_.Feed(byte)) {
    case SimFrameReceiver::Event::Frame:
      OnFrame(now);
      return;
    case SimFrameReceiver::Event::BadFrame:
      ++counts_.badFrames;
      lastLinkReply_ = LinkNak;
      SendLinkReply(LinkNak);
      return;
    case SimFrameReceiver::Event::Enquiry:
      SendLinkReply(lastLinkReply_);
      return;
    case SimFrameReceiver::Event::Ack:
      replySendsLeft_ = 0;
      return;
    case SimFrameReceiver::Event::Nak:
      if (replySendsLeft_ > 0) SendReplyFrame();
      return;
    case SimFrameReceiver::Event::None:
      return;
  }
}

void SimController::OnFrame(SimClock::time_point now) {
  const bool dropped = Chance(faults_.dropRate);
  const bool refused = Chance(faults_.nakRate);
  ++counts_.frames;
  if (dropped) {
    ++counts_.dropped;
    return;
  }
  lastLinkReply_ = refused ? LinkNak : LinkAck;
  SendLinkReply(lastLinkReply_);
  if (refused) {
    ++counts_.refused;
    return;
  }
  const std::vector<std::uint8_t>& request = receiver_.Payload();
  const Message reply = memory_.Answer(request.data(), static_cast<int>(request.size()));
  if (reply.length == 0) return;
  delayed_.push_back({now + std::chrono::milliseconds(faults_.replyDelayMs),
                      std::vector<std::uint8_t>(reply.data(), reply.data() + reply.length)});
  Advance(now);
}

void SimController::Advance(SimClock::time_point now) {
  while (!delayed_.empty() && delayed_.front().due <= now) {
    replyPayload_ = std::move(delayed_.front().payload);
    delayed_.pop_front();
    replySendsLeft_ = ReplySendLimit;
    SendReplyFrame();
  }
}

SimClock::time_point SimController::NextDue() const {
  return delayed_.empty() ? SimClock::time_point::max() : delayed_.front().due;
}

void SimController::SendReplyFrame() {
  --replySendsLeft_;
  std::vector<std::uint8_t> wire = EncodeSimFrame(replyPayload_.data(), static_cast<int>(replyPayload_.size()));
  if (Chance(faults_.corruptRate)) {
    ++counts_.corrupted;
    std::uniform_int_distribution<std::size_t> position(2, wire.size() - 1);
    std::uniform_int_distribution<int> flip(1, 255);
    wire[position(random_)] ^= static_cast<std::uint8_t>(flip(random_));
  }
  outgoing_.insert(outgoing_.end(), wire.begin(), wire.end());
}

}  // namespace ostrin::sim
