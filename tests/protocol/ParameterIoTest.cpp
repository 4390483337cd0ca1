#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "protocol/MessageText.h"
#include "protocol/ParameterIo.h"
#include "support/StatusRecorder.h"

namespace ostrin {
namespace {

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
  std::vector<std::uint8_t> bytes;
  for (int v : values) bytes.push_back(static_cast<std::uint8_t>(v));
  return bytes;
}

// A controller that answers every exchange with one scripted reply (or none).
struct ScriptedController {
  static inline std::vector<std::uint8_t> reply;
  static inline bool answers = true;
  static inline std::vector<std::uint8_t> lastRequest;
  static inline int exchanges = 0;

  static int Exchange(const std::uint8_t* request, int length, std::uint8_t* out, int capacity, int& count) {
    ++exchanges;
    lastRequest.assign(request, request + length);
    count = 0;
    if (!answers) return 0;
    count = std::min(static_cast<int>(reply.size()), capacity);
    std::memcpy(out, reply.data(), static_cast<std::size_t>(count));
    return 1;
  }
};

class ParameterIoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetStore();
    ScriptedController::reply.clear();
    ScriptedController::answers = true;
    ScriptedController::lastRequest.clear();
    ScriptedController::exchanges = 0;
  }
  StatusRecorder log;
};

TEST_F(ParameterIoTest, TheNumberChoosesTheMessage) {
  using C = CommandCode;
  const struct {
    ParameterNumber n;
    C read;
    C write;
  } cases[] = {
      {0, C::ReadValue, C::WriteValue},           {180, C::ReadGlobalLock, C::WriteGlobalLock},
      {181, C::ReadValue, C::WriteValue},         {182, C::ReadPadTestCode, C::WritePadTestCode},
      {188, C::ReadPreAccessCode, C::WritePreAccessCode},
      {189, C::ReadPreAccessRange, C::WritePreAccessRange},
      {192, C::ReadValue, C::WriteValue},         {193, C::ReadMacro, C::WriteMacro},
      {282, C::ReadMacro, C::WriteMacro},         {283, C::ReadMessageMacro, C::WriteMessageMacro},
      {352, C::ReadMessageMacro, C::WriteMessageMacro},
      {353, C::ReadMeter, C::WriteMeter},         {360, C::ReadMeter, C::WriteMeter},
      {361, C::ReadAnalogAlarm, C::WriteAnalogAlarm},
      {369, C::ReadLogicAlarm, C::WriteLogicAlarm},
      {393, C::ReadLogicAlarm, C::WriteLogicAlarm},
      {394, C::ReadSetpoint, C::WriteSetpoint},   {433, C::ReadSetpoint, C::WriteSetpoint},
      {434, C::ReadDtmfMemory, C::WriteDtmfMemory},
      {999, C::ReadDtmfMemory, C::WriteDtmfMemory},
      {1000, C::ReadValue, C::WriteValue},        {1048, C::ReadValue, C::WriteValue},
      {1049, C::ReadPortList, C::WritePortList},  {2056, C::ReadPortList, C::WritePortList},
      {1057, C::ReadUnlockCode, C::WriteUnlockCode},
      {3057, C::ReadUnlockCode, C::WriteUnlockCode},
      {3063, C::ReadValue, C::WriteValue},        {CommitNumber, C::ReadValue, C::WriteValue},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadCommandOf(KindOfNumber(c.n)), c.read) << c.n;
    EXPECT_EQ(WriteCommandOf(KindOfNumber(c.n)), c.write) << c.n;
  }
  EXPECT_EQ(BuildReadRequest(1057).bytes[11], 0);
  EXPECT_EQ(BuildReadRequest(3057).bytes[11], 2);
}

