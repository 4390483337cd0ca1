#include "protocol/ParameterIo.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <span>
#include <string>

#include "link/SerialLink.h"
#include "model/FrontEnd.h"
#include "protocol/MessageDecoders.h"
#include "protocol/MessageText.h"

namespace ostrin {
namespace {

constexpr int ReplyCapacity = 1024;
constexpr int WriteReplyLength = 3;  // the code and the number written

// What travels for one kind: its two commands, how much of a read reply is
// used, how its read request and write message are made and how a read reply
// is stored.
struct KindRow {
  CommandCode read;
  CommandCode write;
  int (*usedReplyLength)(const std::uint8_t* reply, int count);
  Message (*buildRead)(ParameterNumber n);
  bool (*buildWrite)(ParameterNumber n, Message& message);
  void (*store)(ParameterNumber n, const std::uint8_t* reply, int count);
};

template <int Length>
int fixedLength(const std::uint8_t*, int) {
  return Length;
}

int portListLength(const std::uint8_t* reply, int count) {
  return 4 + std::min<int>(MessageByte(reply, count, 3), PortListMessageEntries);
}

bool valueWrite(ParameterNumber n, Message& m) {
  m = WriteValue(n, n == CommitNumber ? 0 : GetValue(n).current);
  return true;
}

bool portListWrite(ParameterNumber n, Message& m) {
  const PortListBlock block = GetPortLists(n);
  const int list = n % 1000 - PortListOffsetFirst;
  std::span<const std::int32_t> codes;
  if (list < 6) {
    const auto& voice = block.voice[static_cast<std::size_t>(list)];
    codes = std::span(voice.codes).first(static_cast<std::size_t>(std::clamp(voice.count, 0, VoiceListCapacity)));
  } else {
    const auto& cw = block.cw[static_cast<std::size_t>(list - 6)];
    codes = std::span(cw.codes).first(static_cast<std::size_t>(std::clamp(cw.count, 0, CwListCapacity)));
  }
  if (codes.empty()) return false;
  m = WritePortList(n, codes);
  return true;
}

bool unlockWrite(ParameterNumber n, Message& m) {
  m = WriteUnlockCode(n, GetUnlockCode(n));
  return true;
}
bool dtmfWrite(ParameterNumber n, Message& m) {
  m = WriteDtmfMemory(n, GetDtmfMemory(n));
  return true;
}
bool setpointWrite(ParameterNumber n, Message& m) {
  m = WriteSetpoint(n, GetSetpoint(n));
  return true;
}
bool preAccessWrite(ParameterNumber n, Message& m) {
  m = WritePreAccessCode(n, GetCodeText(n));
  return true;
}
bool rangeWrite(ParameterNumber n, Message& m) {
  m = WritePreAccessRange(n, GetPreAccessRange());
  return true;
}
bool padTestWrite(ParameterNumber n, Message& m) {
  m = WritePadTestCode(n, GetCodeText(n));
  return true;
}
bool globalLockWrite(ParameterNumber n, Message& m) {
  m = WriteGlobalLock(n, GetCodeText(n));
  return true;
}
bool logicAlarmWrite(ParameterNumber n, Message& m) {
  m = WriteLogicAlarm(n, GetLogicAlarm(n));
  return true;
}
bool analogAlarmWrite(ParameterNumber n, Message& m) {
  m = WriteAnalogAlarm(n, GetAnalogRecord(n).alarm);
  return true;
}
bool meterWrite(ParameterNumber n, Message& m) {
  m = WriteMeter(n, GetAnalogRecord(n).meter);
  return true;
}
bool messageMacroWrite(ParameterNumber n, Message& m) {
  m = WriteMessageMacro(n, GetMessageMacro(n));
  return true;
}
bool macroWrite(ParameterNumber n, Message& m) {
  m = WriteMacro(n, GetMacro(n));
  return true;
}

void storeValue(ParameterNumber n, const std::uint8_t* r, int c) { SetValue(n, DecodeValueReply(r, c)); }
void storePortList(ParameterNumber n, const std::uint8_t* r, int c) { SetPortList(n, DecodePortListReply(r, c)); }
void storeUnlock(ParameterNumber n, const std::uint8_t* r, int c) {
  SetUnlockCode(n, DecodeCodeTextReply(r, c, UnlockCodeLength).text());
}
void storeDtmf(ParameterNumber n, const std::uint8_t* r, int c) { SetDtmfMemory(n, DecodeDtmfMemoryReply(r, c)); }
void storeSetpoint(ParameterNumber n, const std::uint8_t* r, int c) { SetSetpoint(n, DecodeSetpointReply(r, c)); }
void storeCodeText(ParameterNumber n, const std::uint8_t* r, int c) {
  SetCodeText(n, DecodeCodeTextReply(r, c, CodeTextWidth(n)).text());
}
void storeRange(ParameterNumber n, const std::uint8_t* r, int c) {
  const PreAccessRangeReply range = DecodePreAccessRangeReply(r, c);
  SetCodeText(n, range.start.data(), range.stop.data());
}
void storeLogicAlarm(ParameterNumber n, const std::uint8_t* r, int c) {
  const LogicAlarmRecord alarm = DecodeLogicAlarmReply(r, c);
  SetLogicAlarm(n, alarm.enabled, alarm.highToLowMacro, alarm.lowToHighMacro);
}
void storeAnalogAlarm(ParameterNumber n, const std::uint8_t* r, int c) {
  SetAnalogAlarm(n, DecodeAnalogAlarmReply(r, c));
}
void storeMeter(ParameterNumber n, const std::uint8_t* r, int c) { SetMeter(n, DecodeMeterReply(r, c)); }
void storeMessageMacro(ParameterNumber n, const std::uint8_t* r, int c) {
  SetMessageMacro(n, DecodeMessageMacroReply(r, c));
}
void storeMacro(ParameterNumber n, const std::uint8_t* r, int c) { SetMacro(n, DecodeMacroReply(r, c)); }

using C = CommandCode;

// In the order of ParameterKind.
constexpr std::array<KindRow, 14> kindTable{{
    {C::ReadPortList, C::WritePortList, portListLength, ReadPortList, portListWrite, storePortList},
    {C::ReadUnlockCode, C::WriteUnlockCode, fixedLength<11>, ReadUnlockCode, unlockWrite, storeUnlock},
    {C::ReadValue, C::WriteValue, fixedLength<5>, ReadValue, valueWrite, storeValue},
    {C::ReadDtmfMemory, C::WriteDtmfMemory, fixedLength<14>, ReadDtmfMemory, dtmfWrite, storeDtmf},
    {C::ReadSetpoint, C::WriteSetpoint, fixedLength<8>, ReadSetpoint, setpointWrite, storeSetpoint},
    {C::ReadPreAccessCode, C::WritePreAccessCode, fixedLength<6>, ReadPreAccessCode, preAccessWrite,
     storeCodeText},
    {C::ReadPreAccessRange, C::WritePreAccessRange, fixedLength<5>, ReadPreAccessRange, rangeWrite,
     storeRange},
    {C::ReadPadTestCode, C::WritePadTestCode, fixedLength<8>, ReadPadTestCode, padTestWrite, storeCodeText},
    {C::ReadGlobalLock, C::WriteGlobalLock, fixedLength<7>, ReadGlobalLock, globalLockWrite, storeCodeText},
    {C::ReadLogicAlarm, C::WriteLogicAlarm, fixedLength<9>, ReadLogicAlarm, logicAlarmWrite, storeLogicAlarm},
    {C::ReadAnalogAlarm, C::WriteAnalogAlarm, fixedLength<10>, ReadAnalogAlarm, analogAlarmWrite,
     storeAnalogAlarm},
    {C::ReadMeter, C::WriteMeter, fixedLength<13>, ReadMeter, meterWrite, storeMeter},
    {C::ReadMessageMacro, C::WriteMessageMacro, fixedLength<23>, ReadMessageMacro, messageMacroWrite,
     storeMessageMacro},
    {C::ReadMacro, C::WriteMacro, fixedLength<41>, ReadMacro, macroWrite, storeMacro},
}};

const KindRow& rowOf(ParameterNumber n) { return kindTable[static_cast<std::size_t>(KindOfNumber(n))]; }

int portRelative(ParameterNumber n) { return n < 2000 ? n - 1000 : n < 3000 ? n - 2000 : n - 3000; }

bool replyCarries(ParameterNumber n, std::uint8_t code, const std::uint8_t* reply, int count, int used) {
  if (count < used || count < 1 || reply[0] != code) return false;
  return MessageWord(reply, count, NumberOffset(code)) == n;
}

void appendStatus(const std::string& text) { CurrentFrontEnd().AppendStatus(text); }

std::string prefixText(const char* verb, ParameterNumber n, const Message& message) {
  char prefix[32];
  std::snprintf(prefix, sizeof prefix, "%s Par%d:[", verb, n);
  return prefix + MessageText(message.data(), message.length) + "]";
}

// Runs the exchange and logs its outcome; true when a reply came and passed the check.
template <typename Check>
bool exchange(const Message& message, TransactionFunction transaction, std::uint8_t* reply, int& count,
              Check accepted) {
  if (transaction(message.data(), message.length, reply, ReplyCapacity, count) != 1) {
    appendStatus(" No Response\r\n");
    return false;
  }
  appendStatus(" Resp:[" + MessageText(reply, count) + "]");
  if (!accepted(reply, count)) {
    appendStatus(" No Response\r\n");
    return false;
  }
  return true;
}

int linkTransaction(const std::uint8_t* request, int length, std::uint8_t* reply, int capacity, int& count) {
  return RunTransaction(request, length, reply, capacity, count);
}

}  // namespace

ParameterKind KindOfNumber(ParameterNumber n) {
  using K = ParameterKind;
  if (n >= 1000) {
    const int relative = portRelative(n);
    if (relative >= PortListOffsetFirst && relative <= PortListOffsetLast) return K::PortList;
    return relative == UnlockCodeOffset ? K::UnlockCode : K::Value;
  }
  if (n >= FirstDtmfMemory) return K::DtmfMemory;
  if (n >= FirstSetpoint) return K::Setpoint;
  if (n == PreAccessNumber) return K::PreAccessCode;
  if (n == PreAccessRangeNumber) return K::PreAccessRange;
  if (n == PadTestNumber) return K::PadTestCode;
  if (n == GlobalLockNumber) return K::GlobalLock;
  if (n >= FirstLogicAlarm) return K::LogicAlarm;
  if (n >= FirstAnalogAlarm) return K::AnalogAlarm;
  if (n >= FirstMeter) return K::Meter;
  if (n >= FirstMessageMacro) return K::MessageMacro;
  if (n >= FirstMacro) return K::Macro;
  return K::Value;
}

CommandCode ReadCommandOf(ParameterKind kind) { return kindTable[static_cast<std::size_t>(kind)].read; }
CommandCode WriteCommandOf(ParameterKind kind) { return kindTable[static_cast<std::size_t>(kind)].write; }

bool HasParameterRecord(ParameterNumber n) {
  constexpr ParameterNumber lastLogicAlarm = FirstLogicAlarm + 4;
  constexpr ParameterNumber lastDtmfMemory = FirstDtmfMemory + 39;
  if (IsSimpleNumber(n)) return true;
  return (n >= FirstMacro && n <= lastLogicAlarm) || (n >= FirstSetpoint && n <= lastDtmfMemory);
}

Message BuildReadRequest(ParameterNumber n) { return rowOf(n).buildRead(n); }

bool BuildWriteMessage(ParameterNumber n, Message& message) { return rowOf(n).buildWrite(n, message); }

bool ReadReplyAccepted(ParameterNumber n, const std::uint8_t* reply, int count) {
  const KindRow& row = rowOf(n);
  const int used = count >= 1 ? row.usedReplyLength(reply, count) : 1;
  return replyCarries(n, ReplyCode(row.read), reply, count, used);
}

bool WriteReplyAccepted(ParameterNumber n, const std::uint8_t* reply, int count) {
  return replyCarries(n, ReplyCode(rowOf(n).write), reply, count, WriteReplyLength);
}

int ReadParameter(ParameterNumber n, TransactionFunction transaction) {
  if (!HasParameterRecord(n)) return 0;
  const Message request = BuildReadRequest(n);
  appendStatus(prefixText("Read", n, request));
  std::array<std::uint8_t, ReplyCapacity> reply{};
  int count = 0;
  const auto accepted = [n](const std::uint8_t* r, int c) { return ReadReplyAccepted(n, r, c); };
  if (!exchange(request, transaction, reply.data(), count, accepted)) return 0;
  rowOf(n).store(n, reply.data(), count);
  appendStatus(" OK\r\n");
  return 1;
}

int WriteParameter(ParameterNumber n, TransactionFunction transaction) {
  if (n != CommitNumber && !HasParameterRecord(n)) return 0;
  Message message;
  if (!BuildWriteMessage(n, message)) return 0;
  appendStatus(prefixText("Write", n, message));
  std::array<std::uint8_t, ReplyCapacity> reply{};
  int count = 0;
  const auto accepted = [n](const std::uint8_t* r, int c) { return WriteReplyAccepted(n, r, c); };
  if (!exchange(message, transaction, reply.data(), count, accepted)) return 0;
  appendStatus(" OK\r\n");
  return 1;
}

int ReadParameter(ParameterNumber n) {
  EnsurePortOpen();
  return ReadParameter(n, linkTransaction);
}

int WriteParameter(ParameterNumber n) {
  EnsurePortOpen();
  return WriteParameter(n, linkTransaction);
}

}  // namespace ostrin
