#include "sim/SimFraming.h"

namespace ostrin::sim {

std::uint16_t SimCrc(const std::uint8_t* bytes, int length, std::uint16_t crc) {
  for (int i = 0; i < length; ++i) {
    crc ^= bytes[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0x8408) : crc >> 1;
  }
  return crc;
}

std::vector<std::uint8_t> EncodeSimFrame(const std::uint8_t* payload, int length) {
  std::vector<std::uint8_t> wire{LinkDle, LinkStx};
  for (int i = 0; i < length; ++i) {
    if (payload[i] == LinkDle) wire.push_back(LinkDle);
    wire.push_back(payload[i]);
  }
  const std::uint8_t etx = LinkEtx;
  const std::uint16_t crc = SimCrc(&etx, 1, SimCrc(payload, length));
  wire.insert(wire.end(), {LinkDle, LinkEtx, static_cast<std::uint8_t>(crc >> 8), static_cast<std::uint8_t>(crc & 0xFF)});
  return wire;
}

void SimFrameReceiver::StartFrame() {
  payload_.clear();
  state_ = State::Data;
}

// An over-long frame is dropped without an answer.
void SimFrameReceiver::Store(std::uint8_t byte) {
  if (static_cast<int>(payload_.size()) < SimFrameCapacity) {
    payload_.push_back(byte);
  } else {
    state_ = State::Hunt;
  }
}

// A control pair outside a frame (next Hunt) or inside one (next Data).
SimFrameReceiver::Event SimFrameReceiver::Control(std::uint8_t byte, State next) {
  state_ = next;
  switch (byte) {
    case LinkEnq: return Event::Enquiry;
    case LinkAck: return Event::Ack;
    case LinkNak: return Event::Nak;
    default: return Event::None;
  }
}

SimFrameReceiver::Event SimFrameReceiver::Feed(std::uint8_t byte) {
  switch (state_) {
    case State::Hunt:
      if (byte == LinkDle) state_ = State::Escape;
      return Event::None;
    case State::Escape:
      if (byte == LinkStx) {
        StartFrame();
        return Event::None;
      }
      return Control(byte, State::Hunt);
    case State::Data:
      if (byte == LinkDle) {
        state_ = State::DataEscape;
      } else {
        Store(byte);
      }
      return Event::None;
    case State::DataEscape:
      if (byte == LinkEtx) {
        state_ = State::CrcHigh;
        return Event::None;
      }
      if (byte == LinkDle) {
        state_ = State::Data;
        Store(byte);
        return Event::None;
      }
      if (byte == LinkStx) {
        StartFrame();
        return Event::None;
      }
      if (byte == LinkEnq || byte == LinkAck || byte == LinkNak) return Control(byte, State::Data);
      state_ = State::Hunt;
      return Event::None;
    case State::CrcHigh:
      receivedCrc_ = static_cast<std::uint16_t>(byte << 8);
      state_ = State::CrcLow;
      return Event::None;
    case State::CrcLow: {
      state_ = State::Hunt;
      const std::uint8_t etx = LinkEtx;
      const int length = static_cast<int>(payload_.size());
      const std::uint16_t expected = SimCrc(&etx, 1, SimCrc(payload_.data(), length));
      const bool good = length > 0 && (receivedCrc_ | byte) == expected;
      return good ? Event::Frame : Event::BadFrame;
    }
  }
  return Event::None;
}

}  // namespace ostrin::sim
