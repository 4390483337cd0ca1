// The process-wide link over a real pseudo-terminal: the pump, the open and
// close rules and whole transactions against a scripted controller.
#include <gtest/gtest.h>

#include <string>

#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/wait.h>

#include "LinkTestSupport.h"
#include "link/SerialLink.h"

namespace ostrin::test {
namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

milliseconds Since(Clock::time_point start) {
  return std::chrono::duration_cast<milliseconds>(Clock::now() - start);
}

// One RunTransaction on a thread of its own.
class AsyncTransaction {
 public:
  explicit AsyncTransaction(Bytes request)
      : request_(std::move(request)), thread_([this] {
          std::uint8_t reply[ReceiveCapacity];
          int count = -1;
          result_ = RunTransaction(request_.data(), static_cast<int>(request_.size()), reply, sizeof reply, count);
          reply_.assign(reply, reply + count);
        }) {}
  ~AsyncTransaction() {
    if (thread_.joinable()) thread_.join();
  }
  AsyncTransaction(const AsyncTransaction&) = delete;
  AsyncTransaction& operator=(const AsyncTransaction&) = delete;

  int Join() {
    thread_.join();
    return result_;
  }
  const Bytes& Reply() const { return reply_; }

 private:
  Bytes request_;
  int result_ = -1;
  Bytes reply_;
  std::thread thread_;
};

int Transact(const Bytes& request, Bytes& reply) {
  std::uint8_t buffer[ReceiveCapacity];
  int count = -1;
  const int result = RunTransaction(request.data(), static_cast<int>(request.size()), buffer, sizeof buffer, count);
  reply.assign(buffer, buffer + count);
  return result;
}

class SerialLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pty.Ok());
    ASSERT_TRUE(SetPortName(pty.SlavePath()));
    // A link reply still pending when an earlier test closed the port goes out
    // at the next open (the link keeps it over a close): take it off the line.
    if (TheLink().ReplyPending()) {
      ASSERT_EQ(EnsurePortOpen(), 0);
      EXPECT_EQ(pty.Read(2).size(), 2u);
      ClosePort();
      LinkOpen = 0;
    }
  }
  void TearDown() override {
    ClosePort();
    LinkOpen = 0;
    CancelRequested = 0;
    SetLiteralWaits(false);
    SetPumpBusyPoll(false);
    ResetLinkState();
    std::uint8_t drop[ReceiveCapacity];
    int count = 0;
    TakeReceivedFrame(drop, sizeof drop, count);
    SetPortName("");
  }

  PtyPeer pty;
};

struct ExchangeCase {
  const char* name;
  Bytes request;
  Bytes requestWire;
  Bytes reply;
};

TEST_F(SerialLinkTest, WorkedExamplesOverThePort) {
  const ExchangeCase cases[] = {
      {"firmware version", {0x01}, {0x10, 0x02, 0x01, 0x10, 0x03, 0xDB, 0xFB}, {0x65, 0x01, 0x01, 0x11}},
      {"read parameter 16",
       {0x02, 0x10, 0x00, 0x00, 0x00},
       {0x10, 0x02, 0x02, 0x10, 0x10, 0x00, 0x00, 0x00, 0x10, 0x03, 0x86, 0xFD},
       {0x66, 0x10, 0x00, 0x10, 0x00}},
  };
  ASSERT_EQ(EnsurePortOpen(), 0) << LastOpenError();
  for (const ExchangeCase& c : cases) {
    SCOPED_TRACE(c.name);
    AsyncTransaction exchange(c.request);
    EXPECT_EQ(pty.Read(c.requestWire.size()), c.requestWire);
    pty.Write(Concat(DleAck, EncodeFrame(c.reply)));
    EXPECT_EQ(pty.Read(2), DleAck);
    EXPECT_EQ(exchange.Join(), 1);
    EXPECT_EQ(exchange.Reply(), c.reply);
  }
  EXPECT_EQ(pty.Drain(milliseconds(50)), Bytes{});
}

