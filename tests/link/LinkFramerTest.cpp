// The framer driven directly, one byte or one step per call, with a recording
// sink in place of the port.
#include <gtest/gtest.h>

#include <random>
#include <string_view>

#include "LinkTestSupport.h"
#include "link/LinkFramer.h"

namespace ostrin::test {
namespace {

TEST(Crc, CheckValueOfTheNineDigits) {
  constexpr std::string_view digits = "123456789";
  EXPECT_EQ(Crc16Mcrf4xx(reinterpret_cast<const std::uint8_t*>(digits.data()), 9), 0x6F91);
}

TEST(Crc, TableOfTheReflectedPolynomial) {
  EXPECT_EQ(CrcTable[0], 0x0000);
  EXPECT_EQ(CrcTable[1], 0x1189);
  EXPECT_EQ(CrcTable[128], 0x8408);
  EXPECT_EQ(CrcTable[255], 0x0F78);
}

TEST(Crc, FrameChecksumCoversPayloadAndEtx) {
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    Bytes payload(random() % 40);
    for (auto& b : payload) b = static_cast<std::uint8_t>(random());
    EXPECT_EQ(FrameChecksum(payload.data(), static_cast<int>(payload.size())), ReferenceCrc(Concat(payload, {0x03})));
  }
}

class FramerTest : public ::testing::Test {
 protected:
  FramerTest() { framer.SetPreSendDelay(0); }

  // Queues payload and steps until the frame awaits its acknowledgement;
  // returns what went out.
  Bytes Send(const Bytes& payload) {
    EXPECT_TRUE(framer.QueueFrame(payload.data(), static_cast<int>(payload.size())));
    return StepUntilAwaitingAck();
  }
  Bytes StepUntilAwaitingAck() {
    for (int step = 0; step < 5000 && framer.TransmitState() != TxState::TxAwaitAck; ++step) framer.TransmitStep();
    EXPECT_EQ(framer.TransmitState(), TxState::TxAwaitAck);
    return sink.Take();
  }
  Bytes Step() {
    framer.TransmitStep();
    return sink.Take();
  }
  void Feed(const Bytes& bytes) {
    for (const std::uint8_t b : bytes) framer.ReceiveByte(b);
  }
  Bytes Taken() {
    std::uint8_t buffer[ReceiveCapacity];
    int count = -1;
    if (!framer.TakeReceivedFrame(buffer, sizeof buffer, count)) return {};
    return Bytes(buffer, buffer + count);
  }
  void Tick(int n) {
    for (int i = 0; i < n; ++i) framer.TickLinkTimers();
  }

  RecordingSink sink;
  LinkFramer framer{sink};
};

struct WireCase {
  const char* name;
  Bytes payload;
  Bytes wire;
};

TEST_F(FramerTest, WorkedExamplesByteForByte) {
  const WireCase cases[] = {
      {"firmware version request", {0x01}, {0x10, 0x02, 0x01, 0x10, 0x03, 0xDB, 0xFB}},
      {"read request for parameter 16",
       {0x02, 0x10, 0x00, 0x00, 0x00},
       {0x10, 0x02, 0x02, 0x10, 0x10, 0x00, 0x00, 0x00, 0x10, 0x03, 0x86, 0xFD}},
  };
  for (const WireCase& c : cases) {
    SCOPED_TRACE(c.name);
    framer.ResetLinkState();
    EXPECT_EQ(Send(c.payload), c.wire);
    EXPECT_EQ(EncodeFrame(c.payload), c.wire);

    LinkFramer receiver{sink};
    for (const std::uint8_t b : c.wire) receiver.ReceiveByte(b);
    std::uint8_t got[16];
    int count = 0;
    ASSERT_TRUE(receiver.TakeReceivedFrame(got, sizeof got, count));
    EXPECT_EQ(Bytes(got, got + count), c.payload);
  }
}

TEST_F(FramerTest, OnePayloadBytePerStepAndTheTrailerInOneWrite) {
  ASSERT_TRUE(framer.QueueFrame(Bytes{0x41, 0x10, 0x42}.data(), 3));
  EXPECT_EQ(framer.TransmitState(), TxState::TxStart);
  EXPECT_EQ(Step(), (Bytes{0x10, 0x02}));
  EXPECT_EQ(Step(), (Bytes{0x41}));
  EXPECT_EQ(Step(), (Bytes{0x10, 0x10}));
  EXPECT_EQ(Step(), (Bytes{0x42}));
  EXPECT_EQ(Step(), Bytes{});  // to the trailer
  EXPECT_EQ(framer.TransmitState(), TxState::TxTrailer);
  const int writesBefore = sink.writes;
  const Bytes trailer = Step();
  EXPECT_EQ(sink.writes, writesBefore + 1);
  const Bytes wire = EncodeFrame({0x41, 0x10, 0x42});
  EXPECT_EQ(trailer, Bytes(wire.end() - 4, wire.end()));
  EXPECT_EQ(framer.TransmitState(), TxState::TxAwaitAck);
  EXPECT_EQ(framer.AckCountdown(), AckTimeoutTicks);
  EXPECT_EQ(framer.EnqRetriesLeft(), EnqRetryCount);
  EXPECT_EQ(framer.SendResult(), SendPending);
}

// Finds a two-byte payload whose checksum has 0x10 at the given byte.
Bytes PayloadWithDleInChecksum(bool highByte) {
  for (int a = 0; a < 256; ++a) {
    for (int b = 0; b < 256; ++b) {
      const Bytes payload{static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b)};
      if (a == 0x10 || b == 0x10) continue;
      const std::uint16_t crc = FrameChecksum(payload.data(), 2);
      if ((highByte ? crc >> 8 : crc & 0xFF) == 0x10) return payload;
    }
  }
  return {};
}

