// Single-parameter reads and writes against the simulated controller, over
// its pseudo-terminal and the real serial link.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>
#include <string>

#include "cli/LinkTicker.h"
#include "datafile/DataFile.h"
#include "link/SerialLink.h"
#include "protocol/ParameterIo.h"
#include "support/SimulatedController.h"
#include "support/StatusRecorder.h"
#include "support/TempFolder.h"

namespace ostrin {
namespace {

class ControllerExchangeTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetStore(); }
  void TearDown() override {
    ClosePort();
    LinkOpen = 0;
    std::array<std::uint8_t, 512> stale{};
    int count = 0;
    TakeReceivedFrame(stale.data(), static_cast<int>(stale.size()), count);
    sim.reset();
  }

  void Start(const std::string& arguments) {
    sim = std::make_unique<SimulatedController>(arguments);
    ASSERT_FALSE(sim->Port().empty()) << "ostrin-sim " << arguments;
    ASSERT_TRUE(SetPortName(sim->Port()));
    ASSERT_EQ(EnsurePortOpen(), 0) << LastOpenError();
  }

  StatusRecorder log;
  cli::LinkTicker ticker;
  std::unique_ptr<SimulatedController> sim;
  TempFolder folder;
};

MacroRecord SomeMacro() {
  MacroRecord r;
  r.steps[0] = 37;
  r.steps[1] = 116;
  r.steps[14] = 187;
  std::memcpy(r.dtmf, "123#", 4);
  SetMacroAttributes(r, 0xA000);
  return r;
}

CodeList List(int count) {
  CodeList list;
  list.count = count;
  for (int i = 0; i < count; ++i) list.codes[static_cast<std::size_t>(i)] = 10 + i;
  return list;
}

struct RoundTrip {
  ParameterNumber n;
  void (*fill)(ParameterNumber n);
};

const RoundTrip roundTrips[] = {
    {16, [](ParameterNumber n) { SetValue(n, 1234); }},
    {0, [](ParameterNumber n) { SetValue(n, 0xFFFF); }},
    {3010, [](ParameterNumber n) { SetValue(n, 4321); }},
    {1049, [](ParameterNumber n) { SetPortList(n, List(VoiceListCapacity)); }},
    {3055, [](ParameterNumber n) { SetPortList(n, List(CwListCapacity)); }},
    {2057, [](ParameterNumber n) { SetUnlockCode(n, "87654321"); }},
    {180, [](ParameterNumber n) { SetCodeText(n, "4321"); }},
    {182, [](ParameterNumber n) { SetCodeText(n, "12345"); }},
    {188, [](ParameterNumber n) { SetCodeText(n, "9*"); }},
    {189, [](ParameterNumber n) { SetCodeText(n, "12", "200"); }},
    {200, [](ParameterNumber n) { SetMacro(n, SomeMacro()); }},
    {290, [](ParameterNumber n) { SetMessageMacro(n, {0, {100, 200, 300}, 3}); }},
    {355, [](ParameterNumber n) { SetMeter(n, {0, 2, 10, 900, 0, 100}); }},
    {362, [](ParameterNumber n) { SetAnalogAlarm(n, {0, 2, 1, 3, 500, 8}); }},
    {370, [](ParameterNumber n) { SetLogicAlarm(n, 1, 12, 34); }},
    {400, [](ParameterNumber n) { SetSetpoint(n, {0, 1, 3, 4, 5, 6, 7}); }},
    {440, [](ParameterNumber n) { SetDtmfMemory(n, {0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 10}); }},
};

TEST_F(ControllerExchangeTest, EveryKindSurvivesAWriteAndARead) {
  Start("");
  for (const RoundTrip& c : roundTrips) {
    ResetStore();
    c.fill(c.n);
    Message written;
    ASSERT_TRUE(BuildWriteMessage(c.n, written)) << c.n;
    EXPECT_EQ(WriteParameter(c.n), 1) << log.Text();
    ResetStore();
    EXPECT_EQ(ReadParameter(c.n), 1) << log.Text();
    Message read;
    ASSERT_TRUE(BuildWriteMessage(c.n, read)) << c.n;
    EXPECT_EQ(read.length, written.length) << c.n;
    EXPECT_EQ(read.bytes, written.bytes) << c.n;
  }
}

