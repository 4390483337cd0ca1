#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/SimFraming.h"

namespace ostrin::sim {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Event = SimFrameReceiver::Event;

std::vector<Event> FeedAll(SimFrameReceiver& receiver, const Bytes& wire) {
  std::vector<Event> events;
  for (const std::uint8_t b : wire) {
    const Event e = receiver.Feed(b);
    if (e != Event::None) events.push_back(e);
  }
  return events;
}

TEST(SimFramingTest, ChecksumIsCrc16Mcrf4xx) {
  const std::string digits = "123456789";
  EXPECT_EQ(SimCrc(reinterpret_cast<const std::uint8_t*>(digits.data()), 9), 0x6F91);
}

TEST(SimFramingTest, WorkedExamplesEncodeAndDecode) {
  const struct {
    Bytes payload;
    Bytes wire;
  } cases[] = {
      {{0x01}, {0x10, 0x02, 0x01, 0x10, 0x03, 0xDB, 0xFB}},
      {{0x02, 0x10, 0x00, 0x00, 0x00}, {0x10, 0x02, 0x02, 0x10, 0x10, 0x00, 0x00, 0x00, 0x10, 0x03, 0x86, 0xFD}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EncodeSimFrame(c.payload.data(), static_cast<int>(c.payload.size())), c.wire);
    SimFrameReceiver receiver;
    EXPECT_EQ(FeedAll(receiver, c.wire), std::vector<Event>{Event::Frame});
    EXPECT_EQ(receiver.Payload(), c.payload);
  }
}

TEST(SimFramingTest, AChecksumByteEqualToDleIsSentOnce) {
  for (int b = 0; b < 256; ++b) {
    const Bytes payload{static_cast<std::uint8_t>(b), 0x20};
    const Bytes wire = EncodeSimFrame(payload.data(), 2);
    const bool dleInChecksum = wire[wire.size() - 2] == 0x10 || wire.back() == 0x10;
    if (!dleInChecksum || b == 0x10) continue;
    EXPECT_EQ(wire.size(), 8u);
    SimFrameReceiver receiver;
    EXPECT_EQ(FeedAll(receiver, wire), std::vector<Event>{Event::Frame});
    EXPECT_EQ(receiver.Payload(), payload);
    return;
  }
  FAIL() << "no payload with DLE in its checksum";
}

TEST(SimFramingTest, ControlPairsAndBadFrames) {
  const struct {
    const char* name;
    Bytes wire;
    std::vector<Event> events;
  } cases[] = {
      {"link replies and enquiry", {0x10, 0x06, 0x10, 0x15, 0x10, 0x05}, {Event::Ack, Event::Nak, Event::Enquiry}},
      {"wrong checksum", {0x10, 0x02, 0x01, 0x10, 0x03, 0xDB, 0xFA}, {Event::BadFrame}},
      {"empty frame", {0x10, 0x02, 0x10, 0x03, 0x00, 0x00}, {Event::BadFrame}},
      {"acknowledgement inside a frame", {0x10, 0x02, 0x01, 0x10, 0x06, 0x10, 0x03, 0xDB, 0xFB},
       {Event::Ack, Event::Frame}},
      {"a new frame start restarts the frame", {0x10, 0x02, 0x07, 0x10, 0x02, 0x01, 0x10, 0x03, 0xDB, 0xFB},
       {Event::Frame}},
      {"noise before a frame", {0x33, 0x03, 0x10, 0x02, 0x01, 0x10, 0x03, 0xDB, 0xFB}, {Event::Frame}},
  };
  for (const auto& c : cases) {
    SimFrameReceiver receiver;
    EXPECT_EQ(FeedAll(receiver, c.wire), c.events) << c.name;
  }
}

TEST(SimFramingTest, AnOverlongFrameIsDroppedWithoutAnswer) {
  Bytes payload(SimFrameCapacity + 1, 0x41);
  SimFrameReceiver receiver;
  EXPECT_TRUE(FeedAll(receiver, EncodeSimFrame(payload.data(), static_cast<int>(payload.size()))).empty());
  payload.pop_back();
  EXPECT_EQ(FeedAll(receiver, EncodeSimFrame(payload.data(), static_cast<int>(payload.size()))),
            std::vector<Event>{Event::Frame});
}

}  // namespace
}  // namespace ostrin::sim