TEST_F(FramerTest, ChecksumByteEqualToDleIsSentOnceAndReceivedAsChecksum) {
  for (const bool high : {true, false}) {
    SCOPED_TRACE(high ? "high byte" : "low byte");
    const Bytes payload = PayloadWithDleInChecksum(high);
    ASSERT_EQ(payload.size(), 2u);
    framer.ResetLinkState();
    const Bytes wire = Send(payload);
    ASSERT_EQ(wire.size(), 8u);  // DLE STX a b DLE ETX hi lo: nothing doubled
    EXPECT_EQ(wire[high ? 6 : 7], 0x10);
    EXPECT_EQ(wire, EncodeFrame(payload));

    Feed(wire);
    EXPECT_EQ(framer.LastLinkReply(), ACK);
    EXPECT_EQ(Taken(), payload);
  }
}

TEST_F(FramerTest, QueueFrameWhileInFlightIsRefusedAndChangesNothing) {
  const Bytes first{0x01, 0x02, 0x03};
  ASSERT_TRUE(framer.QueueFrame(first.data(), 3));
  framer.TransmitStep();
  framer.TransmitStep();
  const Bytes second{0x09, 0x09, 0x09, 0x09, 0x09};
  EXPECT_FALSE(framer.QueueFrame(second.data(), 5));
  EXPECT_EQ(framer.TransmitState(), TxState::TxData);
  EXPECT_EQ(framer.TransmitLength(), 3);
  EXPECT_EQ(StepUntilAwaitingAck(), EncodeFrame(first));
  EXPECT_FALSE(framer.QueueFrame(second.data(), 5));  // awaiting the acknowledgement is busy too
}

TEST_F(FramerTest, LongPayloadIsSentAsItsFirst1024Bytes) {
  Bytes payload(1500);
  for (std::size_t i = 0; i < payload.size(); ++i) payload[i] = static_cast<std::uint8_t>(i * 7);
  const Bytes wire = Send(payload);
  EXPECT_EQ(framer.TransmitLength(), TransmitCapacity);
  EXPECT_EQ(wire, EncodeFrame(Bytes(payload.begin(), payload.begin() + TransmitCapacity)));
}

TEST_F(FramerTest, AckCompletesTheFrame) {
  Send({0x01});
  Feed(DleAck);
  EXPECT_EQ(framer.SendResult(), SendAcknowledged);
  EXPECT_EQ(framer.TransmitState(), TxState::TxIdle);
  EXPECT_EQ(sink.settled, 1);
  EXPECT_EQ(Step(), Bytes{});  // an acknowledgement is not answered
}

TEST_F(FramerTest, AckOrNakWithNothingAwaitedIsIgnored) {
  Feed(Concat(DleAck, DleNak));
  EXPECT_EQ(framer.SendResult(), SendPending);
  EXPECT_EQ(framer.NakCount(), 0);
  EXPECT_EQ(framer.TransmitState(), TxState::TxIdle);
  EXPECT_FALSE(framer.ReplyPending());
}

