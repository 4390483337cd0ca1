#include "speech/CodeText.h"

#include <algorithm>
#include <cstddef>
#include <limits>

#include "speech/SpeechTables.h"

namespace ostrin {

namespace {

constexpr std::string_view UnknownCodeText = "??";

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsWhiteSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// How a token is compared with a table word: bytes as they are, or with the
// ASCII letters of both upper-cased.
enum class LetterCase { Significant, Ignored };

bool SameChar(char a, char b, LetterCase letterCase) {
  return letterCase == LetterCase::Significant ? a == b : AsciiUpper(a) == AsciiUpper(b);
}

// True when the token equals the word, or the word with its spaces written as
// underscores (the only way a token can name a word that contains a space).
bool TokenNamesWord(std::string_view token, std::string_view word, LetterCase letterCase) {
  if (token.size() != word.size()) return false;
  for (std::size_t i = 0; i < token.size(); ++i) {
    const bool underscoreForSpace = word[i] == ' ' && token[i] == '_';
    if (!underscoreForSpace && !SameChar(token[i], word[i], letterCase)) return false;
  }
  return true;
}

// The word as a token: its spaces written as underscores.
void AppendWord(std::string& text, std::string_view word) {
  for (const char c : word) text += c == ' ' ? '_' : c;
  text += ' ';
}

int UsableCount(const CodeList& list) { return std::clamp(list.count, 0, CodeList::Capacity); }

// Fills a list from the tokens: codeOf(token, code) sets the code of a token
// and says whether it is kept; tokens are read until limit codes are held
// (never more than the list's capacity).
template <typename CodeOf>
CodeList CodesOfTokens(std::string_view text, int limit, CodeOf&& codeOf) {
  CodeList list;
  limit = std::min(limit, CodeList::Capacity);
  ForEachToken(text, [&](std::string_view token) {
    std::int32_t code = 0;
    if (codeOf(token, code)) list.codes[static_cast<std::size_t>(list.count++)] = code;
    return list.count < limit;
  });
  return list;
}

template <typename AppendText>
std::string TextOfCodes(const CodeList& list, AppendText&& appendText) {
  std::string text;
  const int count = UsableCount(list);
  for (int i = 0; i < count; ++i) appendText(text, list.codes[static_cast<std::size_t>(i)]);
  return text;
}

}  // namespace

std::int32_t LeadingDecimal(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && IsWhiteSpace(text[pos])) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  // Accumulate the magnitude in 64 bits and stop growing it just past the
  // 32-bit range, so any number of digits is safe.
  constexpr std::int64_t Ceiling = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
    magnitude = std::min(magnitude * 10 + (text[pos] - '0'), Ceiling);
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

CodeList VoiceTextToCodes(std::string_view text) {
  return CodesOfTokens(text, CodeList::Capacity, [](std::string_view token, std::int32_t& code) {
    for (std::size_t i = 0; i < VoiceWordTable.size(); ++i) {
      if (TokenNamesWord(token, VoiceWordTable[i], LetterCase::Significant)) {
        code = static_cast<std::int32_t>(i);
        return true;
      }
    }
    return false;
  });
}

std::string VoiceCodesToText(const CodeList& list) {
  return TextOfCodes(list, [](std::string& text, std::int32_t code) {
    const auto low8Bits = static_cast<std::int32_t>(static_cast<std::uint32_t>(code) & 0xFFu);
    AppendWord(text, VoiceWordText(low8Bits));
  });
}

CodeList MessageTextToCodes(std::string_view text) {
  return CodesOfTokens(text, MessageWordCapacity, [](std::string_view token, std::int32_t& code) {
    for (const MessageWord& entry : MessageWordTable) {
      if (TokenNamesWord(token, entry.word, LetterCase::Ignored)) {
        code = entry.code;
        return true;
      }
    }
    return false;
  });
}

std::string MessageCodesToText(const CodeList& list) {
  return TextOfCodes(list, [](std::string& text, std::int32_t code) {
    const std::string_view word = MessageWordText(code);
    AppendWord(text, word.empty() ? UnknownCodeText : word);
  });
}

CodeList CwTextToCodes(std::string_view text) {
  return CodesOfTokens(text, CwListCapacity, [](std::string_view token, std::int32_t& code) {
    code = 0;
    for (const CwCharacter& character : CwCharacterTable) {
      if (TokenNamesWord(token, character.text, LetterCase::Ignored)) {
        code = character.code;
        break;
      }
    }
    return true;
  });
}

std::string CwCodesToText(const CodeList& list) {
  return TextOfCodes(list, [](std::string& text, std::int32_t code) {
    const std::string_view character = CwCharacterText(code);
    AppendWord(text, character.empty() ? UnknownCodeText : character);
  });
}

CodeList DtmfTextToDigits(std::string_view text) {
  return CodesOfTokens(text, DtmfDigitCapacity, [](std::string_view token, std::int32_t& code) {
    const char first = AsciiUpper(token.front());
    for (std::size_t i = 0; i < DtmfDigitTable.size(); ++i) {
      if (DtmfDigitTable[i] == first) {
        code = static_cast<std::int32_t>(i);
        return true;
      }
    }
    return false;
  });
}

std::string DtmfDigitsToText(const CodeList& list) {
  return TextOfCodes(list, [](std::string& text, std::int32_t code) {
    const char digit = DtmfDigitChar(code);
    if (digit == '\0') return;
    text += digit;
    text += ' ';
  });
}

std::string CodesToNumberText(const CodeList& list) {
  return TextOfCodes(list, [](std::string& text, std::int32_t code) {
    text += std::to_string(code);
    text += ' ';
  });
}

CodeList NumberTextToCodes(std::string_view text, CodeKind kind) {
  const bool voice = kind == CodeKind::VoiceId;
  return CodesOfTokens(text, voice ? VoiceListCapacity : CwListCapacity,
                       [voice](std::string_view token, std::int32_t& code) {
                         code = LeadingDecimal(token);
                         return !voice || code < VoiceWordCount;
                       });
}

}  // namespace ostrin
