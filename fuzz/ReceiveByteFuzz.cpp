// libFuzzer target over the link receiver.
//
// The first input byte picks the mode:
//   even: the rest is line noise fed to ReceiveByte of a framer that has a
//         frame of its own awaiting acknowledgement, with transmitter steps,
//         ticks and takes interleaved; the framer's limits must hold.
//   odd:  the rest is a payload sent by one framer and received by another;
//         it must arrive unchanged, or be refused or dropped as its length says.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "link/LinkFramer.h"

namespace {

using namespace ostrin;

void Require(bool condition) {
  if (!condition) std::abort();
}

class Capture final : public LinkSink {
 public:
  void WriteBytes(const std::uint8_t* bytes, int n) override {
    Require(n > 0 && n <= 4);
    for (int i = 0; i < n && length < static_cast<int>(sizeof buffer); ++i) buffer[length++] = bytes[i];
  }
  std::uint8_t buffer[4 * TransmitCapacity + 16] = {};
  int length = 0;
};

void CheckLimits(const LinkFramer& framer) {
  Require(framer.ReceiveLength() >= 0 && framer.ReceiveLength() <= ReceiveCapacity);
  Require(framer.DeliverySlotLength() >= 0 && framer.DeliverySlotLength() <= ReceiveCapacity);
  Require(framer.SendResult() >= SendFailed && framer.SendResult() <= SendAcknowledged);
  Require(framer.NakCount() >= 0 && framer.NakCount() <= NakLimit);
  Require(framer.EnqRetriesLeft() >= 0 && framer.EnqRetriesLeft() <= EnqRetryCount);
  Require(framer.AckCountdown() >= 0 && framer.AckCountdown() <= AckTimeoutTicks);
  Require(framer.LastLinkReply() == ACK || framer.LastLinkReply() == NAK);
  const int state = static_cast<int>(framer.ReceiveState());
  Require(state >= static_cast<int>(RxState::RxHunt) && state <= static_cast<int>(RxState::RxCrcLow));
}

void FeedNoise(const std::uint8_t* data, std::size_t size) {
  Capture sink;
  LinkFramer framer{sink};
  framer.SetPreSendDelay(0);
  const std::uint8_t own[] = {0x02, 0x10, 0x00, 0x00, 0x00};
  Require(framer.QueueFrame(own, sizeof own));
  while (framer.TransmitState() != TxState::TxAwaitAck) framer.TransmitStep();

  std::uint8_t taken[ReceiveCapacity];
  for (std::size_t i = 0; i < size; ++i) {
    framer.ReceiveByte(data[i]);
    CheckLimits(framer);
    // Bytes equal to a small prime modulo keep the interleaving input-driven.
    if (data[i] % 7 == 0) framer.TransmitStep();
    if (data[i] % 11 == 0) framer.TickLinkTimers();
    if (data[i] % 13 == 0) {
      const int length = framer.DeliverySlotLength();
      const int capacity = data[i] % ReceiveCapacity;
      int count = -1;
      const bool got = framer.TakeReceivedFrame(taken, capacity, count);
      Require(got == (length != 0));
      Require(count == (got ? (capacity < length ? capacity : length) : 0));
      Require(framer.DeliverySlotLength() == 0);
    }
    if (framer.TransmitState() == TxState::TxIdle && sink.length > 2 * TransmitCapacity) sink.length = 0;
  }
}

void RoundTrip(const std::uint8_t* payload, std::size_t size) {
  Capture wire;
  LinkFramer sender{wire};
  sender.SetPreSendDelay(0);
  Require(sender.QueueFrame(payload, static_cast<int>(size)));
  while (sender.TransmitState() != TxState::TxAwaitAck) sender.TransmitStep();

  Capture answer;
  LinkFramer receiver{answer};
  for (int i = 0; i < wire.length; ++i) receiver.ReceiveByte(wire.buffer[i]);

  const int sent = size < TransmitCapacity ? static_cast<int>(size) : TransmitCapacity;
  // Past 512 bytes a doubled DLE is dropped alone and the frame goes on; any
  // other byte there abandons it.
  bool onlyDlePast512 = true;
  for (int i = ReceiveCapacity; i < sent; ++i) onlyDlePast512 = onlyDlePast512 && payload[i] == DLE;
  std::uint8_t got[ReceiveCapacity];
  int count = -1;
  const bool delivered = receiver.TakeReceivedFrame(got, sizeof got, count);
  if (sent == 0) {
    Require(!delivered && receiver.ReplyPending() && receiver.LastLinkReply() == NAK);
    Require(receiver.ReceiveState() == RxState::RxHunt);
  } else if (!onlyDlePast512) {
    // The checksum bytes after the abandoned frame are read outside a frame:
    // they may open a new one or be a DLE ENQ, but nothing is delivered.
    Require(!delivered);
  } else {
    const int kept = sent < ReceiveCapacity ? sent : ReceiveCapacity;
    Require(receiver.ReceiveState() == RxState::RxHunt);
    Require(delivered && count == kept && std::memcmp(got, payload, static_cast<std::size_t>(kept)) == 0);
    receiver.TransmitStep();
    Require(answer.length == 2 && answer.buffer[0] == DLE && answer.buffer[1] == ACK);
    sender.ReceiveByte(answer.buffer[0]);
    sender.ReceiveByte(answer.buffer[1]);
    Require(sender.SendResult() == SendAcknowledged && sender.TransmitState() == TxState::TxIdle);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  if ((data[0] & 1u) == 0) {
    FeedNoise(data + 1, size - 1);
  } else {
    RoundTrip(data + 1, size - 1);
  }
  return 0;
}