TEST_F(ControllerExchangeTest, TheLogShowsEachExchange) {
  Start("");
  SetValue(16, 30);
  ASSERT_EQ(WriteParameter(16), 1);
  ASSERT_EQ(ReadParameter(16), 1);
  EXPECT_EQ(log.Text(),
            "Write Par16:[Cmd:3,N:16 V:30] Resp:[Cmd:103,N:16 V:30] OK\r\n"
            "Read Par16:[Cmd:2,N:16 V:0] Resp:[Cmd:102,N:16 V:30] OK\r\n");
}

TEST_F(ControllerExchangeTest, FaultsThatOutlastTheRetriesEndInNoResponse) {
  const char* faults[] = {"--nak-rate 1", "--drop-rate 1", "--corrupt-rate 1"};
  for (const char* fault : faults) {
    Start(fault);
    SetValue(16, 7);
    log.Clear();
    EXPECT_EQ(ReadParameter(16), 0) << fault;
    EXPECT_EQ(log.Text(), "Read Par16:[Cmd:2,N:16 V:0] No Response\r\n") << fault;
    EXPECT_EQ(GetValue(16).current, 7) << fault;
    TearDown();
  }
}

TEST_F(ControllerExchangeTest, OccasionalFaultsAndLateRepliesAreAbsorbed) {
  const char* faults[] = {"--nak-rate 0.3 --corrupt-rate 0.3 --seed 1", "--reply-delay 20"};
  for (const char* fault : faults) {
    Start(fault);
    for (ParameterNumber n : {2, 3, 4, 1019, 2019}) {
      SetValue(n, n + 1);
      EXPECT_EQ(WriteParameter(n), 1) << fault << '\n' << log.Text();
      SetValue(n, 0);
      EXPECT_EQ(ReadParameter(n), 1) << fault << '\n' << log.Text();
      EXPECT_EQ(GetValue(n).current, n + 1) << fault;
    }
    TearDown();
  }
}

TEST_F(ControllerExchangeTest, TheControllerOutlivesTheToolReopeningThePort) {
  Start("");
  ASSERT_EQ(ReadParameter(2), 1);
  ClosePort();
  LinkOpen = 0;
  ASSERT_EQ(EnsurePortOpen(), 0) << LastOpenError();
  EXPECT_EQ(ReadParameter(2), 1) << log.Text();
  EXPECT_EQ(GetValue(2).current, 10) << "the factory default";
}

TEST_F(ControllerExchangeTest, MaintenanceRequestsAreAnswered) {
  const std::string loaded = folder.Write("site.ini", "[Port 1]\r\nHang_Timer1=35\r\n");
  Start("--firmware 2.3.4 --load " + loaded);
  const struct {
    Message request;
    std::uint8_t reply;
    ParameterNumber n;
    int valueAfter;
  } cases[] = {
      {QueryVersion(), 101, 1019, 35},
      {RestartController(), 104, 1019, 35},
      {SetTime(), 105, 1019, 35},
      {SetDate(), 107, 1019, 35},
      {DefaultAll(), 127, 1019, 20},
      {EraseAll(), 128, 1019, 0},
  };
  for (const auto& c : cases) {
    std::array<std::uint8_t, 32> reply{};
    int count = 0;
    ASSERT_EQ(RunTransaction(c.request.data(), c.request.length, reply.data(), 32, count), 1);
    EXPECT_EQ(reply[0], c.reply);
    EXPECT_EQ(ReadParameter(c.n), 1);
    EXPECT_EQ(GetValue(c.n).current, c.valueAfter) << int(c.reply);
    if (c.reply != 101) continue;
    EXPECT_EQ(count, 4);
    EXPECT_EQ((std::array<int, 3>{reply[1], reply[2], reply[3]}), (std::array<int, 3>{2, 3, 4}));
  }
}

TEST_F(ControllerExchangeTest, TheMemoryIsDumpedOnExit) {
  const std::string dump = folder.Path("dump.ini");
  Start("--dump " + dump);
  SetValue(1019, 44);
  SetValue(2, 15);
  ASSERT_EQ(WriteParameter(1019), 1);
  ASSERT_EQ(WriteParameter(2), 1);
  ClosePort();
  LinkOpen = 0;
  ASSERT_EQ(sim->Stop(), 0);
  ResetStore();
  OpenDataFile(dump);
  EXPECT_EQ(GetValue(1019).current, 44);
  EXPECT_EQ(GetValue(2).current, 15);
}

}  // namespace
}  // namespace ostrin
