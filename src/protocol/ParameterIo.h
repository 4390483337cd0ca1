// Reading and writing one parameter: ReadParameter asks the controller for the
// value of one ParameterNumber and stores the reply; WriteParameter sends the
// stored value of one ParameterNumber. Each picks its message by the number,
// runs one transaction, checks the reply and leaves one line in the status log:
//   Read Par16:[Cmd:2,N:16 V:0] Resp:[Cmd:102,N:16 V:30] OK
// ending " No Response" instead of " OK" when the exchange failed (with no
// Resp part when no reply came at all).
//
// Both return 1 on success and 0 on failure. A reply is accepted only with the
// expected reply code, the requested number in the kind's own place and every
// byte that is used; a refused reply leaves the store untouched. Numbers the
// store holds no record for (374..393, 474..999, p064..p999, ...) are refused
// with 0 before anything is sent or logged; so is the write of an empty port
// list. The commit number 0xFFFF can be written (WriteValue with value 0) but
// not read.
#pragma once

#include <cstdint>

#include "model/ParameterStore.h"
#include "protocol/Messages.h"

namespace ostrin {

// The message kinds, one per row of the routing by number.
enum class ParameterKind {
  PortList,
  UnlockCode,
  Value,
  DtmfMemory,
  Setpoint,
  PreAccessCode,
  PreAccessRange,
  PadTestCode,
  GlobalLock,
  LogicAlarm,
  AnalogAlarm,
  Meter,
  MessageMacro,
  Macro,
};

// The kind whose messages carry the number (first matching row wins).
ParameterKind KindOfNumber(ParameterNumber n);
CommandCode ReadCommandOf(ParameterKind kind);
CommandCode WriteCommandOf(ParameterKind kind);

// True when the store holds a record for the number (its value can travel).
bool HasParameterRecord(ParameterNumber n);

// The read request for the number.
Message BuildReadRequest(ParameterNumber n);
// The write message for the number from the store's current value (for
// 0xFFFF the commit request). False, message untouched, for an empty port list.
bool BuildWriteMessage(ParameterNumber n, Message& message);

// The reply checks of a read and of a write of the number.
bool ReadReplyAccepted(ParameterNumber n, const std::uint8_t* reply, int count);
bool WriteReplyAccepted(ParameterNumber n, const std::uint8_t* reply, int count);

// One request/reply exchange with the controller, as RunTransaction does it.
using TransactionFunction = int (*)(const std::uint8_t* request, int length, std::uint8_t* reply,
                                    int capacity, int& count);

// Over the serial link (EnsurePortOpen first; its result shows as no reply).
int ReadParameter(ParameterNumber n);
int WriteParameter(ParameterNumber n);
// Over the given exchange, without opening any port.
int ReadParameter(ParameterNumber n, TransactionFunction transaction);
int WriteParameter(ParameterNumber n, TransactionFunction transaction);

}  // namespace ostrin
