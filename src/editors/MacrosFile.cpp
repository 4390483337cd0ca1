#include "editors/MacrosFile.h"

#include <algorithm>
#include <cstring>

#include "datafile/NumberText.h"
#include "datafile/Profile.h"

namespace ostrin {

ProgressSink* MacrosProgress = nullptr;

namespace {

constexpr const char* macrosSection = "Macros";
constexpr std::string_view noRestrictionText = "NONE";

constexpr std::array<NumberKey, 2> receiverKeys{{
    {"Active Macro", ActiveMacroOffset, "0"},
    {"InActive Macro", InactiveMacroOffset, "0"},
}};

MacroRecord loadMacro(int macro) {
  MacroRecord record;
  record.steps = MacroTextToSteps(
      ReadProfileText(macrosSection, NumberedName("Macro", macro), NoMacroStepsText));
  SetMacroCodeFromText(record, ReadProfileText(macrosSection, NumberedName("DTMF", macro), NoMacroCodeText));
  const std::string restriction =
      ReadProfileText(macrosSection, NumberedName("Restrictions", macro), noRestrictionText);
  if (restriction != noRestrictionText) {
    SetMacroAttributes(record, AllowedPortsFromRestriction(LeadingNumber(restriction)));
  }
  return record;
}

void saveMacro(int macro) {
  const MacroRecord record = GetMacro(MacroNumber(macro));
  const std::size_t choice = static_cast<std::size_t>(AllowedPortsIndex(MacroAttributes(record)));
  WriteProfileText(macrosSection, NumberedName("Macro", macro), MacroStepsText(record.steps));
  WriteProfileText(macrosSection, NumberedName("DTMF", macro), MacroCodeText(record));
  WriteProfileText(macrosSection, NumberedName("Restrictions", macro), AllowedPortsChoices[choice].fileText);
}

}  // namespace

std::string MacroStepsToText(const MacroSteps& steps) {
  std::string text;
  for (const std::int32_t step : steps) {
    if (step == 0) break;
    text += ' ';
    text += DecimalText(step);
  }
  return text;
}

MacroSteps MacroTextToSteps(std::string_view text) {
  MacroSteps steps{};
  std::size_t next = 0;
  std::size_t pos = 0;
  while (next < steps.size()) {
    pos = text.find_first_not_of(' ', pos);
    if (pos == std::string_view::npos) break;
    const std::size_t end = std::min(text.find(' ', pos), text.size());
    steps[next++] = LeadingNumber(text.substr(pos, end - pos));
    pos = end;
  }
  return steps;
}

std::string MacroStepsText(const MacroSteps& steps) {
  return steps[0] == 0 ? std::string(NoMacroStepsText) : MacroStepsToText(steps);
}

std::string MacroCodeText(const MacroRecord& record) {
  return record.dtmf[0] == 0 ? std::string(NoMacroCodeText) : FieldText(record.dtmf, MacroCodeLength);
}

void SetMacroCodeFromText(MacroRecord& record, std::string_view text) {
  std::memset(record.dtmf, 0, MacroCodeLength);
  if (text == NoMacroCodeText) return;
  text.copy(record.dtmf, MacroCodeLength);
}

int AllowedPortsIndex(std::uint32_t attributes) {
  for (std::size_t i = 0; i < AllowedPortsChoices.size(); ++i) {
    if (AllowedPortsChoices[i].attributes == attributes) return static_cast<int>(i);
  }
  return 0;
}

std::uint32_t AllowedPortsAttributes(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= AllowedPortsChoices.size()) return 0;
  return AllowedPortsChoices[static_cast<std::size_t>(index)].attributes;
}

std::uint32_t AllowedPortsFromRestriction(std::int32_t restriction) {
  for (const AllowedPortsChoice& choice : AllowedPortsChoices) {
    if (choice.restriction == restriction) return choice.attributes;
  }
  return 0;
}

std::span<const NumberKey> ReceiverMacroKeys() { return receiverKeys; }

void LoadMacrosFromDataFile() {
  ProfileSession session;
  BaselineLoadScope baseline;
  for (int macro = 1; macro <= MacroCount; ++macro) SetMacro(MacroNumber(macro), loadMacro(macro));
  for (int port = 1; port <= 3; ++port) LoadNumberKeys(PortSection(port), 1000 * port, receiverKeys);
}

SaveResult SaveMacrosToDataFile() {
  ProfileSession session;
  for (int macro = 1; macro <= MacroCount; ++macro) {
    StepProgress(MacrosProgress, macro - 1);
    saveMacro(macro);
  }
  StepProgress(MacrosProgress, MacroCount);
  // The six receiver-macro writes advance the bar to 91..95, and to 100 after the last.
  int position = MacroCount;
  for (int port = 1; port <= 3; ++port) {
    for (const NumberKey& row : receiverKeys) {
      SaveNumberKey(PortSection(port), 1000 * port, row);
      ++position;
      StepProgress(MacrosProgress, position < 96 ? position : 100);
    }
  }
  return session.Commit();
}

}  // namespace ostrin
