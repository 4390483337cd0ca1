// The Message macros category: the section "Message_Macros", with one key
// "Message_Macro1".."Message_Macro70" per message macro (283..352) holding its
// words, or "NONE STORED" for an empty macro; with the conversions between a
// macro and that text, which the dialog's lines use as well.
#pragma once

#include <string>
#include <string_view>

#include "datafile/FileIo.h"
#include "datafile/Progress.h"
#include "model/ParameterStore.h"

namespace ostrin {

inline constexpr int MessageMacroCount = 70;
inline constexpr std::string_view EmptyMessageMacroText = "NONE STORED";

// "Message_Macro1".."Message_Macro70".
std::string MessageMacroKey(int macro);

// The macro a text stands for: empty (count 0, every word 0) for exactly
// "NONE STORED", else the message words of the text (at most 9), the words
// past the count 0. Never fails: a text without a vocabulary word is empty.
MessageMacroRecord MessageMacroFromText(std::string_view text);
// The words of a macro, each followed by a space, or "NONE STORED" when it
// holds none. Only the first 9 words exist, so a larger count shows 9.
std::string MessageMacroText(const MessageMacroRecord& record);

// The category's progress window while its dialog saves; null otherwise.
extern ProgressSink* MessageMacrosProgress;

// Reads the 70 macros (missing keys are empty macros) into the store.
void LoadMessageMacrosFromDataFile();
// Writes the 70 macros; the result says whether the file could be written.
SaveResult SaveMessageMacrosToDataFile();

}  // namespace ostrin