TEST_F(ParameterIoTest, RepliesMustCarryTheCodeAndTheNumberInTheirPlace) {
  std::vector<std::uint8_t> meter(13, 0);
  meter[0] = 115;
  meter[1] = 0x62;  // 354 in bytes 1-2 only
  meter[2] = 0x01;
  std::vector<std::uint8_t> meterRight = meter;
  meterRight[11] = 0x62;
  meterRight[12] = 0x01;
  const struct {
    const char* name;
    bool read;
    ParameterNumber n;
    std::vector<std::uint8_t> reply;
    bool accepted;
  } cases[] = {
      {"value reply", true, 16, Bytes({102, 16, 0, 30, 0}), true},
      {"another number", true, 16, Bytes({102, 17, 0, 30, 0}), false},
      {"another code", true, 16, Bytes({103, 16, 0, 30, 0}), false},
      {"value missing", true, 16, Bytes({102, 16, 0}), false},
      {"meter number only in bytes 1-2", true, 354, meter, false},
      {"meter number in bytes 11-12", true, 354, meterRight, true},
      {"empty reply", true, 0, {}, false},
      {"meter write reply", false, 354, Bytes({116, 0x62, 0x01}), true},
      {"commit reply", false, CommitNumber, Bytes({103, 0xFF, 0xFF, 0, 0}), true},
      {"write reply without its number", false, 16, Bytes({103, 16}), false},
      {"read reply to a write", false, 16, Bytes({102, 16, 0, 0, 0}), false},
  };
  for (const auto& c : cases) {
    const int count = static_cast<int>(c.reply.size());
    const bool accepted = c.read ? ReadReplyAccepted(c.n, c.reply.data(), count)
                                 : WriteReplyAccepted(c.n, c.reply.data(), count);
    EXPECT_EQ(accepted, c.accepted) << c.name;
  }
}

TEST_F(ParameterIoTest, ReadLogsTheExchangeAndStoresOnlyAnAcceptedReply) {
  const struct {
    const char* name;
    bool answers;
    std::vector<std::uint8_t> reply;
    int result;
    int stored;
    const char* line;
  } cases[] = {
      {"accepted", true, Bytes({102, 16, 0, 30, 0}), 1, 30,
       "Read Par16:[Cmd:2,N:16 V:0] Resp:[Cmd:102,N:16 V:30] OK\r\n"},
      {"another number", true, Bytes({102, 17, 0, 30, 0}), 0, 7,
       "Read Par16:[Cmd:2,N:16 V:0] Resp:[Cmd:102,N:17 V:30] No Response\r\n"},
      {"no reply", false, {}, 0, 7, "Read Par16:[Cmd:2,N:16 V:0] No Response\r\n"},
  };
  for (const auto& c : cases) {
    SetValue(16, 7);
    log.Clear();
    ScriptedController::answers = c.answers;
    ScriptedController::reply = c.reply;
    EXPECT_EQ(ReadParameter(16, ScriptedController::Exchange), c.result) << c.name;
    EXPECT_EQ(GetValue(16).current, c.stored) << c.name;
    EXPECT_EQ(log.Text(), c.line) << c.name;
  }
}

TEST_F(ParameterIoTest, WriteSendsTheStoredValueAndChecksTheEcho) {
  SetValue(1003, 0x12345);
  ScriptedController::reply = Bytes({103, 0xEB, 0x03, 0x45, 0x23});
  EXPECT_EQ(WriteParameter(1003, ScriptedController::Exchange), 1);
  EXPECT_EQ(log.Text(), "Write Par1003:[Cmd:3,N:1003 V:9029] Resp:[Cmd:103,N:1003 V:9029] OK\r\n");
  EXPECT_EQ(GetValue(1003).flags & PendingMask, PendingMask) << "a write leaves the marks alone";

  log.Clear();
  ScriptedController::reply = Bytes({103, 0xFF, 0xFF, 0, 0});
  EXPECT_EQ(WriteParameter(CommitNumber, ScriptedController::Exchange), 1);
  EXPECT_EQ(ScriptedController::lastRequest, Bytes({3, 0xFF, 0xFF, 0, 0}));
  EXPECT_EQ(log.Text(), "Write Par65535:[Cmd:3,N:65535 V:0] Resp:[Cmd:103,N:65535 V:0] OK\r\n");
}

