#include <gtest/gtest.h>

#include <vector>

#include "protocol/Messages.h"
#include "sim/SimController.h"

namespace ostrin::sim {
namespace {

using Bytes = std::vector<std::uint8_t>;
using namespace std::chrono_literals;

Bytes Wire(const Message& m) { return EncodeSimFrame(m.data(), m.length); }

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

class SimControllerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetStore();
    SetValue(16, 30);
  }

  // Feeds the bytes to a controller and takes what it sends by then.
  Bytes Exchange(SimController& controller, const Bytes& in, SimClock::time_point at) {
    for (const std::uint8_t b : in) controller.Receive(b, at);
    controller.Advance(at);
    auto& out = controller.Outgoing();
    Bytes sent(out.begin(), out.end());
    out.clear();
    return sent;
  }

  ControllerMemory memory{{1, 1, 17}};
  const SimClock::time_point start = SimClock::now();
  const Bytes request = Wire(ReadValue(16));
  const Bytes reply = EncodeSimFrame(std::vector<std::uint8_t>{102, 16, 0, 30, 0}.data(), 5);
  const Bytes ack{0x10, 0x06};
  const Bytes nak{0x10, 0x15};
  const Bytes enquiry{0x10, 0x05};
};

TEST_F(SimControllerTest, AcknowledgesAndAnswersARequest) {
  SimController controller(memory, {});
  EXPECT_EQ(Exchange(controller, enquiry, start), nak) << "no frame received yet";
  EXPECT_EQ(Exchange(controller, request, start), Concat({ack, reply}));
  EXPECT_EQ(Exchange(controller, enquiry, start), ack);
  EXPECT_EQ(Exchange(controller, nak, start), reply) << "a refused reply is sent again";
  EXPECT_EQ(Exchange(controller, nak, start), reply);
  EXPECT_EQ(Exchange(controller, nak, start), Bytes{}) << "three sends in all";
  const Bytes corrupted{0x10, 0x02, 0x01, 0x10, 0x03, 0x00, 0x00};
  EXPECT_EQ(Exchange(controller, corrupted, start), nak);
}

TEST_F(SimControllerTest, InjectsTheChosenFault) {
  const struct {
    const char* name;
    FaultOptions faults;
    Bytes expected;
  } cases[] = {
      {"refused", {1.0, 0, 0, 0, 1}, {0x10, 0x15}},
      {"dropped", {0, 1.0, 0, 0, 1}, {}},
  };
  for (const auto& c : cases) {
    SimController controller(memory, c.faults);
    EXPECT_EQ(Exchange(controller, request, start), c.expected) << c.name;
  }

  SimController corrupting(memory, {0, 0, 1.0, 0, 1});
  const Bytes sent = Exchange(corrupting, request, start);
  ASSERT_EQ(sent.size(), ack.size() + reply.size());
  EXPECT_NE(Bytes(sent.begin() + 2, sent.end()), reply);

  SimController late(memory, {0, 0, 0, 100, 1});
  EXPECT_EQ(Exchange(late, request, start), ack);
  EXPECT_EQ(late.NextDue(), start + 100ms);
  EXPECT_EQ(Exchange(late, {}, start + 99ms), Bytes{});
  EXPECT_EQ(Exchange(late, {}, start + 100ms), reply);
}

TEST_F(SimControllerTest, TheSameSeedGivesTheSameFaults) {
  const FaultOptions faults{0.5, 0.2, 0.5, 0, 42};
  SimController a(memory, faults);
  SimController b(memory, faults);
  Bytes outA, outB;
  for (int i = 0; i < 20; ++i) {
    const Bytes sentA = Exchange(a, request, start);
    const Bytes sentB = Exchange(b, request, start);
    outA.insert(outA.end(), sentA.begin(), sentA.end());
    outB.insert(outB.end(), sentB.begin(), sentB.end());
  }
  EXPECT_EQ(outA, outB);
}

}  // namespace
}  // namespace ostrin::sim