TEST_F(SerialLinkTest, PeerRefusingEveryFrameGetsThreeCopiesPerAttemptWithoutWaiting) {
  ASSERT_EQ(EnsurePortOpen(), 0);
  const Bytes wire = EncodeFrame({0x01});
  const auto start = Clock::now();
  AsyncTransaction exchange({0x01});
  for (int copy = 0; copy < 9; ++copy) {
    ASSERT_EQ(pty.Read(wire.size()), wire) << "copy " << copy;
    pty.Write(DleNak);
  }
  EXPECT_EQ(exchange.Join(), 0);
  EXPECT_TRUE(exchange.Reply().empty());
  EXPECT_LT(Since(start), milliseconds(1000));  // far below one acknowledgement time-out per attempt
  EXPECT_EQ(pty.Drain(milliseconds(50)), Bytes{});
}

TEST_F(SerialLinkTest, SilentPeerTimesOutAfterThreeAttempts) {
  ASSERT_EQ(EnsurePortOpen(), 0);
  const auto start = Clock::now();
  Bytes reply;
  EXPECT_EQ(Transact({0x01}, reply), 0);
  const milliseconds took = Since(start);
  EXPECT_GE(took, milliseconds(3 * 34 * 15));
  EXPECT_LT(took, milliseconds(4000));
  const Bytes wire = EncodeFrame({0x01});
  EXPECT_EQ(pty.Drain(milliseconds(50)), Concat(Concat(wire, wire), wire));  // no ticks: no enquiries
}

TEST_F(SerialLinkTest, LostAcknowledgementIsEnquiredAndTheTickWakesThePump) {
  ASSERT_EQ(EnsurePortOpen(), 0);
  AsyncTransaction exchange({0x01});
  EXPECT_EQ(pty.Read(7), EncodeFrame({0x01}));
  // This thread is the front end's timer: the pump sleeps until the last tick.
  // The trailer leaves before the countdown is set, so wait for the countdown.
  for (int i = 0; i < 2000 && TheLink().TransmitState() != TxState::TxAwaitAck; ++i) {
    std::this_thread::sleep_for(milliseconds(1));
  }
  ASSERT_EQ(TheLink().AckCountdown(), AckTimeoutTicks);
  for (int tick = 0; tick < AckTimeoutTicks; ++tick) TickLinkTimers();
  EXPECT_EQ(pty.Read(2, milliseconds(400)), DleEnq);
  pty.Write(Concat(DleAck, EncodeFrame({0x65, 0x07})));
  EXPECT_EQ(pty.Read(2), DleAck);
  EXPECT_EQ(exchange.Join(), 1);
  EXPECT_EQ(exchange.Reply(), (Bytes{0x65, 0x07}));
}

TEST_F(SerialLinkTest, FrameLeftInTheSlotIsTakenAsTheNextReply) {
  ASSERT_EQ(EnsurePortOpen(), 0);
  pty.Write(EncodeFrame({0x6D, 0x2A}));
  EXPECT_EQ(pty.Read(2), DleAck);
  AsyncTransaction exchange({0x02, 0x10, 0x00, 0x00, 0x00});
  EXPECT_EQ(pty.Read(12).size(), 12u);
  pty.Write(DleAck);
  EXPECT_EQ(exchange.Join(), 1);
  EXPECT_EQ(exchange.Reply(), (Bytes{0x6D, 0x2A}));
}

TEST_F(SerialLinkTest, ReplyPendingAtCloseGoesOutAtTheNextOpen) {
  ASSERT_EQ(PumpRunning.load(), 0);
  for (const std::uint8_t b : DleEnq) TheLink().ReceiveByte(b);  // as if it came just before a close
  ASSERT_TRUE(TheLink().ReplyPending());
  ASSERT_EQ(EnsurePortOpen(), 0);
  EXPECT_EQ(pty.Read(2), (Bytes{0x10, TheLink().LastLinkReply()}));
  EXPECT_FALSE(TheLink().ReplyPending());
}

TEST_F(SerialLinkTest, SecondEnsurePortOpenTouchesNeitherPortNorLink) {
  ASSERT_EQ(EnsurePortOpen(), 0);
  EXPECT_EQ(LinkOpen.load(), 1);
  EXPECT_EQ(PortHandleCount.load(), 1);
  EXPECT_EQ(PumpRunning.load(), 1);
  TheLink().SetIdleCountdown(7);
  ASSERT_TRUE(SetPortName("/dev/ostrin-no-such-port"));
  EXPECT_EQ(EnsurePortOpen(), 0);
  EXPECT_EQ(TheLink().IdleCountdown(), 7);
  EXPECT_EQ(PortHandleCount.load(), 1);
}

