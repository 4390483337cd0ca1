#include "protocol/MessageDecoders.h"

#include <cstdio>

#include "protocol/Messages.h"

namespace ostrin {
namespace {

// Reads the fields of one reply; bytes beyond its length read as 0.
class Fields {
 public:
  Fields(const std::uint8_t* reply, int length) : reply_(reply), length_(length) {}
  std::int32_t Byte(int offset) const { return MessageByte(reply_, length_, offset); }
  std::int32_t Word(int offset) const { return MessageWord(reply_, length_, offset); }

 private:
  const std::uint8_t* reply_;
  int length_;
};

void formatRangeText(std::array<char, 4>& text, int value) {
  std::snprintf(text.data(), text.size(), "%03d", value);
}

}  // namespace

FirmwareVersion DecodeVersionReply(const std::uint8_t* reply, int length) {
  const Fields f(reply, length);
  return {f.Byte(1), f.Byte(2), f.Byte(3)};
}

std::uint16_t DecodeValueReply(const std::uint8_t* reply, int length) {
  return MessageWord(reply, length, 3);
}

CodeList DecodePortListReply(const std::uint8_t* reply, int length) {
  const Fields f(reply, length);
  CodeList list;
  list.count = f.Byte(3);
  for (int i = 0; i < PortListMessageEntries; ++i) list.codes[static_cast<std::size_t>(i)] = f.Byte(4 + i);
  return list;
}

MacroRecord DecodeMacroReply(const std::uint8_t* reply, int length) {
  const Fields f(reply, length);
  MacroRecord record;
  for (int i = 0; i < MacroStepCount; ++i) record.steps[static_cast<std::size_t>(i)] = f.Word(3 + 2 * i);
  const auto first = static_cast<std::uint32_t>(record.steps[0]);
  record.steps[0] = static_cast<std::int32_t>(first & StepBits);
  SetMacroAttributes(record, first & AllowedPortsBits);
  for (int i = 0; i < MacroCodeLength; ++i) record.dtmf[i] = static_cast<char>(f.Byte(33 + i));
  return record;
}

MessageMacroRecord DecodeMessageMacroReply(const std::uint8_t* reply, int length) {
  const Fields f(reply, length);
  MessageMacroRecord record;
  record.size = f.Word(3);
  for (int i = 0; i < MessageWordCapacity; ++i) record.words[static_cast<std::size_t>(i)] = f.Word(5 + 2 * i);
  return record;
}

MeterRecord DecodeMeterReply(const std::uint8_t* reply, int length) {
  const Fields f(reply, length);
  MeterRecord record;
  record.type = f.Byte(2);
  record.actualLow = f.Word(3);
  record.meterLow = f.Word(5);
  record.actualHigh = f.Word(7);
  record.meterHigh = f.Word(9);
  return record;
}

AnalogAlarmRecord DecodeAnalogAlarmReply(const std::uint8_t* reply, int length) {
  const Fields f(reply, length);
  AnalogAlarmRecord record;
  record.alarmNumber = f.Byte(1);
  record.meter = f.Byte(2) - 1;
  record.type = f.Byte(3);
  record.tripValue = f.Word(4);
  record.macro = f.Word(6) - 1;
  return record;
}

LogicAlarmRecord DecodeLogicAlarmReply(const std::uint8_t* reply, int length) {
  const Fields f(reply, length);
  LogicAlarmRecord record;
  record.enabled = f.Byte(2);
  record.lowToHighMacro = f.Word(3);
  record.highToLowMacro = f.Word(5);
  return record;
}

CodeTextReply DecodeCodeTextReply(const std::uint8_t* reply, int length, int width) {
  const Fields f(reply, length);
  CodeTextReply code;
  code.width = width < 0 ? 0 : width > UnlockCodeLength ? UnlockCodeLength : width;
  for (int i = 0; i < code.width; ++i) code.chars[static_cast<std::size_t>(i)] = static_cast<char>(f.Byte(3 + i));
  return code;
}

PreAccessRangeReply DecodePreAccessRangeReply(const std::uint8_t* reply, int length) {
  const Fields f(reply, length);
  PreAccessRangeReply range;
  formatRangeText(range.start, f.Byte(3));
  formatRangeText(range.stop, f.Byte(4));
  return range;
}

SetpointRecord DecodeSetpointReply(const std::uint8_t* reply, int length) {
  const Fields f(reply, length);
  SetpointRecord record;
  record.dayOfWeek = f.Byte(3);
  record.monthOfYear = f.Byte(4);
  record.hours = f.Byte(5);
  record.minutes = f.Byte(6);
  record.macro = f.Byte(7);
  record.enabled = record.macro != 0 ? 1 : 0;
  return record;
}

DtmfMemoryRecord DecodeDtmfMemoryReply(const std::uint8_t* reply, int length) {
  const Fields f(reply, length);
  DtmfMemoryRecord record;
  for (int i = 0; i < DtmfDigitCapacity; ++i) record.digits[static_cast<std::size_t>(i)] = f.Byte(3 + i);
  record.count = f.Byte(13);
  return record;
}

}  // namespace ostrin