TEST_F(FramerTest, ThreeEnquiriesThenTheFrameIsGivenUp) {
  Send({0x01});
  for (int enquiry = 1; enquiry <= EnqRetryCount; ++enquiry) {
    SCOPED_TRACE(enquiry);
    Tick(AckTimeoutTicks - 1);
    EXPECT_FALSE(framer.TransmitStepDue());
    EXPECT_EQ(Step(), Bytes{});
    const int wakes = sink.wakes;
    Tick(1);
    EXPECT_EQ(sink.wakes, wakes + 1);  // a sleeping pump must get up for the enquiry
    EXPECT_TRUE(framer.TransmitStepDue());
    EXPECT_EQ(Step(), DleEnq);
    EXPECT_EQ(framer.EnqRetriesLeft(), EnqRetryCount - enquiry);
    EXPECT_EQ(framer.AckCountdown(), AckTimeoutTicks);
  }
  Tick(AckTimeoutTicks);
  EXPECT_EQ(Step(), Bytes{});
  EXPECT_EQ(framer.SendResult(), SendFailed);
  EXPECT_EQ(framer.TransmitState(), TxState::TxIdle);
  EXPECT_EQ(sink.settled, 1);
}

TEST_F(FramerTest, NakResendsTheWholeFrameAndTheThirdGivesUp) {
  const Bytes payload{0x02, 0x10, 0x00, 0x00, 0x00};
  const Bytes first = Send(payload);
  for (int nak = 1; nak < NakLimit; ++nak) {
    Feed(DleNak);
    EXPECT_EQ(framer.NakCount(), nak);
    EXPECT_EQ(framer.TransmitState(), TxState::TxStart);
    EXPECT_EQ(StepUntilAwaitingAck(), first);
  }
  Feed(DleNak);
  EXPECT_EQ(framer.NakCount(), NakLimit);
  EXPECT_EQ(framer.SendResult(), SendFailed);
  EXPECT_EQ(framer.TransmitState(), TxState::TxIdle);
  EXPECT_EQ(Step(), Bytes{});

  Send(payload);  // only QueueFrame starts the count again
  EXPECT_EQ(framer.NakCount(), 0);
}

TEST_F(FramerTest, ResetLinkStateKeepsSlotAndLinkReply) {
  Feed(EncodeFrame({0x65, 0x01}));
  Send({0x01});
  Tick(5);
  Feed({0x10, 0x02, 0x41});  // half a frame
  framer.ResetLinkState();
  EXPECT_EQ(framer.TransmitState(), TxState::TxIdle);
  EXPECT_EQ(framer.ReceiveState(), RxState::RxHunt);
  EXPECT_EQ(framer.TransmitLength(), 0);
  EXPECT_EQ(framer.SendResult(), SendPending);
  EXPECT_EQ(framer.EnqRetriesLeft(), 0);
  EXPECT_EQ(framer.NakCount(), 0);
  EXPECT_EQ(framer.AckCountdown(), 0);
  EXPECT_EQ(framer.IdleCountdown(), IdleResetTicks);
  EXPECT_TRUE(framer.ReplyPending());
  EXPECT_EQ(framer.LastLinkReply(), ACK);
  EXPECT_EQ(Taken(), (Bytes{0x65, 0x01}));
}

struct ReceiveCase {
  const char* name;
  Bytes wire;
  Bytes delivered;          // empty: nothing delivered
  std::uint8_t linkReply;   // 0: no answer at all
};

TEST_F(FramerTest, ReceiverCases) {
  const Bytes good{0x65, 0x01, 0x01, 0x11};
  Bytes badChecksum = EncodeFrame(good);
  badChecksum.back() ^= 0x01;
  const Bytes full(ReceiveCapacity, 0x41);
  const Bytes tooLong(ReceiveCapacity + 1, 0x41);
  const Bytes second = EncodeFrame({0x43, 0x44});
  const Bytes tail(second.begin() + 2, second.end());  // a frame's rest after its DLE STX
  Bytes withEnq = EncodeFrame({0x41, 0x42});
  withEnq.insert(withEnq.begin() + 3, {0x10, 0x05});
  Bytes withStrayPair = EncodeFrame({0x41, 0x42});
  withStrayPair.insert(withStrayPair.begin() + 3, {0x10, 0x41});
  Bytes fullWithLastDoubled(ReceiveCapacity + 1, 0x41);
  fullWithLastDoubled[ReceiveCapacity - 1] = 0x10;
  fullWithLastDoubled[ReceiveCapacity] = 0x10;

  const ReceiveCase cases[] = {
      {"good frame", EncodeFrame(good), good, ACK},
      {"doubled DLE in the payload", EncodeFrame({0x10, 0x10, 0x05}), {0x10, 0x10, 0x05}, ACK},
      {"noise before the frame", Concat({0x00, 0x03, 0x10, 0x41}, EncodeFrame(good)), good, ACK},
      {"bad checksum", badChecksum, {}, NAK},
      {"empty frame", EncodeFrame({}), {}, NAK},
      {"512 bytes", EncodeFrame(full), full, ACK},
      {"513th byte abandons", EncodeFrame(tooLong), {}, 0},
      {"a doubled DLE past 512 is dropped alone",
       EncodeFrame(fullWithLastDoubled),
       Bytes(fullWithLastDoubled.begin(), fullWithLastDoubled.begin() + ReceiveCapacity),
       ACK},
      {"DLE STX inside a frame abandons it and starts none", Concat({0x10, 0x02, 0x41, 0x42, 0x10, 0x02}, tail), {}, 0},
      {"DLE ENQ inside a frame", withEnq, {0x41, 0x42}, ACK},
      {"another control pair inside a frame abandons it", withStrayPair, {}, 0},
  };
  for (const ReceiveCase& c : cases) {
    SCOPED_TRACE(c.name);
    LinkFramer receiver{sink};
    for (const std::uint8_t b : c.wire) receiver.ReceiveByte(b);
    EXPECT_EQ(receiver.ReceiveState(), RxState::RxHunt);
    std::uint8_t got[ReceiveCapacity];
    int count = -1;
    EXPECT_EQ(receiver.TakeReceivedFrame(got, sizeof got, count), !c.delivered.empty());
    EXPECT_EQ(Bytes(got, got + count), c.delivered);
    if (c.linkReply == 0) {
      EXPECT_FALSE(receiver.ReplyPending());
    } else {
      EXPECT_TRUE(receiver.ReplyPending());
      EXPECT_EQ(receiver.LastLinkReply(), c.linkReply);
      sink.Take();
      receiver.TransmitStep();
      EXPECT_EQ(sink.Take(), (Bytes{DLE, c.linkReply}));
    }
  }
}

