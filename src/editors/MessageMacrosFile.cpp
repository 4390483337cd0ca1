#include "editors/MessageMacrosFile.h"

#include <algorithm>

#include "datafile/Profile.h"
#include "editors/CategoryKeys.h"
#include "speech/CodeText.h"

namespace ostrin {

ProgressSink* MessageMacrosProgress = nullptr;

namespace {

constexpr const char* section = "Message_Macros";

}  // namespace

std::string MessageMacroKey(int macro) { return NumberedName("Message_Macro", macro); }

MessageMacroRecord MessageMacroFromText(std::string_view text) {
  MessageMacroRecord record;
  if (text == EmptyMessageMacroText) return record;
  const CodeList list = MessageTextToCodes(text);
  record.size = std::min(list.count, MessageWordCapacity);
  std::copy_n(list.codes.begin(), record.size, record.words.begin());
  return record;
}

std::string MessageMacroText(const MessageMacroRecord& record) {
  if (record.size <= 0) return std::string(EmptyMessageMacroText);
  CodeList list;
  list.count = std::min(record.size, MessageWordCapacity);
  std::copy_n(record.words.begin(), list.count, list.codes.begin());
  return MessageCodesToText(list);
}

void LoadMessageMacrosFromDataFile() {
  ProfileSession session;
  BaselineLoadScope baseline;
  for (int macro = 1; macro <= MessageMacroCount; ++macro) {
    const std::string text = ReadProfileText(section, MessageMacroKey(macro), EmptyMessageMacroText);
    SetMessageMacro(FirstMessageMacro + macro - 1, MessageMacroFromText(text));
  }
}

SaveResult SaveMessageMacrosToDataFile() {
  ProfileSession session;
  for (int macro = 1; macro <= MessageMacroCount; ++macro) {
    StepProgress(MessageMacrosProgress, macro - 1);
    WriteProfileText(section, MessageMacroKey(macro), MessageMacroText(GetMessageMacro(FirstMessageMacro + macro - 1)));
  }
  StepProgress(MessageMacrosProgress, 100);
  return session.Commit();
}

}  // namespace ostrin
