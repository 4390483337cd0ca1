// The parameter store: the tool's one in-memory copy of every controller
// parameter, addressed by its ParameterNumber, with the two change flags of
// every record from which the pending-change count is computed.
//
// The store is one process-wide set of fixed-size tables; nothing allocates.
// Every operation takes one lock, so the GUI thread and the comms worker may
// call it at the same time. Setters ignore numbers that are not of their kind;
// getters of the special kinds return an empty record for such numbers.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

namespace ostrin {

using ParameterNumber = int;

// Bits of every record's flags word.
inline constexpr std::uint32_t ChangedFlag = 1u;  // changed since the last complete transfer
inline constexpr std::uint32_t EditedFlag = 2u;   // changed since loaded from file or cancelled
inline constexpr std::uint32_t PendingMask = ChangedFlag | EditedFlag;
inline constexpr int MacroAttributesShift = 2;     // bits 2..17 of a macro's flags word
inline constexpr std::uint32_t MacroAttributesMask = 0xFFFFu << MacroAttributesShift;

// On only while one category is loaded from the data file: stores made while it
// is on make the value the record's baseline and clear EditedFlag.
extern std::atomic<int> BaselineLoad;

// Sets BaselineLoad for the life of the object (a category load).
class BaselineLoadScope {
 public:
  BaselineLoadScope() { BaselineLoad = 1; }
  ~BaselineLoadScope() { BaselineLoad = 0; }
  BaselineLoadScope(const BaselineLoadScope&) = delete;
  BaselineLoadScope& operator=(const BaselineLoadScope&) = delete;
};

inline constexpr int VoiceListCapacity = 22;
inline constexpr int CwListCapacity = 15;
inline constexpr int MacroStepCount = 15;
inline constexpr int MacroCodeLength = 8;
inline constexpr int MessageWordCapacity = 9;
inline constexpr int DtmfDigitCapacity = 10;
inline constexpr int UnlockCodeLength = 8;

// A count followed by that many codes. The capacity is the largest count a
// controller reply can carry; the store keeps only its own lists' capacity.
struct CodeList {
  static constexpr int Capacity = 256;
  std::int32_t count = 0;
  std::array<std::int32_t, Capacity> codes{};
};

struct ParameterRecord {
  std::uint32_t flags = 0;
  std::int32_t baseline = 0;
  std::int32_t current = 0;
};

struct UnlockCodeRecord {
  std::uint32_t flags = 0;
  char current[UnlockCodeLength] = {};  // no terminator when 8 characters long
  char baseline[UnlockCodeLength] = {};
};

// 180 (4 characters), 182 (5) and 188 (3, no terminator); CodeTextWidth gives the width.
struct CodeTextRecord {
  std::uint32_t flags = 0;
  char current[6] = {};
  char baseline[6] = {};
};

struct PreAccessRangeRecord {  // 189
  std::uint32_t flags = 0;
  char currentStart[3] = {};
  char currentStop[3] = {};
  char baselineStart[3] = {};
  char baselineStop[3] = {};
};

template <int Capacity>
struct FixedCodeList {
  std::int32_t count = 0;
  std::array<std::int32_t, Capacity> codes{};
};
using VoiceList = FixedCodeList<VoiceListCapacity>;
using CwList = FixedCodeList<CwListCapacity>;

struct PortListBlock {
  std::array<std::int32_t, 6> voiceChanged{};
  std::array<std::int32_t, 6> voiceEdited{};
  std::array<std::int32_t, 2> cwChanged{};
  std::array<std::int32_t, 2> cwEdited{};
  std::array<VoiceList, 6> voice{};  // p049..p054
  std::array<CwList, 2> cw{};        // p055, p056
};

struct MacroRecord {
  std::uint32_t flags = 0;  // with MacroAttributes in bits 2..17
  std::array<std::int32_t, MacroStepCount> steps{};
  char dtmf[MacroCodeLength] = {};  // NUL-terminated when shorter than 8
};

struct MessageMacroRecord {
  std::uint32_t flags = 0;
  std::array<std::int32_t, MessageWordCapacity> words{};
  std::int32_t size = 0;
};

struct MeterRecord {
  std::uint32_t flags = 0;
  std::int32_t type = 0;
  std::int32_t actualLow = 0;
  std::int32_t actualHigh = 0;
  std::int32_t meterLow = 0;
  std::int32_t meterHigh = 0;
};

struct AnalogAlarmRecord {
  std::uint32_t flags = 0;
  std::int32_t alarmNumber = 0;
  std::int32_t type = 0;
  std::int32_t meter = 0;
  std::int32_t tripValue = 0;
  std::int32_t macro = 0;
};

// 353..360 are meter faces and 361..368 analog alarms; GetAnalogRecord returns either.
struct AnalogRecord {
  MeterRecord meter;
  AnalogAlarmRecord alarm;
};

struct LogicAlarmRecord {
  std::uint32_t flags = 0;
  std::int32_t enabled = 0;
  std::int32_t highToLowMacro = 0;
  std::int32_t lowToHighMacro = 0;
};

struct SetpointRecord {
  std::uint32_t flags = 0;
  std::int32_t enabled = 0;
  std::int32_t dayOfWeek = 0;
  std::int32_t monthOfYear = 0;
  std::int32_t hours = 0;
  std::int32_t minutes = 0;
  std::int32_t macro = 0;
};

struct DtmfMemoryRecord {
  std::uint32_t flags = 0;
  std::array<std::int32_t, DtmfDigitCapacity> digits{};
  std::int32_t count = 0;
};

// --- The number map ---
inline constexpr ParameterNumber FirstMacro = 193;          // macro m is 192 + m
inline constexpr ParameterNumber FirstMessageMacro = 283;   // message macro k is 282 + k
inline constexpr ParameterNumber FirstMeter = 353;
inline constexpr ParameterNumber FirstAnalogAlarm = 361;
inline constexpr ParameterNumber FirstLogicAlarm = 369;
inline constexpr ParameterNumber FirstSetpoint = 394;
inline constexpr ParameterNumber FirstDtmfMemory = 434;
inline constexpr ParameterNumber GlobalLockNumber = 180;
inline constexpr ParameterNumber PadTestNumber = 182;
inline constexpr ParameterNumber PreAccessNumber = 188;
inline constexpr ParameterNumber PreAccessRangeNumber = 189;
inline constexpr int PortListOffsetFirst = 49;  // p049..p056 are the port lists
inline constexpr int PortListOffsetLast = 56;
inline constexpr int UnlockCodeOffset = 57;

// True for the numbers with a simple record: 0..192 and p000..p063.
bool IsSimpleNumber(ParameterNumber number);
// The width of a code text field: 4, 5 or 3 for 180, 182, 188; 0 otherwise.
int CodeTextWidth(ParameterNumber number);
// The text of a fixed field: its characters up to the first NUL, at most width.
std::string FieldText(const char* field, int width);

// --- Operations ---
void ResetStore();

void SetValue(ParameterNumber number, std::int32_t value);
ParameterRecord GetValue(ParameterNumber number);

void SetUnlockCode(ParameterNumber number, std::string_view text);  // first 8 characters
UnlockCodeRecord GetUnlockCode(ParameterNumber number);

// 180, 182, 188: copies the field's width of characters (shorter texts are NUL-padded).
void SetCodeText(ParameterNumber number, std::string_view text);
// 189: each text's first three characters as a number clamped to 0..255, stored as decimal text.
// The normalised texts are handed back through the optional outputs.
void SetCodeText(ParameterNumber number, std::string_view start, std::string_view stop,
                 std::string* normalisedStart = nullptr, std::string* normalisedStop = nullptr);
CodeTextRecord GetCodeText(ParameterNumber number);
PreAccessRangeRecord GetPreAccessRange();

// p049..p056: stores the first min(count, capacity) codes; a negative count stores nothing.
void SetPortList(ParameterNumber number, const CodeList& list);
PortListBlock GetPortLists(ParameterNumber anyNumberOfPort);

void SetMacro(ParameterNumber number, const MacroRecord& record);
MacroRecord GetMacro(ParameterNumber number);
inline std::uint32_t MacroAttributes(const MacroRecord& r) {
  return (r.flags & MacroAttributesMask) >> MacroAttributesShift;
}
inline void SetMacroAttributes(MacroRecord& r, std::uint32_t attributes) {
  r.flags = (r.flags & ~MacroAttributesMask) | ((attributes & 0xFFFFu) << MacroAttributesShift);
}

void SetMessageMacro(ParameterNumber number, const MessageMacroRecord& record);
MessageMacroRecord GetMessageMacro(ParameterNumber number);

void SetMeter(ParameterNumber number, const MeterRecord& record);
void SetAnalogAlarm(ParameterNumber number, const AnalogAlarmRecord& record);
AnalogRecord GetAnalogRecord(ParameterNumber number);

void SetLogicAlarm(ParameterNumber number, std::int32_t enabled, std::int32_t highToLowMacro,
                   std::int32_t lowToHighMacro);
LogicAlarmRecord GetLogicAlarm(ParameterNumber number);

void SetSetpoint(ParameterNumber number, const SetpointRecord& record);
SetpointRecord GetSetpoint(ParameterNumber number);

void SetDtmfMemory(ParameterNumber number, const DtmfMemoryRecord& record);
DtmfMemoryRecord GetDtmfMemory(ParameterNumber number);

void ClearEditedFlag(ParameterNumber number);
void ClearAllEditedFlags();
void ClearAllChangedFlags();
int CountPending();

// True when the record of that number (the kind-specific one where there is
// one) is pending. Numbers without a record are never pending.
bool IsPending(ParameterNumber number);

}  // namespace ostrin
