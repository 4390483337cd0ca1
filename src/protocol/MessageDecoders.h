// The decoders of the controller's read replies: each takes the reply bytes
// and gives the values that the parameter store receives. The write messages
// share these layouts, so the simulated controller decodes them here too.
//
// A decoder does not check the reply code or the number (the caller does);
// bytes beyond the reply's length read as 0.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "model/ParameterStore.h"

namespace ostrin {

struct FirmwareVersion {
  int major = 0;
  int minor = 0;
  int patch = 0;
};

// Characters of a code text reply, exactly the field's width of them (NULs included).
struct CodeTextReply {
  std::array<char, UnlockCodeLength> chars{};
  int width = 0;
  std::string_view text() const { return {chars.data(), static_cast<std::size_t>(width)}; }
};

// The start and stop of the pre-access range as three-digit texts ("%03d").
struct PreAccessRangeReply {
  std::array<char, 4> start{};
  std::array<char, 4> stop{};
};

FirmwareVersion DecodeVersionReply(const std::uint8_t* reply, int length);          // 101
std::uint16_t DecodeValueReply(const std::uint8_t* reply, int length);              // 102
CodeList DecodePortListReply(const std::uint8_t* reply, int length);                // 109
// Step 1 is bits 0..12 of the first word; its bits 13..15 become the macro's
// attributes in place (attribute bits 0..12 zero).
MacroRecord DecodeMacroReply(const std::uint8_t* reply, int length);                // 111
MessageMacroRecord DecodeMessageMacroReply(const std::uint8_t* reply, int length);  // 113
MeterRecord DecodeMeterReply(const std::uint8_t* reply, int length);                // 115
// The alarm number is byte 1; meter and macro are sent plus 1.
AnalogAlarmRecord DecodeAnalogAlarmReply(const std::uint8_t* reply, int length);    // 117
LogicAlarmRecord DecodeLogicAlarmReply(const std::uint8_t* reply, int length);      // 119
// The code of width characters from byte 3: 4 (121), 5 (125), 3 (129), 8 (123).
CodeTextReply DecodeCodeTextReply(const std::uint8_t* reply, int length, int width);
PreAccessRangeReply DecodePreAccessRangeReply(const std::uint8_t* reply, int length);  // 131
// Enabled is 1 when the macro byte is not 0.
SetpointRecord DecodeSetpointReply(const std::uint8_t* reply, int length);          // 133
DtmfMemoryRecord DecodeDtmfMemoryReply(const std::uint8_t* reply, int length);      // 135

}  // namespace ostrin
