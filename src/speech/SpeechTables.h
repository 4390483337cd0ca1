// The controller's four code tables: the 256 words it can speak (for voice IDs
// and, with a few different spellings, for message macros), the characters it
// can send in CW, and the 16 DTMF digits.
//
// The tables are constant and constant-initialised, so any thread may read
// them at any time, including during static initialisation of other units.
// Each array is in code order; the lookup functions below return an empty
// text (or '\0') for a code that has no entry instead of reading out of range.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace ostrin {

inline constexpr int VoiceWordCount = 256;
inline constexpr int MessageWordCount = 256;
inline constexpr int CwCharacterCount = 43;
inline constexpr int DtmfDigitCount = 16;

struct MessageWord {
  std::int32_t code;
  std::string_view word;
};

struct CwCharacter {
  std::string_view text;
  std::int32_t code;
};

// Index = word code 0..255. Three words contain a space ("MILES PER HOUR",
// "THANK YOU", "THE TIME IS"); the conversions accept them with underscores.
extern const std::array<std::string_view, VoiceWordCount> VoiceWordTable;

// Entry i has code i. The words are the voice words except for twelve
// spellings (28 "100", 29 "1000", 73 "A.M.", 184 "P.M.", lower-case
// qualifiers such as "THE(long)", and "MILES_PER_HOUR", "THE_TIME_IS").
extern const std::array<MessageWord, MessageWordCount> MessageWordTable;

// Ascending by code; the codes are not contiguous (15..19, 24..30, ... have
// no character).
extern const std::array<CwCharacter, CwCharacterCount> CwCharacterTable;

// Index = digit code 0..15: '0'..'9', 'A'..'D', '*', '#'.
extern const std::array<char, DtmfDigitCount> DtmfDigitTable;

// The word of a code 0..255; empty for any other code.
std::string_view VoiceWordText(std::int32_t code);
std::string_view MessageWordText(std::int32_t code);
// The CW text of a code; empty when no character has that code.
std::string_view CwCharacterText(std::int32_t code);
// The DTMF character of a code 0..15; '\0' for any other code.
char DtmfDigitChar(std::int32_t code);

}  // namespace ostrin
