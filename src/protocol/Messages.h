// The controller's command set and the builders of its request payloads.
//
// Byte 0 of every payload is the command code; the controller answers code C
// with reply code C + 100. Parameter numbers and 16-bit values are unsigned
// little-endian; a stored 32-bit value is sent as its low 16 bits. Each
// builder returns the whole payload in a fixed buffer (nothing allocates).
// Builders never fail: a number outside the message's range is laid out all
// the same, and the caller chooses the message by the number.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "model/ParameterStore.h"

namespace ostrin {

enum class CommandCode : std::uint8_t {
  QueryVersion = 1,
  ReadValue = 2,
  WriteValue = 3,
  RestartController = 4,
  SetTime = 5,
  SetDate = 7,
  ReadPortList = 9,
  WritePortList = 10,
  ReadMacro = 11,
  WriteMacro = 12,
  ReadMessageMacro = 13,
  WriteMessageMacro = 14,
  ReadMeter = 15,
  WriteMeter = 16,
  ReadAnalogAlarm = 17,
  WriteAnalogAlarm = 18,
  ReadLogicAlarm = 19,
  WriteLogicAlarm = 20,
  ReadGlobalLock = 21,
  WriteGlobalLock = 22,
  ReadUnlockCode = 23,
  WriteUnlockCode = 24,
  ReadPadTestCode = 25,
  WritePadTestCode = 26,
  DefaultAll = 27,
  EraseAll = 28,
  ReadPreAccessCode = 29,
  WritePreAccessCode = 30,
  ReadPreAccessRange = 31,
  WritePreAccessRange = 32,
  ReadSetpoint = 33,
  WriteSetpoint = 34,
  ReadDtmfMemory = 35,
  WriteDtmfMemory = 36,
};

inline constexpr std::uint8_t ReplyOffset = 100;
constexpr std::uint8_t CodeByte(CommandCode code) { return static_cast<std::uint8_t>(code); }
constexpr std::uint8_t ReplyCode(CommandCode code) {
  return static_cast<std::uint8_t>(CodeByte(code) + ReplyOffset);
}

// The number that WriteValue carries as the commit request.
inline constexpr ParameterNumber CommitNumber = 0xFFFF;
// Entries a WritePortList message carries at most.
inline constexpr int PortListMessageEntries = 22;
// Bits 13..15 of a macro's attributes travel in bits 13..15 of its first step word.
inline constexpr std::uint32_t AllowedPortsBits = 0xE000u;
inline constexpr std::uint32_t StepBits = 0x1FFFu;

// The longest message the system builds is WriteMacro, 41 bytes.
inline constexpr int MessageCapacity = 48;

struct Message {
  std::array<std::uint8_t, MessageCapacity> bytes{};
  int length = 0;
  const std::uint8_t* data() const { return bytes.data(); }
};

// Where the ParameterNumber sits in a message of that code (request or reply):
// bytes 11-12 of meter messages, 8-9 of analog alarm messages, 7-8 of logic
// alarm messages (their write replies excepted), bytes 1-2 everywhere else.
int NumberOffset(std::uint8_t code);

// The 16-bit field of a message; bytes beyond length read as 0.
std::uint16_t MessageWord(const std::uint8_t* message, int length, int offset);
std::uint8_t MessageByte(const std::uint8_t* message, int length, int offset);

// --- Maintenance requests ---
Message QueryVersion();
Message RestartController();
// Hour, minute, second of the installed local clock; 0xFF for an unknown field.
Message SetTime();
// Day, month and full year of the installed local clock; 0 for an unknown field.
Message SetDate();
Message DefaultAll();
Message EraseAll();

// --- Parameter requests ---
Message ReadValue(ParameterNumber n);
Message WriteValue(ParameterNumber n, std::int32_t value);

Message ReadPortList(ParameterNumber n);
// The codes are the list's entries; at most PortListMessageEntries are sent,
// and the count byte says how many. The bytes after the last entry are 0.
Message WritePortList(ParameterNumber n, std::span<const std::int32_t> codes);

Message ReadMacro(ParameterNumber n);
// Step 1 is sent with the allowed-ports bits of the macro's attributes OR-ed in.
Message WriteMacro(ParameterNumber n, const MacroRecord& record);

Message ReadMessageMacro(ParameterNumber n);
Message WriteMessageMacro(ParameterNumber n, const MessageMacroRecord& record);

Message ReadMeter(ParameterNumber n);
Message WriteMeter(ParameterNumber n, const MeterRecord& record);

Message ReadAnalogAlarm(ParameterNumber n);
Message WriteAnalogAlarm(ParameterNumber n, const AnalogAlarmRecord& record);

Message ReadLogicAlarm(ParameterNumber n);
Message WriteLogicAlarm(ParameterNumber n, const LogicAlarmRecord& record);

Message ReadGlobalLock(ParameterNumber n);
Message WriteGlobalLock(ParameterNumber n, const CodeTextRecord& record);

// The port index (0, 1, 2 for 1057, 2057, 3057) is in byte 11 of both.
Message ReadUnlockCode(ParameterNumber n);
Message WriteUnlockCode(ParameterNumber n, const UnlockCodeRecord& record);

Message ReadPadTestCode(ParameterNumber n);
Message WritePadTestCode(ParameterNumber n, const CodeTextRecord& record);

Message ReadPreAccessCode(ParameterNumber n);
Message WritePreAccessCode(ParameterNumber n, const CodeTextRecord& record);

Message ReadPreAccessRange(ParameterNumber n);
// Each text is sent as one byte of its leading decimal number (0 when there is none).
Message WritePreAccessRange(ParameterNumber n, const PreAccessRangeRecord& record);

Message ReadSetpoint(ParameterNumber n);
// The enabled field is not sent.
Message WriteSetpoint(ParameterNumber n, const SetpointRecord& record);

Message ReadDtmfMemory(ParameterNumber n);
Message WriteDtmfMemory(ParameterNumber n, const DtmfMemoryRecord& record);

}  // namespace ostrin
