// The Special codes category: the section "Special Codes", holding the unlock
// codes of the three ports (p057), the global lock code (180), the terminator
// (181), the DTMF pad-test prefix (182), the voice command responses (183),
// DR1X mode (184), the muted DTMF digit (185), the DTMF pre-access code (188)
// and its macro range (189), and the triggered IDs on linked ports (192).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "datafile/FileIo.h"
#include "datafile/Progress.h"
#include "model/ParameterStore.h"

namespace ostrin {

inline constexpr ParameterNumber TerminatorNumber = 181;
inline constexpr ParameterNumber VoiceResponsesNumber = 183;
inline constexpr ParameterNumber Dr1xModeNumber = 184;
inline constexpr ParameterNumber DtmfMuteNumber = 185;
inline constexpr ParameterNumber TriggeredIdsNumber = 192;

// A key holding a code as text: a port's unlock code (1057, 2057, 3057) or
// one of the code texts 180, 182, 188.
struct CodeTextKey {
  const char* key;
  const char* defaultText;
  ParameterNumber number;
};
// The code-text keys, in load and save order (the first keys of the section).
std::span<const CodeTextKey> SpecialCodeTextKeys();

// The stored text of an unlock code or code text: its characters up to the
// first NUL, at most the field's width (8 for an unlock code). Empty for any
// other number.
std::string StoredCodeText(ParameterNumber number);

// The terminator as text: the one character of its code for 1..255. A code
// that is no character (0, or outside 1..255) gives the empty text, which
// reads back as 0, so no NUL or stray byte reaches the file or a box.
std::string TerminatorText(std::int32_t code);
// The code of the text's first character (0..255), or 0 for the empty text.
std::int32_t TerminatorCode(std::string_view text);

// Every number of the category, for clearing its edited flags.
std::span<const ParameterNumber> SpecialCodesNumbers();

// The category's progress window while its dialog saves; null otherwise.
extern ProgressSink* SpecialCodesProgress;

// Reads the section (missing keys take their defaults) into the store.
void LoadSpecialCodesFromDataFile();
// Writes the section; the result says whether the file could be written.
SaveResult SaveSpecialCodesToDataFile();

}  // namespace ostrin
