#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "sim/ControllerMemory.h"

namespace ostrin::sim {
namespace {

std::string Hex(const Message& m) {
  std::string text;
  for (int i = 0; i < m.length; ++i) {
    char pair[4];
    std::snprintf(pair, sizeof pair, i == 0 ? "%02X" : " %02X", m.bytes[static_cast<std::size_t>(i)]);
    text += pair;
  }
  return text;
}

class ControllerMemoryTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetStore(); }
  std::string Answer(const Message& request) { return Hex(memory.Answer(request.data(), request.length)); }

  ControllerMemory memory{{1, 2, 3}};
};

TEST_F(ControllerMemoryTest, AnswersWithTheReplyLayouts) {
  SetValue(1019, 0x12345);
  SetCodeText(180, "1234");
  AnalogAlarmRecord alarm{};
  alarm.meter = 1;
  alarm.macro = 4;
  SetAnalogAlarm(362, alarm);
  const struct {
    Message request;
    const char* reply;
  } cases[] = {
      {QueryVersion(), "65 01 02 03"},
      {ReadValue(1019), "66 FB 03 45 23"},
      {ReadGlobalLock(180), "79 B4 00 31 32 33 34 00"},
      {ReadAnalogAlarm(362), "75 02 02 00 00 00 05 00 6A 01"},
      {ReadMeter(353), "73 00 00 00 00 00 00 00 00 00 00 61 01"},
      {WriteMeter(353, {}), "74 61 01"},
      {WriteValue(5, 7), "67 05 00 07 00"},
      {RestartController(), "68"},
      {SetTime(), "69"},
      {SetDate(), "6B"},
      {DefaultAll(), "7F"},
      {EraseAll(), "80"},
  };
  for (const auto& c : cases) EXPECT_EQ(Answer(c.request), c.reply) << Hex(c.request);
}

TEST_F(ControllerMemoryTest, WritesChangeTheMemory) {
  EXPECT_EQ(Answer(WriteValue(1019, 35)), "67 FB 03 23 00");
  EXPECT_EQ(GetValue(1019).current, 35);
  EXPECT_EQ(Answer(WriteValue(CommitNumber, 0)), "67 FF FF 00 00");
  EXPECT_EQ(memory.Commits(), 1);
  const std::int32_t cw[] = {1, 2, 3};
  EXPECT_EQ(Answer(WritePortList(2056, cw)).substr(0, 8), "6E 08 08");
  EXPECT_EQ(GetPortLists(2056).cw[1].count, 3);

  Answer(EraseAll());
  EXPECT_EQ(GetValue(1019).current, 0);
  EXPECT_EQ(GetPortLists(2056).cw[1].count, 0);
}

TEST_F(ControllerMemoryTest, IgnoresRequestsOutsideTheCommandSet) {
  Message wrongIndex = ReadUnlockCode(2057);
  wrongIndex.bytes[11] = 0;
  Message tooShort = ReadMeter(353);
  tooShort.length = 12;
  Message unknown = QueryVersion();
  unknown.bytes[0] = 6;
  const Message cases[] = {
      ReadValue(180), ReadValue(1049), ReadMacro(300), ReadPortList(1057), ReadMeter(361),
      WriteValue(4000, 1), wrongIndex, tooShort, unknown,
  };
  for (const Message& request : cases) EXPECT_EQ(Answer(request), "") << Hex(request);
}

}  // namespace
}  // namespace ostrin::sim
