// The link framer: the transmitter and receiver state machines that carry the
// controller's messages over a raw byte stream.
//
// A frame on the wire is DLE STX, the payload with every DLE doubled, DLE ETX,
// then the CRC-16/MCRF4XX of the payload and ETX, high byte first and never
// doubled. Each frame is answered with DLE ACK (good) or DLE NAK (bad checksum
// or empty); DLE ENQ asks the far end to repeat its last answer.
//
// The framer does no I/O and starts no thread: it is driven from outside, one
// received byte per ReceiveByte and one transmitter step per TransmitStep (the
// port pump in the program, the test or fuzzer directly), and its output goes
// to a LinkSink. Time is counted in ticks of TickLinkTimers (nominally 10 ms).
// All buffers are fixed; nothing allocates.
//
// Threads: one pump thread calls TransmitStep and ReceiveByte; the requesting
// thread calls QueueFrame, TakeReceivedFrame and ResetLinkState; a timer thread
// calls TickLinkTimers. Every shared word is atomic. The requesting side writes
// the transmit buffer, its length, SendResult and NakCount only while the
// transmitter is TxIdle, and writes the state (TxStart) last, with release
// order; from then on only the pump changes the state until it is TxIdle
// again. The delivery slot is handed over under a small lock so that a taker
// never copies a frame that the pump is overwriting.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>

namespace ostrin {

// Link control bytes.
inline constexpr std::uint8_t DLE = 0x10;
inline constexpr std::uint8_t STX = 0x02;
inline constexpr std::uint8_t ETX = 0x03;
inline constexpr std::uint8_t ENQ = 0x05;
inline constexpr std::uint8_t ACK = 0x06;
inline constexpr std::uint8_t NAK = 0x15;

inline constexpr int TransmitCapacity = 1024;  // longer outgoing payloads are cut
inline constexpr int ReceiveCapacity = 512;    // longer incoming frames are abandoned
inline constexpr int AckTimeoutTicks = 25;     // ticks between enquiries
inline constexpr int EnqRetryCount = 3;        // enquiries before a frame is given up
inline constexpr int NakLimit = 3;             // NAKs before a frame is given up
inline constexpr int IdleResetTicks = 1000;    // IdleCountdown after every byte in or out
inline constexpr int DefaultPreSendDelayMs = 1;

// CRC-16/MCRF4XX: reflected polynomial 0x8408, initial 0xFFFF, no final XOR.
inline constexpr std::array<std::uint16_t, 256> CrcTable = [] {
  std::array<std::uint16_t, 256> table{};
  for (unsigned i = 0; i < 256; ++i) {
    unsigned crc = i;
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1u) ? (crc >> 1) ^ 0x8408u : crc >> 1;
    table[i] = static_cast<std::uint16_t>(crc);
  }
  return table;
}();
inline constexpr std::uint16_t CrcInitial = 0xFFFF;

constexpr std::uint16_t CrcStep(std::uint16_t crc, std::uint8_t byte) {
  return static_cast<std::uint16_t>((crc >> 8) ^ CrcTable[(crc ^ byte) & 0xFFu]);
}

// The CRC of length bytes, starting from crc.
std::uint16_t Crc16Mcrf4xx(const std::uint8_t* bytes, int length, std::uint16_t crc = CrcInitial);
// The checksum a frame carries: the CRC of the payload (before doubling) and ETX.
std::uint16_t FrameChecksum(const std::uint8_t* payload, int length);

enum class TxState : int { TxIdle, TxStart, TxData, TxTrailer, TxAwaitAck };
enum class RxState : int { RxHunt, RxEscape, RxData, RxDataEscape, RxCrcHigh, RxCrcLow };

// SendResult values.
inline constexpr int SendPending = 0;
inline constexpr int SendAcknowledged = 1;
inline constexpr int SendFailed = -1;

// Where the framer's output and events go.
class LinkSink {
 public:
  // The bytes of one transmitter step (called from TransmitStep only).
  virtual void WriteBytes(const std::uint8_t* bytes, int n) = 0;
  // The transmitter has work for TransmitStep: a frame was queued, a link
  // reply became pending, or the acknowledgement countdown ran out. Called
  // from the thread that caused it; a pump that sleeps must wake.
  virtual void WakeTransmitter() {}
  // SendResult got its verdict or a frame was put in the delivery slot. Called
  // from the pump thread; a requester waiting for either may look now.
  virtual void LinkSettled() {}

 protected:
  LinkSink() = default;
  ~LinkSink() = default;
};

class LinkFramer {
 public:
  explicit LinkFramer(LinkSink& sink);
  LinkFramer(const LinkFramer&) = delete;
  LinkFramer& operator=(const LinkFramer&) = delete;

