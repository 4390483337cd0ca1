#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "protocol/LocalClock.h"
#include "protocol/MessageDecoders.h"
#include "protocol/MessageText.h"
#include "protocol/Messages.h"

namespace ostrin {
namespace {

std::string Hex(const std::uint8_t* bytes, int length) {
  std::string text;
  for (int i = 0; i < length; ++i) {
    char pair[4];
    std::snprintf(pair, sizeof pair, i == 0 ? "%02X" : " %02X", bytes[i]);
    text += pair;
  }
  return text;
}
std::string Hex(const Message& m) { return Hex(m.data(), m.length); }

std::vector<std::uint8_t> Bytes(const std::string& hex) {
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 3) bytes.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return bytes;
}

class FixedClock final : public LocalClock {
 public:
  explicit FixedClock(LocalDateTime time) : time_(time) {}
  LocalDateTime Now() const override { return time_; }

 private:
  LocalDateTime time_;
};

MacroRecord Macro(std::initializer_list<int> steps, const char* code, std::uint32_t attributes) {
  MacroRecord r;
  int i = 0;
  for (int s : steps) r.steps[static_cast<std::size_t>(i++)] = s;
  std::strncpy(r.dtmf, code, MacroCodeLength);
  SetMacroAttributes(r, attributes);
  return r;
}

CodeTextRecord Code(const char* text) {
  CodeTextRecord r;
  std::strncpy(r.current, text, sizeof r.current);
  return r;
}

struct LayoutCase {
  const char* name;
  Message message;
  const char* hex;
};

TEST(MessagesTest, LayoutsMatchTheCommandSet) {
  const std::int32_t voice[] = {5, 7, 9};
  MessageMacroRecord message;
  message.size = 2;
  message.words = {300, 2, 0, 0, 0, 0, 0, 0, 0x1234};
  MeterRecord meter{0, 3, 0x0102, 0x0304, 0x0506, 0x0708};
  AnalogAlarmRecord alarm{0, 2, 1, 4, 0x0190, 9};
  LogicAlarmRecord logic{0, 1, 0x0203, 0x0405};
  UnlockCodeRecord unlock{0, {'1', '2', '3', '4', '5', '6', '7', '8'}, {}};
  PreAccessRangeRecord range{0, {'1', '2', '\0'}, {'2', '5', '5'}, {}, {}};
  SetpointRecord setpoint{0, 1, 7, 12, 23, 59, 90};
  DtmfMemoryRecord dtmf{0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 0}, 10};
  const LayoutCase cases[] = {
      {"version query", QueryVersion(), "01"},
      {"read value 16", ReadValue(16), "02 10 00 00 00"},
      {"commit", WriteValue(CommitNumber, 0), "03 FF FF 00 00"},
      {"write value sends the low 16 bits", WriteValue(1003, 0x12345), "03 EB 03 45 23"},
      {"restart", RestartController(), "04"},
      {"default all", DefaultAll(), "1B"},
      {"erase all", EraseAll(), "1C"},
      {"read port list", ReadPortList(2050), "09 02 08 00 00"},
      {"write port list", WritePortList(1049, voice),
       "0A 19 04 03 05 07 09 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
      {"read macro", ReadMacro(193), "0B C1 00 00 00"},
      {"write macro with allowed ports", WriteMacro(194, Macro({37, 116}, "12*", 0xA000 | 0x0003)),
       "0C C2 00 25 A0 74 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
       "31 32 2A 00 00 00 00 00"},
      {"read message macro", ReadMessageMacro(283), "0D 1B 01 00 00"},
      {"write message macro", WriteMessageMacro(284, message),
       "0E 1C 01 02 00 2C 01 02 00 00 00 00 00 00 00 00 00 00 00 00 00 34 12"},
      {"read meter", ReadMeter(354), "0F 00 00 00 00 00 00 00 00 00 00 62 01"},
      {"write meter 354", WriteMeter(354, meter), "10 FF 03 02 01 06 05 04 03 08 07 62 01"},
      {"read analog alarm", ReadAnalogAlarm(362), "11 00 00 00 00 00 00 00 6A 01"},
      {"write analog alarm", WriteAnalogAlarm(362, alarm), "12 FF 05 01 90 01 0A 00 6A 01"},
      {"read logic alarm", ReadLogicAlarm(370), "13 00 00 00 00 00 00 72 01"},
      {"write logic alarm", WriteLogicAlarm(370, logic), "14 FF 01 05 04 03 02 72 01"},
      {"read global lock", ReadGlobalLock(180), "15 B4 00 00 00 00 00 00"},
      {"write global lock", WriteGlobalLock(180, Code("1234")), "16 B4 00 31 32 33 34 00"},
      {"read unlock code port 1", ReadUnlockCode(1057), "17 21 04 00 00 00 00 00 00 00 00 00"},
      {"read unlock code port 3", ReadUnlockCode(3057), "17 F1 0B 00 00 00 00 00 00 00 00 02"},
      {"write unlock code", WriteUnlockCode(2057, unlock), "18 09 08 31 32 33 34 35 36 37 38 01"},
      {"read pad test", ReadPadTestCode(182), "19 B6 00 00 00 00 00 00 00"},
      {"write pad test", WritePadTestCode(182, Code("98765")), "1A B6 00 39 38 37 36 35 00"},
      {"read pre access", ReadPreAccessCode(188), "1D BC 00 00 00 00"},
      {"write pre access", WritePreAccessCode(188, Code("7")), "1E BC 00 37 00 00"},
      {"read pre access range", ReadPreAccessRange(189), "1F BD 00 00 00"},
      {"write pre access range", WritePreAccessRange(189, range), "20 BD 00 0C FF"},
      {"read setpoint", ReadSetpoint(394), "21 8A 01 00 00 00 00 00"},
      {"write setpoint", WriteSetpoint(394, setpoint), "22 8A 01 07 0C 17 3B 5A"},
      {"read dtmf memory", ReadDtmfMemory(434), "23 B2 01 00 00 00 00 00 00 00 00 00 00 00"},
      {"write dtmf memory", WriteDtmfMemory(473, dtmf), "24 D9 01 01 02 03 04 05 06 07 08 09 00 0A"},
  };
  for (const LayoutCase& c : cases) EXPECT_EQ(Hex(c.message), c.hex) << c.name;
}

TEST(MessagesTest, ClockMessagesReadTheInstalledClock) {
  const FixedClock known({2025, 3, 3, 14, 5, 9});
  InstallClock(&known);
  EXPECT_EQ(Hex(SetDate()), "07 03 03 E9 07");
  EXPECT_EQ(Hex(SetTime()), "05 0E 05 09");
  const FixedClock unknown({});
  InstallClock(&unknown);
  EXPECT_EQ(Hex(SetDate()), "07 00 00 00 00");
  EXPECT_EQ(Hex(SetTime()), "05 FF FF FF");
  InstallClock(nullptr);
}

struct TextCase {
  const char* hex;
  const char* text;
};

TEST(MessagesTest, MessageTextRendersEachShape) {
  const TextCase cases[] = {
      {"02 10 00 00 00", "Cmd:2,N:16 V:0"},
      {"03 FF FF 00 00", "Cmd:3,N:65535 V:0"},
      {"66 10 00 1E 00", "Cmd:102,N:16 V:30"},
      {"65 01 01 11", "Cmd:101,v:1.1.17"},
      {"01", "Cmd:1,v:0.0.0"},
      {"1B", "Cmd:27"},
      {"7F", "Cmd:127"},
      {"04", "Cmd:4"},
      {"09 19 04 00 00", "Cmd:9"},
      {"0A 19 04 03 05 07 09 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00",
       "Cmd:10,N:1049 03 05 07 09 "},
      {"0B C1 00 00 00",
       "Cmd:11,FN: 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0,DTMF: 0 0 0 0 0 0 0 0"},
      {"6F C1 00 25 A0 74 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
       "31 FF 2A 00 00 00 00 00",
       "Cmd:111,FN:40997116 0 0 0 0 0 0 0 0 0 0 0 0 0,DTMF:49-142 0 0 0 0 0"},
      {"0E 1C 01 02 00 2C 01 02 00 00 00 00 00 00 00 00 00 00 00 00 00 34 12",
       "Cmd:14,FN:300 2 0 0 0 0 0 04660,SZ:2"},
      {"0D 1B 01 00 00", "Cmd:13,FN: 0 0 0 0 0 0 0 0 0,SZ:0"},
      {"10 FF 03 02 01", "Cmd:16FF030201"},
      {"76 62 01", "Cmd:1186201"},
  };
  for (const TextCase& c : cases) {
    const std::vector<std::uint8_t> bytes = Bytes(c.hex);
    EXPECT_EQ(MessageText(bytes.data(), static_cast<int>(bytes.size())), c.text) << c.hex;
  }
}

TEST(MessagesTest, MacroStepWordCarriesTheAllowedPorts) {
  const Message written = WriteMacro(193, Macro({0x8001, 5}, "", 0x6000 | 0x00FF));
  const MacroRecord read = DecodeMacroReply(written.data(), written.length);
  EXPECT_EQ(read.steps[0], 1);
  EXPECT_EQ(read.steps[1], 5);
  EXPECT_EQ(MacroAttributes(read), 0xE000u) << "step bits 13-15 come back as attribute bits";

  const Message plain = WriteMacro(193, Macro({4000}, "", 0x2000));
  const MacroRecord back = DecodeMacroReply(plain.data(), plain.length);
  EXPECT_EQ(back.steps[0], 4000);
  EXPECT_EQ(MacroAttributes(back), 0x2000u);
}

TEST(MessagesTest, WriteLayoutsDecodeBackToTheRecord) {
  const DtmfMemoryRecord dtmf{0, {9, 8, 7, 6, 5, 4, 3, 2, 1, 0}, 7};
  const Message m = WriteDtmfMemory(440, dtmf);
  const DtmfMemoryRecord back = DecodeDtmfMemoryReply(m.data(), m.length);
  EXPECT_EQ(back.digits, dtmf.digits);
  EXPECT_EQ(back.count, 7);
  EXPECT_EQ(Hex(WriteDtmfMemory(440, back)), Hex(m));

  const AnalogAlarmRecord alarm{0, 3, 2, 0, 700, -1};
  const Message a = WriteAnalogAlarm(363, alarm);
  const AnalogAlarmRecord alarmBack = DecodeAnalogAlarmReply(a.data(), a.length);
  EXPECT_EQ(alarmBack.meter, 0);
  EXPECT_EQ(alarmBack.macro, -1);
  EXPECT_EQ(alarmBack.tripValue, 700);

  const std::vector<std::uint8_t> setpoint = Bytes("85 8A 01 01 02 03 04 00");
  EXPECT_EQ(DecodeSetpointReply(setpoint.data(), 8).enabled, 0);
  const std::vector<std::uint8_t> range = Bytes("83 BD 00 07 FF");
  const PreAccessRangeReply texts = DecodePreAccessRangeReply(range.data(), 5);
  EXPECT_STREQ(texts.start.data(), "007");
  EXPECT_STREQ(texts.stop.data(), "255");
}

TEST(MessagesTest, TheNumberSitsAtTheEndOfAlarmAndMeterMessages) {
  const struct {
    CommandCode code;
    bool reply;
    int offset;
  } cases[] = {
      {CommandCode::ReadMeter, true, 11},      {CommandCode::WriteMeter, false, 11},
      {CommandCode::ReadAnalogAlarm, true, 8}, {CommandCode::ReadLogicAlarm, true, 7},
      {CommandCode::WriteMeter, true, 1},      {CommandCode::WriteLogicAlarm, true, 1},
      {CommandCode::ReadValue, true, 1},       {CommandCode::ReadDtmfMemory, false, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NumberOffset(c.reply ? ReplyCode(c.code) : CodeByte(c.code)), c.offset) << int(CodeByte(c.code));
  }
}

}  // namespace
}  // namespace ostrin
