#include "editors/AccessCodesFile.h"

#include <array>

#include "datafile/NumberText.h"
#include "datafile/Profile.h"
#include "editors/CategoryKeys.h"

namespace ostrin {

ProgressSink* SpecialCodesProgress = nullptr;

namespace {

constexpr const char* section = "Special Codes";

constexpr std::array<CodeTextKey, 6> codeTextKeys{{
    {"Port 1 UnLock", "17390", 1000 + UnlockCodeOffset},
    {"Port 2 UnLock", "27390", 2000 + UnlockCodeOffset},
    {"Port 3 UnLock", "37390", 3000 + UnlockCodeOffset},
    {"Global Lock", "A", GlobalLockNumber},
    {"DTMF Pad Test", "85", PadTestNumber},
    {"DTMF Pre Access", " ", PreAccessNumber},
}};

constexpr const char* rangeStartKey = "DTMF Pre Access Range Start";
constexpr const char* rangeStopKey = "DTMF Pre Access Range Stop";
constexpr const char* terminatorKey = "Terminator";
constexpr const char* muteKey = "DTMF Mute Select";
constexpr int rangeWidth = 3;

// An on/off switch: read as 1 when its text begins with "1", written "1" for 1
// and "0" for anything else.
struct SwitchKey {
  const char* key;
  const char* defaultText;
  ParameterNumber number;
};
constexpr SwitchKey voiceResponses{"Voice Command Responses", "1", VoiceResponsesNumber};
constexpr SwitchKey triggeredIds{"Triggered IDs Select", "1", TriggeredIdsNumber};
constexpr SwitchKey dr1Mode{"DR1 Mode Select", "1", Dr1xModeNumber};

constexpr std::array<ParameterNumber, 12> categoryNumbers{
    1057, 2057, 3057, 180, 181, 182, 183, 184, 185, 188, 189, 192};

bool isUnlockNumber(ParameterNumber number) { return number % 1000 == UnlockCodeOffset; }

void loadCodeText(const CodeTextKey& row) {
  const std::string text = ReadProfileText(section, row.key, row.defaultText);
  if (isUnlockNumber(row.number)) {
    SetUnlockCode(row.number, text);
  } else {
    SetCodeText(row.number, text);
  }
}

void loadSwitch(const SwitchKey& row) {
  SetValue(row.number, FirstCharIsOne(ReadProfileText(section, row.key, row.defaultText)));
}

void saveSwitch(const SwitchKey& row) {
  WriteProfileText(section, row.key, GetValue(row.number).current == 1 ? "1" : "0");
}

// A muted digit other than the first (0) or the second (1) has no text and is not written.
void saveMuteSelect() {
  const std::int32_t mute = GetValue(DtmfMuteNumber).current;
  if (mute == 0 || mute == 1) WriteNumber(section, muteKey, mute);
}

}  // namespace

std::span<const CodeTextKey> SpecialCodeTextKeys() { return codeTextKeys; }
std::span<const ParameterNumber> SpecialCodesNumbers() { return categoryNumbers; }

std::string StoredCodeText(ParameterNumber number) {
  if (isUnlockNumber(number)) return FieldText(GetUnlockCode(number).current, UnlockCodeLength);
  const int width = CodeTextWidth(number);
  if (width == 0) return {};
  return FieldText(GetCodeText(number).current, width);
}

std::string TerminatorText(std::int32_t code) {
  if (code < 1 || code > 255) return {};
  return std::string(1, static_cast<char>(static_cast<unsigned char>(code)));
}

std::int32_t TerminatorCode(std::string_view text) {
  return text.empty() ? 0 : static_cast<unsigned char>(text.front());
}

void LoadSpecialCodesFromDataFile() {
  ProfileSession session;
  BaselineLoadScope baseline;
  for (const CodeTextKey& row : codeTextKeys) loadCodeText(row);
  const std::string start = ReadProfileText(section, rangeStartKey, "0");
  const std::string stop = ReadProfileText(section, rangeStopKey, "0");
  SetCodeText(PreAccessRangeNumber, start, stop);
  SetValue(TerminatorNumber, TerminatorCode(ReadProfileText(section, terminatorKey, "D")));
  loadSwitch(voiceResponses);
  loadSwitch(triggeredIds);
  loadSwitch(dr1Mode);
  SetValue(DtmfMuteNumber, ReadNumber(section, muteKey, "0"));
}

SaveResult SaveSpecialCodesToDataFile() {
  ProfileSession session;
  int position = 0;
  auto step = [&position] { StepProgress(SpecialCodesProgress, position += 10); };
  StepProgress(SpecialCodesProgress, position);
  for (const CodeTextKey& row : codeTextKeys) {
    WriteProfileText(section, row.key, StoredCodeText(row.number));
    step();
  }
  const PreAccessRangeRecord range = GetPreAccessRange();
  WriteProfileText(section, rangeStartKey, FieldText(range.currentStart, rangeWidth));
  WriteProfileText(section, rangeStopKey, FieldText(range.currentStop, rangeWidth));
  step();
  WriteProfileText(section, terminatorKey, TerminatorText(GetValue(TerminatorNumber).current));
  step();
  saveSwitch(voiceResponses);
  step();
  saveSwitch(dr1Mode);
  step();
  saveSwitch(triggeredIds);
  saveMuteSelect();
  StepProgress(SpecialCodesProgress, 100);
  return session.Commit();
}

}  // namespace ostrin