  // Hands one payload to the transmitter after sleeping PreSendDelay ms.
  // Returns false and changes nothing when the transmitter is not TxIdle.
  // A payload longer than TransmitCapacity is cut; a negative length is 0.
  bool QueueFrame(const std::uint8_t* payload, int length);
  // Copies min(slot length, capacity) bytes of the delivered frame, empties
  // the slot, sets count and returns true; with the slot empty, count = 0 and
  // false.
  bool TakeReceivedFrame(std::uint8_t* buffer, int capacity, int& count);
  // Receiver RxHunt, transmitter TxIdle; transmit length and position,
  // SendResult, EnqRetriesLeft, NakCount and AckCountdown 0; IdleCountdown
  // IdleResetTicks. The delivery slot, ReplyPending and LastLinkReply stay.
  void ResetLinkState();

  // One transmitter step: at most one payload byte, one control pair or the
  // trailer is written. Pump thread only.
  void TransmitStep();
  // One received byte. Pump thread only.
  void ReceiveByte(std::uint8_t byte);
  // One tick: AckCountdown down to 0, IdleCountdown down to 0.
  void TickLinkTimers();
  // True when the next TransmitStep would do something; a pump may sleep
  // until WakeTransmitter or input while it is false.
  bool TransmitStepDue() const;

  TxState TransmitState() const { return txState_.load(std::memory_order_acquire); }
  RxState ReceiveState() const { return rxState_.load(std::memory_order_relaxed); }
  int TransmitLength() const { return txLength_.load(std::memory_order_relaxed); }
  int ReceiveLength() const { return rxLength_.load(std::memory_order_relaxed); }
  int SendResult() const { return sendResult_.load(std::memory_order_acquire); }
  int AckCountdown() const { return ackCountdown_.load(std::memory_order_relaxed); }
  int EnqRetriesLeft() const { return enqRetriesLeft_.load(std::memory_order_relaxed); }
  int NakCount() const { return nakCount_.load(std::memory_order_relaxed); }
  // Length of the frame waiting in the delivery slot; 0 when empty.
  int DeliverySlotLength() const { return slotLength_.load(std::memory_order_acquire); }
  // ACK or NAK: the answer to the last frame received; NAK before any.
  std::uint8_t LastLinkReply() const { return lastLinkReply_.load(std::memory_order_relaxed); }
  // DLE LastLinkReply is to be sent when the transmitter is idle.
  bool ReplyPending() const { return replyPending_.load(std::memory_order_relaxed); }
  // Ticks since the last byte in or out, counted down from IdleResetTicks.
  int IdleCountdown() const { return idleCountdown_.load(std::memory_order_relaxed); }
  void SetIdleCountdown(int ticks) { idleCountdown_.store(ticks, std::memory_order_relaxed); }
  int PreSendDelay() const { return preSendDelayMs_.load(std::memory_order_relaxed); }
  void SetPreSendDelay(int milliseconds) { preSendDelayMs_.store(milliseconds, std::memory_order_relaxed); }

 private:
  void SetTransmitState(TxState state) { txState_.store(state, std::memory_order_release); }
  void FinishSend(int result);
  void SetReplyPending();
  void AcceptAck();
  void HandleNak();
  void Deliver(int length);

  LinkSink& sink_;

  std::atomic<TxState> txState_{TxState::TxIdle};
  std::atomic<int> txLength_{0};
  std::atomic<int> txPosition_{0};
  std::atomic<int> txRemaining_{0};
  std::atomic<std::uint16_t> txChecksum_{0};
  std::atomic<int> sendResult_{SendPending};
  std::atomic<int> ackCountdown_{0};
  std::atomic<int> enqRetriesLeft_{0};
  std::atomic<int> nakCount_{0};

  std::atomic<RxState> rxState_{RxState::RxHunt};
  std::atomic<int> rxLength_{0};
  std::atomic<std::uint16_t> rxChecksum_{0};
  std::atomic<std::uint16_t> rxReceivedChecksum_{0};

  std::atomic<std::uint8_t> lastLinkReply_{NAK};
  std::atomic<bool> replyPending_{false};
  std::atomic<int> idleCountdown_{0};
  std::atomic<int> preSendDelayMs_{DefaultPreSendDelayMs};

  std::mutex slotMutex_;
  std::atomic<int> slotLength_{0};

  std::array<std::uint8_t, TransmitCapacity> txBuffer_{};
  std::array<std::uint8_t, ReceiveCapacity> rxBuffer_{};
  std::array<std::uint8_t, ReceiveCapacity> slot_{};
};

}  // namespace ostrin
