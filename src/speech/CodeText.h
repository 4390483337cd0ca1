// Conversions between the text an operator types (or a data file holds) and
// the code lists of voice IDs, CW IDs, message macros and DTMF memories.
//
// Every conversion from text splits it into tokens at the space character
// (0x20) only: runs of spaces count as one, leading and trailing spaces give
// nothing, and tabs or other white space stay part of the token they touch.
// Tokens are taken from left to right; a token that matches nothing is
// dropped (CW: becomes code 0) without notice, and no conversion fails.
//
// Lists come and go as CodeList. A conversion writes at most CodeList::Capacity
// codes; one that reads a list uses only its first min(count, Capacity) codes
// and treats a negative count as 0. Code-to-text results end every item with
// one space, so a non-empty text always ends in a space.
//
// A word with a space in it ("MILES PER HOUR", "THANK YOU", "THE TIME IS") can
// never be a token, so it is written and accepted with underscores in place
// of its spaces ("THANK_YOU"); the text of a list then converts back to it.
//
// All functions are pure; any thread may call them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/ParameterStore.h"

namespace ostrin {

enum class CodeKind { VoiceId, CwId };

// The leading decimal number of a text: leading white space, an optional sign
// and digits. 0 when the text does not begin with a number; a number beyond
// the 32-bit range gives INT32_MAX or INT32_MIN.
std::int32_t LeadingDecimal(std::string_view text);

// Calls visit(token) for each space-separated token, left to right, until
// visit returns false.
template <typename Visit>
void ForEachToken(std::string_view text, Visit&& visit) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    while (pos < text.size() && text[pos] == ' ') ++pos;
    if (pos == text.size()) return;
    std::size_t end = text.find(' ', pos);
    if (end == std::string_view::npos) end = text.size();
    if (!visit(text.substr(pos, end - pos))) return;
    pos = end;
  }
}

// Word codes of the tokens that equal a voice word (letter case significant).
// The count is limited only by CodeList::Capacity; callers keep what they store.
CodeList VoiceTextToCodes(std::string_view text);
// Each code's word (taken from the code's low 8 bits) and a space.
std::string VoiceCodesToText(const CodeList& list);

// Word codes of the tokens that equal a message word, ignoring the case of
// ASCII letters; at most MessageWordCapacity (9) codes.
CodeList MessageTextToCodes(std::string_view text);
// Each code's word and a space; a code outside 0..255 is written as "??".
std::string MessageCodesToText(const CodeList& list);

// Character codes of the tokens (upper-cased) that equal a CW text; a token
// that is no CW text gives code 0. At most CwListCapacity (15) codes.
CodeList CwTextToCodes(std::string_view text);
// Each code's CW text, or "??" for a code without one, and a space.
std::string CwCodesToText(const CodeList& list);

// Digit codes of the tokens' first characters (0-9, A-D in either case, *, #);
// a token starting with anything else is dropped. At most DtmfDigitCapacity (10).
CodeList DtmfTextToDigits(std::string_view text);
// Each digit's character and a space; a code outside 0..15 is left out.
std::string DtmfDigitsToText(const CodeList& list);

// The data-file form of voice and CW IDs: each code in signed decimal and a space.
std::string CodesToNumberText(const CodeList& list);
// Reads that form back: each token's LeadingDecimal. VoiceId keeps values
// below 256 (others are dropped) up to VoiceListCapacity (22); CwId keeps every
// value up to CwListCapacity (15).
CodeList NumberTextToCodes(std::string_view text, CodeKind kind);

}  // namespace ostrin