TEST_F(SerialLinkTest, OpenWithoutAPortNameFails) {
  ASSERT_TRUE(SetPortName(""));
  EXPECT_EQ(EnsurePortOpen(), 1);
  EXPECT_EQ(PortHandleCount.load(), 0);
  EXPECT_EQ(PumpRunning.load(), 0);
  EXPECT_EQ(LinkOpen.load(), 0);
  EXPECT_FALSE(LastOpenError().empty());
}

TEST_F(SerialLinkTest, TooLongAPortNameSelectsNoPort) {
  EXPECT_FALSE(SetPortName(std::string(PortNameCapacity, 'x')));
  EXPECT_EQ(PortName(), "");
  EXPECT_TRUE(SetPortName(pty.SlavePath()));
  EXPECT_EQ(PortName(), pty.SlavePath());
}

TEST_F(SerialLinkTest, OpenOfAMissingDeviceFailsAtOnceWithTheReason) {
  ASSERT_TRUE(SetPortName("/dev/ostrin-no-such-port"));
  const auto start = Clock::now();
  EXPECT_EQ(EnsurePortOpen(), 1);
  EXPECT_LT(Since(start), milliseconds(500));
  EXPECT_NE(LastOpenError().find("/dev/ostrin-no-such-port"), std::string::npos);
  EXPECT_EQ(PumpRunning.load(), 0);
}

TEST_F(SerialLinkTest, PortHeldByAnotherProcessFailsWithoutStartingThePump) {
  int ready[2];
  int release[2];
  ASSERT_EQ(::pipe(ready), 0);
  ASSERT_EQ(::pipe(release), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const int fd = ::open(pty.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    const char held = (fd >= 0 && ::ioctl(fd, TIOCEXCL) == 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0) ? 'y' : 'n';
    (void)!::write(ready[1], &held, 1);
    char go = 0;
    (void)!::read(release[0], &go, 1);
    (void)::ioctl(fd, TIOCNXCL);
    ::_exit(0);
  }
  char held = 0;
  ASSERT_EQ(::read(ready[0], &held, 1), 1);
  ASSERT_EQ(held, 'y');

  EXPECT_EQ(EnsurePortOpen(), 1);
  EXPECT_EQ(PortHandleCount.load(), 0);
  EXPECT_EQ(PumpRunning.load(), 0);
  EXPECT_NE(LastOpenError().find("in use"), std::string::npos) << LastOpenError();

  (void)!::write(release[1], "g", 1);
  int status = 0;
  ::waitpid(child, &status, 0);
  for (const int fd : {ready[0], ready[1], release[0], release[1]}) ::close(fd);
  EXPECT_EQ(EnsurePortOpen(), 0) << LastOpenError();
}

TEST_F(SerialLinkTest, CancelClosesAndTheNextJobReopensAndResets) {
  const FramerPeer controller(pty.MasterFd());
  ASSERT_EQ(EnsurePortOpen(), 0);
  Bytes reply;
  ASSERT_EQ(Transact({0x01}, reply), 1);

  CancelComms();
  EXPECT_EQ(CancelRequested.load(), 1);
  EXPECT_EQ(LinkOpen.load(), 0);
  EXPECT_EQ(PortHandleCount.load(), 0);
  EXPECT_EQ(PumpRunning.load(), 0);
  EXPECT_EQ(TheLink().IdleCountdown(), 0);
  EXPECT_EQ(TheLink().TransmitState(), TxState::TxIdle);

  ASSERT_EQ(EnsurePortOpen(), 0);
  EXPECT_EQ(TheLink().IdleCountdown(), IdleResetTicks);
  EXPECT_EQ(PumpRunning.load(), 1);
  EXPECT_EQ(Transact({0x03, 0x2C, 0x01}, reply), 1);
  EXPECT_EQ(reply, (Bytes{0x67, 0x2C, 0x01}));
  EXPECT_EQ(controller.Requests(), 2);
}

TEST_F(SerialLinkTest, IdleCloseClosesOnlyWhenTheIdleCountHasRunOut) {
  ASSERT_EQ(EnsurePortOpen(), 0);
  EXPECT_FALSE(CloseIfIdle());
  EXPECT_EQ(PortHandleCount.load(), 1);
  TheLink().SetIdleCountdown(0);
  EXPECT_TRUE(CloseIfIdle());
  EXPECT_EQ(LinkOpen.load(), 0);
  EXPECT_EQ(PortHandleCount.load(), 0);
  EXPECT_EQ(PumpRunning.load(), 0);
  EXPECT_FALSE(CloseIfIdle());
}

TEST_F(SerialLinkTest, FarEndClosingMidExchangeShowsTheMessageOnceAndNothingHangs) {
  RecordingFrontEnd frontEnd;
  const FrontEndScope scope(frontEnd);
  ASSERT_EQ(EnsurePortOpen(), 0);
  AsyncTransaction exchange({0x01});
  EXPECT_EQ(pty.Read(7), EncodeFrame({0x01}));
  pty.Close();
  EXPECT_EQ(exchange.Join(), 0);

  const auto messages = frontEnd.Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].first, "Error Problem with serial port - Aborting");
  EXPECT_EQ(PortHandleCount.load(), 0);
  EXPECT_EQ(PumpRunning.load(), 0);
  EXPECT_EQ(PumpRun.load(), 0);
  EXPECT_EQ(LinkOpen.load(), 1);  // requests until the idle close go unanswered
  EXPECT_EQ(EnsurePortOpen(), 0);
  ClosePort();
  EXPECT_EQ(frontEnd.Messages().size(), 1u);
}