TEST_F(ParameterIoTest, NothingIsSentForAnEmptyListOrANumberWithoutARecord) {
  const struct {
    const char* name;
    bool write;
    ParameterNumber n;
  } cases[] = {
      {"empty voice list", true, 1049},   {"empty CW list", true, 3056},
      {"logic alarm 374", false, 374},    {"DTMF memory 500", true, 500},
      {"port number 1064", false, 1064},  {"negative number", false, -1},
      {"commit is not read", false, CommitNumber},
  };
  for (const auto& c : cases) {
    const int result = c.write ? WriteParameter(c.n, ScriptedController::Exchange)
                               : ReadParameter(c.n, ScriptedController::Exchange);
    EXPECT_EQ(result, 0) << c.name;
  }
  EXPECT_EQ(ScriptedController::exchanges, 0);
  EXPECT_EQ(log.Text(), "");
}

TEST_F(ParameterIoTest, EachKindStoresItsReply) {
  struct Case {
    ParameterNumber n;
    std::vector<std::uint8_t> reply;
  };
  std::vector<std::uint8_t> macro(41, 0);
  macro[0] = 111;
  macro[1] = 194;
  macro[3] = 0x25;
  macro[4] = 0x60;  // step 37, ports bits 13-14
  macro[33] = '9';
  const Case cases[] = {
      {194, macro},
      {1050, Bytes({109, 0x1A, 0x04, 2, 11, 12})},
      {2057, Bytes({123, 0x09, 0x08, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 1})},
      {180, Bytes({121, 180, 0, '1', '2', '3', '4', 0})},
      {189, Bytes({131, 189, 0, 7, 200})},
      {395, Bytes({133, 0x8B, 0x01, 1, 2, 3, 4, 5})},
      {371, Bytes({119, 0xFE, 1, 0x10, 0, 0x20, 0, 0x73, 0x01})},
      {364, Bytes({117, 4, 2, 1, 0x20, 0x03, 10, 0, 0x6C, 0x01})},
  };
  for (const Case& c : cases) {
    ScriptedController::reply = c.reply;
    EXPECT_EQ(ReadParameter(c.n, ScriptedController::Exchange), 1) << c.n << "\n" << log.Text();
  }
  const MacroRecord m = GetMacro(194);
  EXPECT_EQ(m.steps[0], 37);
  EXPECT_EQ(MacroAttributes(m), 0x6000u);
  EXPECT_EQ(m.dtmf[0], '9');
  const PortListBlock lists = GetPortLists(1050);
  EXPECT_EQ(lists.voice[1].count, 2);
  EXPECT_EQ(lists.voice[1].codes[1], 12);
  EXPECT_EQ(std::string(GetUnlockCode(2057).current, 8), "ABCDEFGH");
  EXPECT_STREQ(GetCodeText(180).current, "1234");
  EXPECT_EQ(std::string(GetPreAccessRange().currentStart, 1), "7");
  EXPECT_EQ(std::string(GetPreAccessRange().currentStop, 3), "200");
  const SetpointRecord s = GetSetpoint(395);
  EXPECT_EQ(s.enabled, 1);
  EXPECT_EQ(s.macro, 5);
  const LogicAlarmRecord l = GetLogicAlarm(371);
  EXPECT_EQ(l.lowToHighMacro, 0x10);
  EXPECT_EQ(l.highToLowMacro, 0x20);
  const AnalogAlarmRecord a = GetAnalogRecord(364).alarm;
  EXPECT_EQ(a.alarmNumber, 4);
  EXPECT_EQ(a.meter, 1);
  EXPECT_EQ(a.tripValue, 800);
  EXPECT_EQ(a.macro, 9);
}

}  // namespace
}  // namespace ostrin
