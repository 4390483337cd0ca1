#include "sim/ControllerMemory.h"

#include <algorithm>
#include <array>
#include <span>
#include <string>

#include "datafile/DataFile.h"
#include "datafile/DataFileName.h"

namespace ostrin::sim {
namespace {

using C = CommandCode;

int portRelative(ParameterNumber n) { return n % 1000; }
bool isPortNumber(ParameterNumber n) { return n >= 1000 && n < 4000; }

bool servesValue(ParameterNumber n) {
  if (isPortNumber(n)) return portRelative(n) < PortListOffsetFirst || portRelative(n) > UnlockCodeOffset;
  const bool special = n == GlobalLockNumber || n == PadTestNumber || n == PreAccessNumber ||
                       n == PreAccessRangeNumber;
  return n >= 0 && n < FirstMacro && !special;
}
bool servesValueOrCommit(ParameterNumber n) { return n == CommitNumber || servesValue(n); }
bool servesPortList(ParameterNumber n) {
  return isPortNumber(n) && portRelative(n) >= PortListOffsetFirst && portRelative(n) <= PortListOffsetLast;
}
bool servesUnlockCode(ParameterNumber n) { return isPortNumber(n) && portRelative(n) == UnlockCodeOffset; }
template <ParameterNumber First, ParameterNumber Last>
bool servesRange(ParameterNumber n) {
  return n >= First && n <= Last;
}

struct RequestSpec {
  CommandCode code;
  int length;
  bool (*serves)(ParameterNumber);  // nullptr: the request carries no number
};

constexpr std::array<RequestSpec, 34> requestSpecs{{
    {C::QueryVersion, 1, nullptr},
    {C::ReadValue, 5, servesValue},
    {C::WriteValue, 5, servesValueOrCommit},
    {C::RestartController, 1, nullptr},
    {C::SetTime, 4, nullptr},
    {C::SetDate, 5, nullptr},
    {C::ReadPortList, 5, servesPortList},
    {C::WritePortList, 26, servesPortList},
    {C::ReadMacro, 5, servesRange<193, 282>},
    {C::WriteMacro, 41, servesRange<193, 282>},
    {C::ReadMessageMacro, 5, servesRange<283, 352>},
    {C::WriteMessageMacro, 23, servesRange<283, 352>},
    {C::ReadMeter, 13, servesRange<353, 360>},
    {C::WriteMeter, 13, servesRange<353, 360>},
    {C::ReadAnalogAlarm, 10, servesRange<361, 368>},
    {C::WriteAnalogAlarm, 10, servesRange<361, 368>},
    {C::ReadLogicAlarm, 9, servesRange<369, 393>},
    {C::WriteLogicAlarm, 9, servesRange<369, 393>},
    {C::ReadGlobalLock, 8, servesRange<GlobalLockNumber, GlobalLockNumber>},
    {C::WriteGlobalLock, 8, servesRange<GlobalLockNumber, GlobalLockNumber>},
    {C::ReadUnlockCode, 12, servesUnlockCode},
    {C::WriteUnlockCode, 12, servesUnlockCode},
    {C::ReadPadTestCode, 9, servesRange<PadTestNumber, PadTestNumber>},
    {C::WritePadTestCode, 9, servesRange<PadTestNumber, PadTestNumber>},
    {C::DefaultAll, 1, nullptr},
    {C::EraseAll, 1, nullptr},
    {C::ReadPreAccessCode, 6, servesRange<PreAccessNumber, PreAccessNumber>},
    {C::WritePreAccessCode, 6, servesRange<PreAccessNumber, PreAccessNumber>},
    {C::ReadPreAccessRange, 5, servesRange<PreAccessRangeNumber, PreAccessRangeNumber>},
    {C::WritePreAccessRange, 5, servesRange<PreAccessRangeNumber, PreAccessRangeNumber>},
    {C::ReadSetpoint, 8, servesRange<394, 433>},
    {C::WriteSetpoint, 8, servesRange<394, 433>},
    {C::ReadDtmfMemory, 14, servesRange<434, 999>},
    {C::WriteDtmfMemory, 14, servesRange<434, 999>},
}};

const RequestSpec* specOf(std::uint8_t code) {
  const auto found = std::find_if(requestSpecs.begin(), requestSpecs.end(),
                                  [code](const RequestSpec& spec) { return CodeByte(spec.code) == code; });
  return found == requestSpecs.end() ? nullptr : &*found;
}

// A reply laid out like the request's write message, with the reply code.
Message asReply(Message layout, CommandCode request) {
  layout.bytes[0] = ReplyCode(request);
  return layout;
}

Message codeOnly(CommandCode request) {
  Message reply;
  reply.bytes[0] = ReplyCode(request);
  reply.length = 1;
  return reply;
}

// A write reply: the reply code and the number written, then the rest of the
// request echoed where the number sits in bytes 1-2.
Message writeReply(CommandCode request, const std::uint8_t* bytes, int length, ParameterNumber n) {
  Message reply;
  if (NumberOffset(CodeByte(request)) == 1) {
    std::copy(bytes, bytes + length, reply.bytes.begin());
    reply.length = length;
  } else {
    reply.length = 3;
  }
  reply.bytes[0] = ReplyCode(request);
  reply.bytes[1] = static_cast<std::uint8_t>(n & 0xFF);
  reply.bytes[2] = static_cast<std::uint8_t>(n >> 8);
  return reply;
}

std::span<const std::int32_t> storedList(ParameterNumber n, const PortListBlock& block) {
  const int list = portRelative(n) - PortListOffsetFirst;
  if (list < 6) {
    const auto& voice = block.voice[static_cast<std::size_t>(list)];
    return std::span(voice.codes).first(static_cast<std::size_t>(std::clamp(voice.count, 0, VoiceListCapacity)));
  }
  const auto& cw = block.cw[static_cast<std::size_t>(list - 6)];
  return std::span(cw.codes).first(static_cast<std::size_t>(std::clamp(cw.count, 0, CwListCapacity)));
}

Message readReply(CommandCode code, ParameterNumber n) {
  switch (code) {
    case C::ReadValue: return asReply(WriteValue(n, GetValue(n).current & 0xFFFF), code);
    case C::ReadPortList: {
      const PortListBlock block = GetPortLists(n);
      return asReply(WritePortList(n, storedList(n, block)), code);
    }
    case C::ReadMacro: return asReply(WriteMacro(n, GetMacro(n)), code);
    case C::ReadMessageMacro: return asReply(WriteMessageMacro(n, GetMessageMacro(n)), code);
    case C::ReadMeter: return asReply(WriteMeter(n, GetAnalogRecord(n).meter), code);
    case C::ReadAnalogAlarm: {
      Message reply = asReply(WriteAnalogAlarm(n, GetAnalogRecord(n).alarm), code);
      reply.bytes[1] = static_cast<std::uint8_t>(n - FirstAnalogAlarm + 1);
      return reply;
    }
    case C::ReadLogicAlarm: return asReply(WriteLogicAlarm(n, GetLogicAlarm(n)), code);
    case C::ReadGlobalLock: return asReply(WriteGlobalLock(n, GetCodeText(n)), code);
    case C::ReadUnlockCode: return asReply(WriteUnlockCode(n, GetUnlockCode(n)), code);
    case C::ReadPadTestCode: return asReply(WritePadTestCode(n, GetCodeText(n)), code);
    case C::ReadPreAccessCode: return asReply(WritePreAccessCode(n, GetCodeText(n)), code);
    case C::ReadPreAccessRange: return asReply(WritePreAccessRange(n, GetPreAccessRange()), code);
    case C::ReadSetpoint: return asReply(WriteSetpoint(n, GetSetpoint(n)), code);
    case C::ReadDtmfMemory: return asReply(WriteDtmfMemory(n, GetDtmfMemory(n)), code);
    default: return {};
  }
}

// Applies a write to the memory; false for a request that is not a parameter write.
bool applyWrite(CommandCode code, ParameterNumber n, const std::uint8_t* r, int length) {
  switch (code) {
    case C::WriteValue: SetValue(n, MessageWord(r, length, 3)); return true;
    case C::WritePortList: {
      CodeList list = DecodePortListReply(r, length);
      list.count = std::min(list.count, PortListMessageEntries);
      SetPortList(n, list);
      return true;
    }
    case C::WriteMacro: SetMacro(n, DecodeMacroReply(r, length)); return true;
    case C::WriteMessageMacro: SetMessageMacro(n, DecodeMessageMacroReply(r, length)); return true;
    case C::WriteMeter: SetMeter(n, DecodeMeterReply(r, length)); return true;
    case C::WriteAnalogAlarm: {
      AnalogAlarmRecord alarm = DecodeAnalogAlarmReply(r, length);
      alarm.alarmNumber = n - FirstAnalogAlarm + 1;
      SetAnalogAlarm(n, alarm);
      return true;
    }
    case C::WriteLogicAlarm: {
      const LogicAlarmRecord alarm = DecodeLogicAlarmReply(r, length);
      SetLogicAlarm(n, alarm.enabled, alarm.highToLowMacro, alarm.lowToHighMacro);
      return true;
    }
    case C::WriteGlobalLock:
    case C::WritePadTestCode:
    case C::WritePreAccessCode:
      SetCodeText(n, DecodeCodeTextReply(r, length, CodeTextWidth(n)).text());
      return true;
    case C::WriteUnlockCode: SetUnlockCode(n, DecodeCodeTextReply(r, length, UnlockCodeLength).text()); return true;
    case C::WritePreAccessRange: {
      const PreAccessRangeReply range = DecodePreAccessRangeReply(r, length);
      SetCodeText(n, range.start.data(), range.stop.data());
      return true;
    }
    case C::WriteSetpoint: SetSetpoint(n, DecodeSetpointReply(r, length)); return true;
    case C::WriteDtmfMemory: SetDtmfMemory(n, DecodeDtmfMemoryReply(r, length)); return true;
    default: return false;
  }
}

}  // namespace

void LoadFactoryDefaults() {
  SetCurrentDataFileName(std::string(NotYetDefined));
  ResetStore();
  LoadAllCategories();
}

Message ControllerMemory::Answer(const std::uint8_t* request, int length) {
  if (length < 1) return {};
  const RequestSpec* spec = specOf(request[0]);
  if (!spec || length != spec->length) return {};
  const CommandCode code = spec->code;
  if (!spec->serves) return Respond(code, 0, request, length);
  const ParameterNumber n = MessageWord(request, length, NumberOffset(request[0]));
  if (!spec->serves(n)) return {};
  if (code == C::ReadUnlockCode || code == C::WriteUnlockCode) {
    if (request[11] != n / 1000 - 1) return {};
  }
  return Respond(code, n, request, length);
}

Message ControllerMemory::Respond(CommandCode code, ParameterNumber n, const std::uint8_t* request,
                                      int length) {
  switch (code) {
    case C::QueryVersion: {
      Message reply = codeOnly(code);
      reply.bytes[1] = static_cast<std::uint8_t>(firmware_.major);
      reply.bytes[2] = static_cast<std::uint8_t>(firmware_.minor);
      reply.bytes[3] = static_cast<std::uint8_t>(firmware_.patch);
      reply.length = 4;
      return reply;
    }
    case C::RestartController:
    case C::SetTime:
    case C::SetDate:
      return codeOnly(code);
    case C::DefaultAll:
      LoadFactoryDefaults();
      return codeOnly(code);
    case C::EraseAll:
      ResetStore();
      return codeOnly(code);
    default:
      break;
  }
  if (code == C::WriteValue && n == CommitNumber) {
    ++commits_;
    return writeReply(code, request, length, n);
  }
  if (applyWrite(code, n, request, length)) return writeReply(code, request, length, n);
  return readReply(code, n);
}

}  // namespace ostrin::sim
