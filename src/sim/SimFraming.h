// The simulated controller's own link framing, written apart from the tool's
// framer so that a framing fault on one side cannot hide by being mirrored on
// the other.
//
// A frame is DLE STX, the payload with every DLE doubled, DLE ETX, then the
// CRC-16/MCRF4XX of the payload and ETX, high byte first and never doubled.
// DLE ACK, DLE NAK and DLE ENQ are the link replies and the enquiry.
#pragma once

#include <cstdint>
#include <vector>

namespace ostrin::sim {

inline constexpr std::uint8_t LinkDle = 0x10;
inline constexpr std::uint8_t LinkStx = 0x02;
inline constexpr std::uint8_t LinkEtx = 0x03;
inline constexpr std::uint8_t LinkEnq = 0x05;
inline constexpr std::uint8_t LinkAck = 0x06;
inline constexpr std::uint8_t LinkNak = 0x15;

// The largest payload the tool sends.
inline constexpr int SimFrameCapacity = 1024;

// CRC-16/MCRF4XX computed bit by bit: reflected polynomial 0x8408, initial 0xFFFF.
std::uint16_t SimCrc(const std::uint8_t* bytes, int length, std::uint16_t crc = 0xFFFF);

// The bytes on the wire for one payload.
std::vector<std::uint8_t> EncodeSimFrame(const std::uint8_t* payload, int length);

// Splits the tool's byte stream into frames and link control pairs.
class SimFrameReceiver {
 public:
  enum class Event {
    None,
    Frame,     // a good frame: Payload() holds it
    BadFrame,  // checksum wrong or payload empty: to be refused
    Enquiry,   // DLE ENQ
    Ack,       // DLE ACK
    Nak,       // DLE NAK
  };

  Event Feed(std::uint8_t byte);
  const std::vector<std::uint8_t>& Payload() const { return payload_; }

 private:
  enum class State { Hunt, Escape, Data, DataEscape, CrcHigh, CrcLow };

  Event Control(std::uint8_t byte, State next);
  void StartFrame();
  void Store(std::uint8_t byte);

  State state_ = State::Hunt;
  std::vector<std::uint8_t> payload_;
  std::uint16_t receivedCrc_ = 0;
};

}  // namespace ostrin::sim
