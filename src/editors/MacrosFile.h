// The Macros category: the 90 macros (193..282) in the section "Macros" and
// the receiver macros p061/p062 under "Active Macro" and "InActive Macro" of
// "Port 1".."Port 3"; and the text forms of a macro's steps, DTMF code and
// allowed ports that the data file and the dialog's rows share.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "datafile/FileIo.h"
#include "datafile/Progress.h"
#include "editors/CategoryKeys.h"
#include "model/ParameterStore.h"

namespace ostrin {

inline constexpr int MacroCount = 90;
// The parameter of macro 1..90.
constexpr ParameterNumber MacroNumber(int macro) { return FirstMacro - 1 + macro; }

// The receiver macros of port p are p x 1000 + these offsets (0 = disabled).
inline constexpr int ActiveMacroOffset = 61;
inline constexpr int InactiveMacroOffset = 62;

// What the data file and the rows show for an empty macro and for no code.
inline constexpr std::string_view NoMacroStepsText = "NONE STORED";
inline constexpr std::string_view NoMacroCodeText = "NONE";

using MacroSteps = std::array<std::int32_t, MacroStepCount>;

// The steps in use, each preceded by one space (" 37 116 187"): up to the
// first 0 step, at most 15. Empty when the first step is 0.
std::string MacroStepsToText(const MacroSteps& steps);
// The text split at spaces (runs of spaces make no pieces), each piece's
// leading number into the next step; pieces after the 15th are ignored and
// the remaining steps are 0. "NONE STORED" therefore gives the empty macro.
MacroSteps MacroTextToSteps(std::string_view text);
// MacroStepsToText, or "NONE STORED" when the first step is 0.
std::string MacroStepsText(const MacroSteps& steps);

// The code's characters up to its first 0 byte (at most 8), or "NONE" when
// its first byte is 0.
std::string MacroCodeText(const MacroRecord& record);
// The code of the text: empty for exactly "NONE" (case counts), otherwise its
// first 8 characters, 0-padded when shorter.
void SetMacroCodeFromText(MacroRecord& record, std::string_view text);

// The ports a macro may run from, as MacroAttributes values.
struct AllowedPortsChoice {
  std::uint32_t attributes;
  const char* listText;  // the "Ports Allowed To Run From:" entry
  const char* fileText;  // the "Restrictions" value
  std::int32_t restriction;  // the number the "Restrictions" value stands for
};
inline constexpr std::array<AllowedPortsChoice, 7> AllowedPortsChoices{{
    {0x0000, "All Ports", "123", 123},
    {0x2000, "Port 1", "1", 1},
    {0x4000, "Port 2", "2", 2},
    {0x8000, "Port 3", "3", 3},
    {0x6000, "Ports 1 & 2", "12", 12},
    {0xA000, "Ports 1 & 3", "13", 13},
    {0xC000, "Ports 2 & 3", "23", 23},
}};
// The index of the choice with exactly these attributes; 0 (any port) when none has them.
int AllowedPortsIndex(std::uint32_t attributes);
// The attributes of choice 0..6; 0 (any port) for any other index, such as no selection.
std::uint32_t AllowedPortsAttributes(int index);
// The attributes a "Restrictions" number selects; 0 (any port) for an unknown number.
std::uint32_t AllowedPortsFromRestriction(std::int32_t restriction);

// The receiver-macro keys of a port section, in load and save order.
std::span<const NumberKey> ReceiverMacroKeys();

// The category's progress window while its dialog saves; null otherwise.
extern ProgressSink* MacrosProgress;

// Reads the 90 macros and the six receiver macros (missing keys take their
// defaults: empty macro, no code, any port, disabled) into the store.
void LoadMacrosFromDataFile();
// Writes them; the result says whether the file could be written.
SaveResult SaveMacrosToDataFile();

}  // namespace ostrin
