#include "model/ParameterStore.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <mutex>

namespace ostrin {

std::atomic<int> BaselineLoad{0};

namespace {

constexpr int GeneralCount = 193;  // 0..192
constexpr int PortCount = 3;
constexpr int PortRecordCount = 64;

struct Store {
  std::array<ParameterRecord, GeneralCount> general{};
  std::array<std::array<ParameterRecord, PortRecordCount>, PortCount> port{};
  std::array<UnlockCodeRecord, PortCount> unlock{};
  CodeTextRecord globalLock{};
  CodeTextRecord padTest{};
  CodeTextRecord preAccess{};
  PreAccessRangeRecord preAccessRange{};
  std::array<PortListBlock, PortCount> lists{};
  std::array<MacroRecord, 90> macros{};
  std::array<MessageMacroRecord, 70> messages{};
  std::array<MeterRecord, 8> meters{};
  std::array<AnalogAlarmRecord, 8> alarms{};
  std::array<LogicAlarmRecord, 5> logicAlarms{};
  std::array<SetpointRecord, 40> setpoints{};
  std::array<DtmfMemoryRecord, 40> dtmfMemories{};
};

Store store;
std::mutex storeMutex;

using Lock = std::lock_guard<std::mutex>;

bool baselineOn() { return BaselineLoad.load() == 1; }

// The store rule for a record whose compared fields differ (or not).
void applyStoreRule(std::uint32_t& flags, bool differs) {
  if (baselineOn()) {
    flags &= ~EditedFlag;
  } else if (differs) {
    flags |= ChangedFlag | EditedFlag;
  }
}

template <typename Record, std::size_t N>
Record* recordAt(std::array<Record, N>& table, ParameterNumber number, ParameterNumber first) {
  const int index = number - first;
  if (index < 0 || index >= static_cast<int>(N)) return nullptr;
  return &table[static_cast<std::size_t>(index)];
}

int portIndex(ParameterNumber number) { return number / 1000 - 1; }

ParameterRecord* simpleRecord(ParameterNumber number) {
  if (number >= 0 && number < GeneralCount) return &store.general[static_cast<std::size_t>(number)];
  const int port = portIndex(number);
  const int offset = number % 1000;
  if (port >= 0 && port < PortCount && offset < PortRecordCount) {
    return &store.port[static_cast<std::size_t>(port)][static_cast<std::size_t>(offset)];
  }
  return nullptr;
}

UnlockCodeRecord* unlockRecord(ParameterNumber number) {
  const int port = portIndex(number);
  if (number % 1000 != UnlockCodeOffset || port < 0 || port >= PortCount) return nullptr;
  return &store.unlock[static_cast<std::size_t>(port)];
}

CodeTextRecord* codeTextRecord(ParameterNumber number) {
  switch (number) {
    case GlobalLockNumber: return &store.globalLock;
    case PadTestNumber: return &store.padTest;
    case PreAccessNumber: return &store.preAccess;
    default: return nullptr;
  }
}

bool isPortListNumber(ParameterNumber number) {
  const int port = portIndex(number);
  const int offset = number % 1000;
  return port >= 0 && port < PortCount && offset >= PortListOffsetFirst &&
         offset <= PortListOffsetLast;
}

PortListBlock& portBlock(ParameterNumber number) {
  const int port = std::clamp(number / 1000, 1, PortCount) - 1;
  return store.lists[static_cast<std::size_t>(port)];
}

// A fixed text field compared as a string of up to width characters.
bool fieldDiffers(const char* a, const char* b, int width) {
  return std::strncmp(a, b, static_cast<std::size_t>(width)) != 0;
}

// Copies exactly width characters of text into the field, NUL-padded.
void copyField(char* field, std::string_view text, int width) {
  std::memset(field, 0, static_cast<std::size_t>(width));
  std::memcpy(field, text.data(), std::min(text.size(), static_cast<std::size_t>(width)));
}

// The range normalisation: the first three characters as a decimal number in 0..255.
void normaliseRangeText(std::string_view text, char out[3]) {
  char buffer[4] = {};
  std::memcpy(buffer, text.data(), std::min<std::size_t>(text.size(), 3));
  long value = std::strtol(buffer, nullptr, 10);
  value = std::clamp(value, 0L, 255L);
  char digits[8] = {};
  std::snprintf(digits, sizeof digits, "%ld", value);
  copyField(out, digits, 3);
}

template <typename List>
bool storeList(List& list, const CodeList& source, std::int32_t& changedWord,
               std::int32_t& editedWord) {
  if (source.count < 0) return false;
  constexpr int capacity = static_cast<int>(std::tuple_size_v<decltype(list.codes)>);
  const int kept = std::min(source.count, capacity);
  bool differs = list.count != kept;
  for (int i = 0; i < kept; ++i) {
    const auto index = static_cast<std::size_t>(i);
    differs = differs || list.codes[index] != source.codes[index];
    list.codes[index] = source.codes[index];
  }
  list.count = kept;
  if (baselineOn()) {
    editedWord = 0;
  } else if (differs) {
    changedWord = 1;
    editedWord = 1;
  }
  return true;
}

template <typename Fn>
void forEachFlagsWord(Fn&& fn) {
  for (auto& r : store.general) fn(r.flags);
  for (auto& port : store.port)
    for (auto& r : port) fn(r.flags);
  for (auto& r : store.unlock) fn(r.flags);
  fn(store.globalLock.flags);
  fn(store.padTest.flags);
  fn(store.preAccess.flags);
  fn(store.preAccessRange.flags);
  for (auto& r : store.macros) fn(r.flags);
  for (auto& r : store.messages) fn(r.flags);
  for (auto& r : store.meters) fn(r.flags);
  for (auto& r : store.alarms) fn(r.flags);
  for (auto& r : store.logicAlarms) fn(r.flags);
  for (auto& r : store.setpoints) fn(r.flags);
  for (auto& r : store.dtmfMemories) fn(r.flags);
}

bool isKindSpecificGeneral(int number) {
  return number == GlobalLockNumber || number == PadTestNumber || number == PreAccessNumber ||
         number == PreAccessRangeNumber;
}

bool isPending(std::uint32_t flags) { return (flags & PendingMask) != 0; }

// The pending state of the record that stands for a number; caller holds the lock.
bool pendingLocked(ParameterNumber number) {
  if (auto* r = codeTextRecord(number)) return isPending(r->flags);
  if (number == PreAccessRangeNumber) return isPending(store.preAccessRange.flags);
  if (auto* r = unlockRecord(number)) return isPending(r->flags);
  if (isPortListNumber(number)) {
    const auto& block = portBlock(number);
    const int list = number % 1000 - PortListOffsetFirst;
    if (list < 6) {
      const auto i = static_cast<std::size_t>(list);
      return block.voiceChanged[i] != 0 || block.voiceEdited[i] != 0;
    }
    const auto i = static_cast<std::size_t>(list - 6);
    return block.cwChanged[i] != 0 || block.cwEdited[i] != 0;
  }
  if (auto* r = simpleRecord(number)) return isPending(r->flags);
  if (auto* r = recordAt(store.macros, number, FirstMacro)) return isPending(r->flags);
  if (auto* r = recordAt(store.messages, number, FirstMessageMacro)) return isPending(r->flags);
  if (auto* r = recordAt(store.meters, number, FirstMeter)) return isPending(r->flags);
  if (auto* r = recordAt(store.alarms, number, FirstAnalogAlarm)) return isPending(r->flags);
  if (auto* r = recordAt(store.logicAlarms, number, FirstLogicAlarm)) return isPending(r->flags);
  if (auto* r = recordAt(store.setpoints, number, FirstSetpoint)) return isPending(r->flags);
  if (auto* r = recordAt(store.dtmfMemories, number, FirstDtmfMemory)) return isPending(r->flags);
  return false;
}

}  // namespace

bool IsSimpleNumber(ParameterNumber number) {
  if (number >= 0 && number < GeneralCount) return true;
  const int port = portIndex(number);
  return number >= 1000 && port < PortCount && number % 1000 < PortRecordCount;
}

int CodeTextWidth(ParameterNumber number) {
  switch (number) {
    case GlobalLockNumber: return 4;
    case PadTestNumber: return 5;
    case PreAccessNumber: return 3;
    default: return 0;
  }
}

std::string FieldText(const char* field, int width) {
  const auto length = static_cast<std::size_t>(width);
  const void* nul = std::memchr(field, '\0', length);
  return std::string(field, nul ? static_cast<const char*>(nul) - field : length);
}

void ResetStore() {
  Lock lock(storeMutex);
  store = Store{};
}

void SetValue(ParameterNumber number, std::int32_t value) {
  Lock lock(storeMutex);
  ParameterRecord* r = simpleRecord(number);
  if (!r) return;
  applyStoreRule(r->flags, r->current != value);
  if (baselineOn()) r->baseline = value;
  r->current = value;
}

ParameterRecord GetValue(ParameterNumber number) {
  Lock lock(storeMutex);
  const ParameterRecord* r = simpleRecord(number);
  return r ? *r : ParameterRecord{};
}

void SetUnlockCode(ParameterNumber number, std::string_view text) {
  Lock lock(storeMutex);
  UnlockCodeRecord* r = unlockRecord(number);
  if (!r) return;
  char incoming[UnlockCodeLength];
  copyField(incoming, text, UnlockCodeLength);
  applyStoreRule(r->flags, fieldDiffers(r->current, incoming, UnlockCodeLength));
  if (baselineOn()) std::memcpy(r->baseline, incoming, UnlockCodeLength);
  std::memcpy(r->current, incoming, UnlockCodeLength);
}

UnlockCodeRecord GetUnlockCode(ParameterNumber number) {
  Lock lock(storeMutex);
  const UnlockCodeRecord* r = unlockRecord(number);
  return r ? *r : UnlockCodeRecord{};
}

void SetCodeText(ParameterNumber number, std::string_view text) {
  Lock lock(storeMutex);
  CodeTextRecord* r = codeTextRecord(number);
  if (!r) return;
  const int width = CodeTextWidth(number);
  char incoming[sizeof r->current] = {};
  copyField(incoming, text, width);
  applyStoreRule(r->flags, fieldDiffers(r->current, incoming, width));
  if (baselineOn()) std::memcpy(r->baseline, incoming, sizeof incoming);
  std::memcpy(r->current, incoming, sizeof incoming);
}

void SetCodeText(ParameterNumber number, std::string_view start, std::string_view stop,
                 std::string* normalisedStart, std::string* normalisedStop) {
  if (number != PreAccessRangeNumber) return;
  char newStart[3];
  char newStop[3];
  normaliseRangeText(start, newStart);
  normaliseRangeText(stop, newStop);
  if (normalisedStart) *normalisedStart = FieldText(newStart, 3);
  if (normalisedStop) *normalisedStop = FieldText(newStop, 3);
  Lock lock(storeMutex);
  PreAccessRangeRecord& r = store.preAccessRange;
  const bool differs =
      fieldDiffers(r.currentStart, newStart, 3) || fieldDiffers(r.currentStop, newStop, 3);
  applyStoreRule(r.flags, differs);
  if (baselineOn()) {
    std::memcpy(r.baselineStart, newStart, 3);
    std::memcpy(r.baselineStop, newStop, 3);
  }
  std::memcpy(r.currentStart, newStart, 3);
  std::memcpy(r.currentStop, newStop, 3);
}

CodeTextRecord GetCodeText(ParameterNumber number) {
  Lock lock(storeMutex);
  const CodeTextRecord* r = codeTextRecord(number);
  return r ? *r : CodeTextRecord{};
}

PreAccessRangeRecord GetPreAccessRange() {
  Lock lock(storeMutex);
  return store.preAccessRange;
}

void SetPortList(ParameterNumber number, const CodeList& list) {
  if (!isPortListNumber(number)) return;
  Lock lock(storeMutex);
  PortListBlock& block = portBlock(number);
  const int index = number % 1000 - PortListOffsetFirst;
  if (index < 6) {
    const auto i = static_cast<std::size_t>(index);
    storeList(block.voice[i], list, block.voiceChanged[i], block.voiceEdited[i]);
  } else {
    const auto i = static_cast<std::size_t>(index - 6);
    storeList(block.cw[i], list, block.cwChanged[i], block.cwEdited[i]);
  }
}

PortListBlock GetPortLists(ParameterNumber anyNumberOfPort) {
  Lock lock(storeMutex);
  return portBlock(anyNumberOfPort);
}

void SetMacro(ParameterNumber number, const MacroRecord& record) {
  Lock lock(storeMutex);
  MacroRecord* r = recordAt(store.macros, number, FirstMacro);
  if (!r) return;
  if (baselineOn()) {
    r->flags &= ~EditedFlag;
  } else {
    const bool stepsDiffer = r->steps != record.steps;
    const bool codeDiffers = std::memcmp(r->dtmf, record.dtmf, MacroCodeLength) != 0;
    const bool attributesDiffer = MacroAttributes(*r) != MacroAttributes(record);
    if (stepsDiffer || attributesDiffer) r->flags |= ChangedFlag | EditedFlag;
    if (codeDiffers) r->flags |= EditedFlag;
  }
  r->steps = record.steps;
  std::memcpy(r->dtmf, record.dtmf, MacroCodeLength);
  r->flags = (r->flags & PendingMask) | (record.flags & MacroAttributesMask);
}

MacroRecord GetMacro(ParameterNumber number) {
  Lock lock(storeMutex);
  const MacroRecord* r = recordAt(store.macros, number, FirstMacro);
  return r ? *r : MacroRecord{};
}

void SetMessageMacro(ParameterNumber number, const MessageMacroRecord& record) {
  Lock lock(storeMutex);
  MessageMacroRecord* r = recordAt(store.messages, number, FirstMessageMacro);
  if (!r) return;
  applyStoreRule(r->flags, r->words != record.words);
  r->words = record.words;
  r->size = record.size;
}

MessageMacroRecord GetMessageMacro(ParameterNumber number) {
  Lock lock(storeMutex);
  const MessageMacroRecord* r = recordAt(store.messages, number, FirstMessageMacro);
  return r ? *r : MessageMacroRecord{};
}

void SetMeter(ParameterNumber number, const MeterRecord& record) {
  Lock lock(storeMutex);
  MeterRecord* r = recordAt(store.meters, number, FirstMeter);
  if (!r) return;
  const bool differs = r->type != record.type || r->actualLow != record.actualLow ||
                       r->actualHigh != record.actualHigh || r->meterLow != record.meterLow ||
                       r->meterHigh != record.meterHigh;
  applyStoreRule(r->flags, differs);
  const std::uint32_t flags = r->flags;
  *r = record;
  r->flags = flags;
}

void SetAnalogAlarm(ParameterNumber number, const AnalogAlarmRecord& record) {
  Lock lock(storeMutex);
  AnalogAlarmRecord* r = recordAt(store.alarms, number, FirstAnalogAlarm);
  if (!r) return;
  const bool differs = r->type != record.type || r->meter != record.meter ||
                       r->tripValue != record.tripValue || r->macro != record.macro;
  applyStoreRule(r->flags, differs);
  const std::uint32_t flags = r->flags;
  *r = record;
  r->flags = flags;
}

AnalogRecord GetAnalogRecord(ParameterNumber number) {
  Lock lock(storeMutex);
  AnalogRecord result;
  if (auto* m = recordAt(store.meters, number, FirstMeter)) result.meter = *m;
  if (auto* a = recordAt(store.alarms, number, FirstAnalogAlarm)) result.alarm = *a;
  return result;
}

void SetLogicAlarm(ParameterNumber number, std::int32_t enabled, std::int32_t highToLowMacro,
                   std::int32_t lowToHighMacro) {
  Lock lock(storeMutex);
  LogicAlarmRecord* r = recordAt(store.logicAlarms, number, FirstLogicAlarm);
  if (!r) return;
  const bool differs = r->enabled != enabled || r->highToLowMacro != highToLowMacro ||
                       r->lowToHighMacro != lowToHighMacro;
  applyStoreRule(r->flags, differs);
  r->enabled = enabled;
  r->highToLowMacro = highToLowMacro;
  r->lowToHighMacro = lowToHighMacro;
}

LogicAlarmRecord GetLogicAlarm(ParameterNumber number) {
  Lock lock(storeMutex);
  const LogicAlarmRecord* r = recordAt(store.logicAlarms, number, FirstLogicAlarm);
  return r ? *r : LogicAlarmRecord{};
}

void SetSetpoint(ParameterNumber number, const SetpointRecord& record) {
  Lock lock(storeMutex);
  SetpointRecord* r = recordAt(store.setpoints, number, FirstSetpoint);
  if (!r) return;
  const bool differs = r->enabled != record.enabled || r->dayOfWeek != record.dayOfWeek ||
                       r->monthOfYear != record.monthOfYear || r->hours != record.hours ||
                       r->minutes != record.minutes || r->macro != record.macro;
  applyStoreRule(r->flags, differs);
  const std::uint32_t flags = r->flags;
  *r = record;
  r->flags = flags;
}

SetpointRecord GetSetpoint(ParameterNumber number) {
  Lock lock(storeMutex);
  const SetpointRecord* r = recordAt(store.setpoints, number, FirstSetpoint);
  return r ? *r : SetpointRecord{};
}

void SetDtmfMemory(ParameterNumber number, const DtmfMemoryRecord& record) {
  Lock lock(storeMutex);
  DtmfMemoryRecord* r = recordAt(store.dtmfMemories, number, FirstDtmfMemory);
  if (!r) return;
  applyStoreRule(r->flags, r->digits != record.digits);
  r->digits = record.digits;
  r->count = record.count;
}

DtmfMemoryRecord GetDtmfMemory(ParameterNumber number) {
  Lock lock(storeMutex);
  const DtmfMemoryRecord* r = recordAt(store.dtmfMemories, number, FirstDtmfMemory);
  return r ? *r : DtmfMemoryRecord{};
}

void ClearEditedFlag(ParameterNumber number) {
  Lock lock(storeMutex);
  if (auto* r = codeTextRecord(number)) {
    r->flags &= ~EditedFlag;
  } else if (number == PreAccessRangeNumber) {
    store.preAccessRange.flags &= ~EditedFlag;
  } else if (auto* u = unlockRecord(number)) {
    u->flags &= ~EditedFlag;
  } else if (isPortListNumber(number)) {
    simpleRecord(number)->flags &= ~EditedFlag;
    PortListBlock& block = portBlock(number);
    const int index = number % 1000 - PortListOffsetFirst;
    if (index < 6) {
      block.voiceEdited[static_cast<std::size_t>(index)] = 0;
    } else {
      block.cwEdited[static_cast<std::size_t>(index - 6)] = 0;
    }
  } else if (auto* s = simpleRecord(number)) {
    s->flags &= ~EditedFlag;
  } else {
    std::uint32_t* flags = nullptr;
    if (auto* m = recordAt(store.macros, number, FirstMacro)) flags = &m->flags;
    else if (auto* g = recordAt(store.messages, number, FirstMessageMacro)) flags = &g->flags;
    else if (auto* f = recordAt(store.meters, number, FirstMeter)) flags = &f->flags;
    else if (auto* a = recordAt(store.alarms, number, FirstAnalogAlarm)) flags = &a->flags;
    else if (auto* l = recordAt(store.logicAlarms, number, FirstLogicAlarm)) flags = &l->flags;
    else if (auto* p = recordAt(store.setpoints, number, FirstSetpoint)) flags = &p->flags;
    else if (auto* d = recordAt(store.dtmfMemories, number, FirstDtmfMemory)) flags = &d->flags;
    if (flags) *flags &= ~EditedFlag;
  }
}

void ClearAllEditedFlags() {
  Lock lock(storeMutex);
  forEachFlagsWord([](std::uint32_t& flags) { flags &= ~EditedFlag; });
  for (auto& block : store.lists) {
    block.voiceEdited.fill(0);
    block.cwEdited.fill(0);
  }
}

void ClearAllChangedFlags() {
  Lock lock(storeMutex);
  forEachFlagsWord([](std::uint32_t& flags) { flags &= ~ChangedFlag; });
  for (auto& block : store.lists) {
    block.voiceChanged.fill(0);
    block.cwChanged.fill(0);
  }
}

int CountPending() {
  Lock lock(storeMutex);
  int count = 0;
  auto add = [&count](std::uint32_t flags) { count += isPending(flags) ? 1 : 0; };
  for (int n = 0; n < GeneralCount; ++n) {
    if (isKindSpecificGeneral(n)) {
      count += pendingLocked(n) ? 1 : 0;
    } else {
      add(store.general[static_cast<std::size_t>(n)].flags);
    }
  }
  for (const auto& port : store.port) {
    for (int offset = 0; offset < PortRecordCount; ++offset) {
      if (offset >= PortListOffsetFirst && offset <= UnlockCodeOffset) continue;
      add(port[static_cast<std::size_t>(offset)].flags);
    }
  }
  for (const auto& r : store.unlock) add(r.flags);
  for (const auto& block : store.lists) {
    for (std::size_t i = 0; i < 6; ++i)
      count += (block.voiceChanged[i] != 0 || block.voiceEdited[i] != 0) ? 1 : 0;
    for (std::size_t i = 0; i < 2; ++i)
      count += (block.cwChanged[i] != 0 || block.cwEdited[i] != 0) ? 1 : 0;
  }
  for (const auto& r : store.macros) add(r.flags);
  for (const auto& r : store.messages) add(r.flags);
  for (const auto& r : store.meters) add(r.flags);
  for (const auto& r : store.alarms) add(r.flags);
  for (const auto& r : store.logicAlarms) add(r.flags);
  for (const auto& r : store.setpoints) add(r.flags);
  for (const auto& r : store.dtmfMemories) add(r.flags);
  return count;
}

bool IsPending(ParameterNumber number) {
  Lock lock(storeMutex);
  return pendingLocked(number);
}

}  // namespace ostrin
