#include "link/LinkFramer.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

namespace ostrin {
namespace {

constexpr auto relaxed = std::memory_order_relaxed;

// Decrements counter unless it is already at 0; true when this call made it 0.
bool CountDown(std::atomic<int>& counter) {
  int value = counter.load(relaxed);
  while (value > 0 && !counter.compare_exchange_weak(value, value - 1, relaxed)) {
  }
  return value == 1;
}

}  // namespace

std::uint16_t Crc16Mcrf4xx(const std::uint8_t* bytes, int length, std::uint16_t crc) {
  for (int i = 0; i < length; ++i) crc = CrcStep(crc, bytes[i]);
  return crc;
}

std::uint16_t FrameChecksum(const std::uint8_t* payload, int length) {
  return CrcStep(Crc16Mcrf4xx(payload, length), ETX);
}

LinkFramer::LinkFramer(LinkSink& sink) : sink_(sink) {}

bool LinkFramer::QueueFrame(const std::uint8_t* payload, int length) {
  const int delay = PreSendDelay();
  if (delay > 0) std::this_thread::sleep_for(std::chrono::milliseconds(delay));
  if (TransmitState() != TxState::TxIdle) return false;
  const int n = std::clamp(length, 0, TransmitCapacity);
  if (n > 0) std::memcpy(txBuffer_.data(), payload, static_cast<std::size_t>(n));
  sendResult_.store(SendPending, relaxed);
  txLength_.store(n, relaxed);
  nakCount_.store(0, relaxed);
  SetTransmitState(TxState::TxStart);
  sink_.WakeTransmitter();
  return true;
}

bool LinkFramer::TakeReceivedFrame(std::uint8_t* buffer, int capacity, int& count) {
  count = 0;
  if (DeliverySlotLength() == 0) return false;
  const std::lock_guard<std::mutex> lock(slotMutex_);
  const int length = slotLength_.load(relaxed);
  if (length == 0) return false;
  const int n = std::clamp(capacity, 0, length);
  if (n > 0) std::memcpy(buffer, slot_.data(), static_cast<std::size_t>(n));
  slotLength_.store(0, relaxed);
  count = n;
  return true;
}

void LinkFramer::ResetLinkState() {
  rxState_.store(RxState::RxHunt, relaxed);
  SetTransmitState(TxState::TxIdle);
  txLength_.store(0, relaxed);
  txPosition_.store(0, relaxed);
  sendResult_.store(SendPending, relaxed);
  enqRetriesLeft_.store(0, relaxed);
  nakCount_.store(0, relaxed);
  ackCountdown_.store(0, relaxed);
  idleCountdown_.store(IdleResetTicks, relaxed);
}

void LinkFramer::FinishSend(int result) {
  sendResult_.store(result, std::memory_order_release);
  SetTransmitState(TxState::TxIdle);
  sink_.LinkSettled();
}

void LinkFramer::TransmitStep() {
  switch (TransmitState()) {
    case TxState::TxIdle: {
      if (!replyPending_.exchange(false, relaxed)) return;
      const std::uint8_t reply[2] = {DLE, LastLinkReply()};
      sink_.WriteBytes(reply, 2);
      return;
    }
    case TxState::TxStart: {
      static constexpr std::uint8_t start[2] = {DLE, STX};
      sink_.WriteBytes(start, 2);
      txChecksum_.store(CrcInitial, relaxed);
      txPosition_.store(0, relaxed);
      txRemaining_.store(txLength_.load(relaxed), relaxed);
      SetTransmitState(TxState::TxData);
      return;
    }
    case TxState::TxData: {
      const int remaining = txRemaining_.load(relaxed);
      if (remaining <= 0) {
        SetTransmitState(TxState::TxTrailer);
        return;
      }
      // A reset from the requesting thread may land between two steps; the
      // buffer index stays in range whatever it left behind.
      const int position = std::clamp(txPosition_.load(relaxed), 0, TransmitCapacity - 1);
      const std::uint8_t byte = txBuffer_[static_cast<std::size_t>(position)];
      const std::uint8_t doubled[2] = {DLE, DLE};
      sink_.WriteBytes(byte == DLE ? doubled : &byte, byte == DLE ? 2 : 1);
      txChecksum_.store(CrcStep(txChecksum_.load(relaxed), byte), relaxed);
      txPosition_.store(position + 1, relaxed);
      txRemaining_.store(remaining - 1, relaxed);
      return;
    }
    case TxState::TxTrailer: {
      const std::uint16_t checksum = CrcStep(txChecksum_.load(relaxed), ETX);
      txChecksum_.store(checksum, relaxed);
      const std::uint8_t trailer[4] = {DLE, ETX, static_cast<std::uint8_t>(checksum >> 8),
                                       static_cast<std::uint8_t>(checksum & 0xFFu)};
      sink_.WriteBytes(trailer, 4);
      ackCountdown_.store(AckTimeoutTicks, relaxed);
      enqRetriesLeft_.store(EnqRetryCount, relaxed);
      SetTransmitState(TxState::TxAwaitAck);
      return;
    }
    case TxState::TxAwaitAck: {
      if (ackCountdown_.load(relaxed) != 0) return;
      const int retries = enqRetriesLeft_.load(relaxed);
      if (retries <= 0) {
        FinishSend(SendFailed);
        return;
      }
      enqRetriesLeft_.store(retries - 1, relaxed);
      static constexpr std::uint8_t enquiry[2] = {DLE, ENQ};
      sink_.WriteBytes(enquiry, 2);
      ackCountdown_.store(AckTimeoutTicks, relaxed);
      return;
    }
  }
}

void LinkFramer::SetReplyPending() {
  replyPending_.store(true, relaxed);
  sink_.WakeTransmitter();
}

void LinkFramer::AcceptAck() {
  if (TransmitState() == TxState::TxAwaitAck) FinishSend(SendAcknowledged);
}

void LinkFramer::HandleNak() {
  if (TransmitState() != TxState::TxAwaitAck) return;
  const int naks = nakCount_.load(relaxed) + 1;
  nakCount_.store(naks, relaxed);
  if (naks >= NakLimit) {
    FinishSend(SendFailed);
  } else {
    SetTransmitState(TxState::TxStart);
  }
}

void LinkFramer::Deliver(int length) {
  {
    const std::lock_guard<std::mutex> lock(slotMutex_);
    std::memcpy(slot_.data(), rxBuffer_.data(), static_cast<std::size_t>(length));
    slotLength_.store(length, std::memory_order_release);
  }
  sink_.LinkSettled();
}

void LinkFramer::ReceiveByte(std::uint8_t byte) {
  idleCountdown_.store(IdleResetTicks, relaxed);
  const int length = rxLength_.load(relaxed);
  const auto store = [&] {
    rxBuffer_[static_cast<std::size_t>(length)] = byte;
    rxLength_.store(length + 1, relaxed);
  };
  const auto fold = [&](std::uint8_t b) { rxChecksum_.store(CrcStep(rxChecksum_.load(relaxed), b), relaxed); };
  RxState next = RxState::RxHunt;
  switch (rxState_.load(relaxed)) {
    case RxState::RxHunt:
      next = byte == DLE ? RxState::RxEscape : RxState::RxHunt;
      break;
    case RxState::RxEscape:
      if (byte == STX) {
        rxChecksum_.store(CrcInitial, relaxed);
        rxLength_.store(0, relaxed);
        next = RxState::RxData;
      } else if (byte == ENQ) {
        SetReplyPending();
      } else if (byte == ACK) {
        AcceptAck();
      } else if (byte == NAK) {
        HandleNak();
      }
      break;
    case RxState::RxData:
      if (byte == DLE) {
        next = RxState::RxDataEscape;
        break;
      }
      fold(byte);
      if (length < ReceiveCapacity) {
        store();
        next = RxState::RxData;
      }
      break;
    case RxState::RxDataEscape:
      next = RxState::RxData;
      if (byte == ETX) {
        fold(ETX);
        next = RxState::RxCrcHigh;
      } else if (byte == DLE) {
        fold(DLE);
        if (length < ReceiveCapacity) store();
      } else if (byte == ENQ) {
        SetReplyPending();
      } else if (byte == ACK) {
        AcceptAck();
      } else if (byte == NAK) {
        HandleNak();
      } else {
        next = RxState::RxHunt;
      }
      break;
    case RxState::RxCrcHigh:
      rxReceivedChecksum_.store(static_cast<std::uint16_t>(byte << 8), relaxed);
      next = RxState::RxCrcLow;
      break;
    case RxState::RxCrcLow: {
      const auto received = static_cast<std::uint16_t>(rxReceivedChecksum_.load(relaxed) | byte);
      rxReceivedChecksum_.store(received, relaxed);
      const bool good = received == rxChecksum_.load(relaxed) && length >= 1;
      lastLinkReply_.store(good ? ACK : NAK, relaxed);
      SetReplyPending();
      if (good) Deliver(std::min(length, ReceiveCapacity));
      break;
    }
  }
  rxState_.store(next, relaxed);
}

void LinkFramer::TickLinkTimers() {
  if (CountDown(ackCountdown_)) sink_.WakeTransmitter();
  int idle = idleCountdown_.load(relaxed);
  while (idle != 0 && !idleCountdown_.compare_exchange_weak(idle, idle - 1, relaxed)) {
  }
}

bool LinkFramer::TransmitStepDue() const {
  switch (TransmitState()) {
    case TxState::TxIdle:
      return ReplyPending();
    case TxState::TxAwaitAck:
      return AckCountdown() == 0;
    default:
      return true;
  }
}

}  // namespace ostrin