TEST_F(FramerTest, AfterAnAbandonedFrameTheNextFrameIsReceived) {
  Feed({0x10, 0x02, 0x41, 0x10, 0x02, 0x42});
  Feed(EncodeFrame({0x43}));
  EXPECT_EQ(Taken(), Bytes{0x43});
}

TEST_F(FramerTest, AckInsideAnIncomingFrameCompletesTheOutgoingFrame) {
  Send({0x01});
  Bytes incoming = EncodeFrame({0x41, 0x42, 0x43});
  incoming.insert(incoming.begin() + 4, DleAck.begin(), DleAck.end());
  Feed(Bytes(incoming.begin(), incoming.begin() + 6));
  EXPECT_EQ(framer.SendResult(), SendAcknowledged);
  EXPECT_EQ(framer.ReceiveState(), RxState::RxData);
  Feed(Bytes(incoming.begin() + 6, incoming.end()));
  EXPECT_EQ(Taken(), (Bytes{0x41, 0x42, 0x43}));
  EXPECT_EQ(Step(), DleAck);
}

TEST_F(FramerTest, NakInsideAnIncomingFrameResendsAndTheFrameContinues) {
  const Bytes sent = Send({0x01});
  Bytes incoming = EncodeFrame({0x41, 0x42});
  incoming.insert(incoming.begin() + 3, DleNak.begin(), DleNak.end());
  Feed(incoming);
  EXPECT_EQ(framer.NakCount(), 1);
  EXPECT_EQ(Taken(), (Bytes{0x41, 0x42}));
  EXPECT_EQ(StepUntilAwaitingAck(), sent);  // the reply waits behind the resent frame
  Feed(DleAck);
  EXPECT_EQ(Step(), DleAck);
}

TEST_F(FramerTest, EnquiryBeforeAnyFrameIsAnsweredNak) {
  Feed(DleEnq);
  EXPECT_TRUE(framer.TransmitStepDue());
  EXPECT_EQ(Step(), DleNak);
  EXPECT_EQ(Step(), Bytes{});
}

TEST_F(FramerTest, EnquiryRepeatsTheLastAnswer) {
  Feed(EncodeFrame({0x41}));
  EXPECT_EQ(Step(), DleAck);
  Feed(DleEnq);
  EXPECT_EQ(Step(), DleAck);
  Bytes bad = EncodeFrame({0x41});
  bad.back() ^= 0xFF;
  Feed(bad);
  EXPECT_EQ(Step(), DleNak);
  Feed(DleEnq);
  EXPECT_EQ(Step(), DleNak);
}

TEST_F(FramerTest, TwoFramesBeforeATakeLeaveOnlyTheSecond) {
  Feed(EncodeFrame({0x41, 0x41, 0x41}));
  Feed(EncodeFrame({0x42}));
  EXPECT_EQ(framer.DeliverySlotLength(), 1);
  EXPECT_EQ(Taken(), Bytes{0x42});
  EXPECT_EQ(Taken(), Bytes{});
}

