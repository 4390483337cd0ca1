#include "protocol/Messages.h"

#include <algorithm>
#include <cstdlib>

#include "protocol/LocalClock.h"

namespace ostrin {
namespace {

// Builds one payload: the code at byte 0, the number in its place, zeros elsewhere.
class Layout {
 public:
  Layout(CommandCode code, int length) {
    message_.bytes[0] = CodeByte(code);
    message_.length = length;
  }
  Layout(CommandCode code, int length, ParameterNumber n) : Layout(code, length) {
    Word(NumberOffset(CodeByte(code)), n);
  }

  Layout& Byte(int offset, std::int32_t value) {
    message_.bytes[static_cast<std::size_t>(offset)] = static_cast<std::uint8_t>(value & 0xFF);
    return *this;
  }
  Layout& Word(int offset, std::int32_t value) {
    Byte(offset, value);
    return Byte(offset + 1, value >> 8);
  }
  Layout& Chars(int offset, const char* chars, int count) {
    for (int i = 0; i < count; ++i) Byte(offset + i, static_cast<unsigned char>(chars[i]));
    return *this;
  }
  Message Done() const { return message_; }

 private:
  Message message_;
};

constexpr int ShortReadLength = 5;

// A request with the length and shape of its write message: only the number
// (and, for the unlock code, the port index) is filled in.
Message numberOnly(CommandCode code, int length, ParameterNumber n) {
  return Layout(code, length, n).Done();
}

int rangeByte(const char* text) {
  char digits[4] = {text[0], text[1], text[2], '\0'};
  return static_cast<int>(std::strtol(digits, nullptr, 10));
}

int portIndexOf(ParameterNumber n) { return n / 1000 - 1; }

}  // namespace

int NumberOffset(std::uint8_t code) {
  switch (code) {
    case CodeByte(CommandCode::ReadMeter):
    case CodeByte(CommandCode::WriteMeter):
    case ReplyCode(CommandCode::ReadMeter):
      return 11;
    case CodeByte(CommandCode::ReadAnalogAlarm):
    case CodeByte(CommandCode::WriteAnalogAlarm):
    case ReplyCode(CommandCode::ReadAnalogAlarm):
      return 8;
    case CodeByte(CommandCode::ReadLogicAlarm):
    case CodeByte(CommandCode::WriteLogicAlarm):
    case ReplyCode(CommandCode::ReadLogicAlarm):
      return 7;
    default:
      return 1;
  }
}

std::uint8_t MessageByte(const std::uint8_t* message, int length, int offset) {
  return offset >= 0 && offset < length ? message[offset] : 0;
}

std::uint16_t MessageWord(const std::uint8_t* message, int length, int offset) {
  return static_cast<std::uint16_t>(MessageByte(message, length, offset) |
                                    MessageByte(message, length, offset + 1) << 8);
}

Message QueryVersion() { return Layout(CommandCode::QueryVersion, 1).Done(); }
Message RestartController() { return Layout(CommandCode::RestartController, 1).Done(); }
Message DefaultAll() { return Layout(CommandCode::DefaultAll, 1).Done(); }
Message EraseAll() { return Layout(CommandCode::EraseAll, 1).Done(); }

Message SetTime() {
  const LocalDateTime now = CurrentClock().Now();
  auto field = [](int value) { return value < 0 ? 0xFF : value; };
  return Layout(CommandCode::SetTime, 4)
      .Byte(1, field(now.hour))
      .Byte(2, field(now.minute))
      .Byte(3, field(now.second))
      .Done();
}

Message SetDate() {
  const LocalDateTime now = CurrentClock().Now();
  auto field = [](int value) { return value < 0 ? 0 : value; };
  return Layout(CommandCode::SetDate, 5)
      .Byte(1, field(now.day))
      .Byte(2, field(now.month))
      .Word(3, field(now.year))
      .Done();
}

Message ReadValue(ParameterNumber n) { return numberOnly(CommandCode::ReadValue, ShortReadLength, n); }

Message WriteValue(ParameterNumber n, std::int32_t value) {
  return Layout(CommandCode::WriteValue, 5, n).Word(3, value).Done();
}

Message ReadPortList(ParameterNumber n) {
  return numberOnly(CommandCode::ReadPortList, ShortReadLength, n);
}

Message WritePortList(ParameterNumber n, std::span<const std::int32_t> codes) {
  const int count = std::min(static_cast<int>(codes.size()), PortListMessageEntries);
  Layout layout(CommandCode::WritePortList, 26, n);
  layout.Byte(3, count);
  for (int i = 0; i < count; ++i) layout.Byte(4 + i, codes[static_cast<std::size_t>(i)]);
  return layout.Done();
}

Message ReadMacro(ParameterNumber n) { return numberOnly(CommandCode::ReadMacro, ShortReadLength, n); }

Message WriteMacro(ParameterNumber n, const MacroRecord& record) {
  Layout layout(CommandCode::WriteMacro, 41, n);
  for (int i = 0; i < MacroStepCount; ++i) layout.Word(3 + 2 * i, record.steps[static_cast<std::size_t>(i)]);
  const auto allowedPorts = static_cast<std::int32_t>(MacroAttributes(record) & AllowedPortsBits);
  layout.Word(3, record.steps[0] | allowedPorts);
  return layout.Chars(33, record.dtmf, MacroCodeLength).Done();
}

Message ReadMessageMacro(ParameterNumber n) {
  return numberOnly(CommandCode::ReadMessageMacro, ShortReadLength, n);
}

Message WriteMessageMacro(ParameterNumber n, const MessageMacroRecord& record) {
  Layout layout(CommandCode::WriteMessageMacro, 23, n);
  layout.Word(3, record.size);
  for (int i = 0; i < MessageWordCapacity; ++i) layout.Word(5 + 2 * i, record.words[static_cast<std::size_t>(i)]);
  return layout.Done();
}

Message ReadMeter(ParameterNumber n) { return numberOnly(CommandCode::ReadMeter, 13, n); }

Message WriteMeter(ParameterNumber n, const MeterRecord& record) {
  return Layout(CommandCode::WriteMeter, 13, n)
      .Byte(1, FirstMeter - n)
      .Byte(2, record.type)
      .Word(3, record.actualLow)
      .Word(5, record.meterLow)
      .Word(7, record.actualHigh)
      .Word(9, record.meterHigh)
      .Done();
}

Message ReadAnalogAlarm(ParameterNumber n) { return numberOnly(CommandCode::ReadAnalogAlarm, 10, n); }

Message WriteAnalogAlarm(ParameterNumber n, const AnalogAlarmRecord& record) {
  return Layout(CommandCode::WriteAnalogAlarm, 10, n)
      .Byte(1, FirstAnalogAlarm - n)
      .Byte(2, record.meter + 1)
      .Byte(3, record.type)
      .Word(4, record.tripValue)
      .Word(6, record.macro + 1)
      .Done();
}

Message ReadLogicAlarm(ParameterNumber n) { return numberOnly(CommandCode::ReadLogicAlarm, 9, n); }

Message WriteLogicAlarm(ParameterNumber n, const LogicAlarmRecord& record) {
  return Layout(CommandCode::WriteLogicAlarm, 9, n)
      .Byte(1, FirstLogicAlarm - n)
      .Byte(2, record.enabled)
      .Word(3, record.lowToHighMacro)
      .Word(5, record.highToLowMacro)
      .Done();
}

Message ReadGlobalLock(ParameterNumber n) { return numberOnly(CommandCode::ReadGlobalLock, 8, n); }

Message WriteGlobalLock(ParameterNumber n, const CodeTextRecord& record) {
  return Layout(CommandCode::WriteGlobalLock, 8, n).Chars(3, record.current, 4).Done();
}

Message ReadUnlockCode(ParameterNumber n) {
  return Layout(CommandCode::ReadUnlockCode, 12, n).Byte(11, portIndexOf(n)).Done();
}

Message WriteUnlockCode(ParameterNumber n, const UnlockCodeRecord& record) {
  return Layout(CommandCode::WriteUnlockCode, 12, n)
      .Chars(3, record.current, UnlockCodeLength)
      .Byte(11, portIndexOf(n))
      .Done();
}

Message ReadPadTestCode(ParameterNumber n) { return numberOnly(CommandCode::ReadPadTestCode, 9, n); }

Message WritePadTestCode(ParameterNumber n, const CodeTextRecord& record) {
  return Layout(CommandCode::WritePadTestCode, 9, n).Chars(3, record.current, 5).Done();
}

Message ReadPreAccessCode(ParameterNumber n) { return numberOnly(CommandCode::ReadPreAccessCode, 6, n); }

Message WritePreAccessCode(ParameterNumber n, const CodeTextRecord& record) {
  return Layout(CommandCode::WritePreAccessCode, 6, n).Chars(3, record.current, 3).Done();
}

Message ReadPreAccessRange(ParameterNumber n) { return numberOnly(CommandCode::ReadPreAccessRange, 5, n); }

Message WritePreAccessRange(ParameterNumber n, const PreAccessRangeRecord& record) {
  return Layout(CommandCode::WritePreAccessRange, 5, n)
      .Byte(3, rangeByte(record.currentStart))
      .Byte(4, rangeByte(record.currentStop))
      .Done();
}

Message ReadSetpoint(ParameterNumber n) { return numberOnly(CommandCode::ReadSetpoint, 8, n); }

Message WriteSetpoint(ParameterNumber n, const SetpointRecord& record) {
  return Layout(CommandCode::WriteSetpoint, 8, n)
      .Byte(3, record.dayOfWeek)
      .Byte(4, record.monthOfYear)
      .Byte(5, record.hours)
      .Byte(6, record.minutes)
      .Byte(7, record.macro)
      .Done();
}

Message ReadDtmfMemory(ParameterNumber n) { return numberOnly(CommandCode::ReadDtmfMemory, 14, n); }

Message WriteDtmfMemory(ParameterNumber n, const DtmfMemoryRecord& record) {
  Layout layout(CommandCode::WriteDtmfMemory, 14, n);
  for (int i = 0; i < DtmfDigitCapacity; ++i) layout.Byte(3 + i, record.digits[static_cast<std::size_t>(i)]);
  return layout.Byte(13, record.count).Done();
}

}  // namespace ostrin
