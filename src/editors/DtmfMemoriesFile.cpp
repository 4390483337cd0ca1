#include "editors/DtmfMemoriesFile.h"

#include <algorithm>
#include <array>

#include "datafile/Profile.h"
#include "speech/CodeText.h"

namespace ostrin {

ProgressSink* DtmfMemoriesProgress = nullptr;

namespace {

constexpr const char* section = "DTMF_Memories";
constexpr const char* timingSection = "General";

constexpr std::array<NumberKey, 2> timingKeys{{
    {"DTMF Duration", 190, "50"},
    {"DTMF Delay", 191, "50"},
}};

}  // namespace

std::string DtmfMemoryKey(int memory) { return NumberedName("DTMF_Memory", memory); }

std::span<const NumberKey> DtmfTimingKeys() { return timingKeys; }

DtmfMemoryRecord DtmfMemoryFromText(std::string_view text) {
  DtmfMemoryRecord record;
  if (text == EmptyDtmfMemoryText) return record;
  const CodeList list = DtmfTextToDigits(text);
  record.count = std::min(list.count, DtmfDigitCapacity);
  std::copy_n(list.codes.begin(), record.count, record.digits.begin());
  return record;
}

std::string DtmfMemoryText(const DtmfMemoryRecord& record) {
  if (record.count <= 0) return std::string(EmptyDtmfMemoryText);
  CodeList list;
  list.count = std::min(record.count, DtmfDigitCapacity);
  std::copy_n(record.digits.begin(), list.count, list.codes.begin());
  return DtmfDigitsToText(list);
}

void LoadDtmfMemoriesFromDataFile() {
  ProfileSession session;
  BaselineLoadScope baseline;
  for (int memory = 1; memory <= DtmfMemoryCount; ++memory) {
    const std::string text = ReadProfileText(section, DtmfMemoryKey(memory), EmptyDtmfMemoryText);
    SetDtmfMemory(FirstDtmfMemory + memory - 1, DtmfMemoryFromText(text));
  }
  LoadNumberKeys(timingSection, 0, timingKeys);
}

SaveResult SaveDtmfMemoriesToDataFile() {
  ProfileSession session;
  for (int memory = 1; memory <= DtmfMemoryCount; ++memory) {
    StepProgress(DtmfMemoriesProgress, 2 * (memory - 1));
    WriteProfileText(section, DtmfMemoryKey(memory), DtmfMemoryText(GetDtmfMemory(FirstDtmfMemory + memory - 1)));
  }
  StepProgress(DtmfMemoriesProgress, 80);
  SaveNumberKey(timingSection, 0, timingKeys[0]);
  StepProgress(DtmfMemoriesProgress, 82);
  SaveNumberKey(timingSection, 0, timingKeys[1]);
  StepProgress(DtmfMemoriesProgress, 100);
  return session.Commit();
}

}  // namespace ostrin