TEST_F(FramerTest, FrameReceivedWhileSendingIsAcknowledgedAfterTheAck) {
  const Bytes ours{0x01, 0x02, 0x03, 0x04};
  ASSERT_TRUE(framer.QueueFrame(ours.data(), 4));
  Bytes wire = Step();
  wire = Concat(wire, Step());
  Feed(EncodeFrame({0x65}));
  EXPECT_TRUE(framer.ReplyPending());
  wire = Concat(wire, StepUntilAwaitingAck());
  EXPECT_EQ(wire, EncodeFrame(ours));  // no answer in the middle of our frame
  EXPECT_EQ(Step(), Bytes{});          // nor while our frame awaits its acknowledgement
  Feed(DleAck);
  EXPECT_EQ(Step(), DleAck);
}

TEST_F(FramerTest, FrameReceivedWhileSendingIsAcknowledgedAfterGivingUp) {
  Send({0x01});
  Feed(EncodeFrame({0x65}));
  for (int round = 0; round <= EnqRetryCount; ++round) {
    Tick(AckTimeoutTicks);
    const Bytes out = Step();
    EXPECT_EQ(out, round < EnqRetryCount ? DleEnq : Bytes{});
  }
  EXPECT_EQ(framer.SendResult(), SendFailed);
  EXPECT_EQ(Step(), DleAck);
}

TEST_F(FramerTest, TakeCopiesAtMostCapacityAndEmptiesTheSlot) {
  Feed(EncodeFrame({0x41, 0x42, 0x43, 0x44}));
  std::uint8_t got[2] = {};
  int count = -1;
  ASSERT_TRUE(framer.TakeReceivedFrame(got, 2, count));
  EXPECT_EQ(count, 2);
  EXPECT_EQ(Bytes(got, got + 2), (Bytes{0x41, 0x42}));
  EXPECT_EQ(framer.DeliverySlotLength(), 0);
  count = -1;
  EXPECT_FALSE(framer.TakeReceivedFrame(got, 2, count));
  EXPECT_EQ(count, 0);
}

TEST_F(FramerTest, TimersCountDownToZeroAndBytesRestartTheIdleCount) {
  Send({0x01});
  framer.SetIdleCountdown(3);
  Tick(5);
  EXPECT_EQ(framer.IdleCountdown(), 0);
  EXPECT_EQ(framer.AckCountdown(), AckTimeoutTicks - 5);
  Tick(AckTimeoutTicks);
  EXPECT_EQ(framer.AckCountdown(), 0);
  framer.ReceiveByte(0x00);
  EXPECT_EQ(framer.IdleCountdown(), IdleResetTicks);
}

TEST_F(FramerTest, QueueingAndPendingRepliesWakeTheTransmitter) {
  EXPECT_FALSE(framer.TransmitStepDue());
  framer.QueueFrame(Bytes{0x01}.data(), 1);
  EXPECT_EQ(sink.wakes, 1);
  EXPECT_TRUE(framer.TransmitStepDue());
  StepUntilAwaitingAck();
  EXPECT_FALSE(framer.TransmitStepDue());
  Feed(DleEnq);
  EXPECT_EQ(sink.wakes, 2);
  Feed(EncodeFrame({0x41}));
  EXPECT_EQ(sink.wakes, 3);
  EXPECT_EQ(sink.settled, 1);  // the delivery
}

// Two framers joined back to back carry any payload.
TEST(FramerPair, RoundTripOfRandomPayloads) {
  RecordingSink toB;
  RecordingSink toA;
  LinkFramer a{toB};
  LinkFramer b{toA};
  a.SetPreSendDelay(0);
  std::mt19937 random(11);
  for (int round = 0; round < 300; ++round) {
    Bytes payload(1 + random() % ReceiveCapacity);
    for (auto& byte : payload) byte = static_cast<std::uint8_t>(random() % 4 == 0 ? 0x10 : random());
    ASSERT_TRUE(a.QueueFrame(payload.data(), static_cast<int>(payload.size())));
    while (a.TransmitState() != TxState::TxAwaitAck) a.TransmitStep();
    for (const std::uint8_t byte : toB.Take()) b.ReceiveByte(byte);
    b.TransmitStep();
    for (const std::uint8_t byte : toA.Take()) a.ReceiveByte(byte);
    ASSERT_EQ(a.SendResult(), SendAcknowledged);
    std::uint8_t got[ReceiveCapacity];
    int count = 0;
    ASSERT_TRUE(b.TakeReceivedFrame(got, sizeof got, count));
    ASSERT_EQ(Bytes(got, got + count), payload);
  }
}

}  // namespace
}  // namespace ostrin::test