// A front end whose message box does what a GUI's may: the operator presses
// "Cancel  Comms" while the pump's message is up.
class CancellingFrontEnd final : public FrontEnd {
 public:
  void AppendStatus(std::string_view) override {}
  void SetTransferProgress(int) override {}
  void SetPendingCount(int) override {}
  void EnableCategoryButtons() override {}
  void ShowMessage(std::string_view, std::string_view) override {
    ++shown;
    CancelComms();
  }
  bool AskOkCancel(std::string_view, std::string_view) override { return false; }
  std::atomic<int> shown{0};
};

TEST_F(SerialLinkTest, CancelDuringThePortErrorMessageDoesNotDeadlock) {
  CancellingFrontEnd frontEnd;
  const FrontEndScope scope(frontEnd);
  ASSERT_EQ(EnsurePortOpen(), 0);
  pty.Close();
  for (int i = 0; i < 2000 && PumpRunning.load() != 0; ++i) std::this_thread::sleep_for(milliseconds(1));
  EXPECT_EQ(PumpRunning.load(), 0);
  EXPECT_EQ(PortHandleCount.load(), 0);
  EXPECT_EQ(frontEnd.shown.load(), 1);
  EXPECT_EQ(LinkOpen.load(), 0);
}

TEST_F(SerialLinkTest, AnIdleOpenPortDoesNotSpin) {
  ASSERT_EQ(EnsurePortOpen(), 0);
  std::this_thread::sleep_for(milliseconds(20));
  const PumpCounters before = ReadPumpCounters();
  std::this_thread::sleep_for(milliseconds(200));
  const PumpCounters after = ReadPumpCounters();
  EXPECT_LT(after.passes - before.passes, 10u);

  SetPumpBusyPoll(true);
  std::this_thread::sleep_for(milliseconds(50));
  EXPECT_GT(ReadPumpCounters().passes - after.passes, 100u);
}

TEST_F(SerialLinkTest, LiteralWaitsSleepTheirFullPeriods) {
  const FramerPeer controller(pty.MasterFd());
  SetLiteralWaits(true);
  auto start = Clock::now();
  ASSERT_EQ(EnsurePortOpen(), 0);
  EXPECT_GE(Since(start), milliseconds(25));
  Bytes reply;
  start = Clock::now();
  ASSERT_EQ(Transact({0x01}, reply), 1);
  EXPECT_GE(Since(start), milliseconds(30));  // one acknowledgement poll, one reply poll

  SetLiteralWaits(false);
  start = Clock::now();
  for (int i = 0; i < 20; ++i) ASSERT_EQ(Transact({0x01}, reply), 1);
  EXPECT_LT(Since(start), milliseconds(20 * 30));
  EXPECT_EQ(reply, (Bytes{0x65}));
}

}  // namespace
}  // namespace ostrin::test
