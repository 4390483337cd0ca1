#include "speech/CodeText.h"
#include "speech/SpeechTables.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>
#include <vector>

namespace ostrin {
namespace {

constexpr std::int32_t Int32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t Int32Min = std::numeric_limits<std::int32_t>::min();

using Codes = std::vector<std::int32_t>;

Codes CodesOf(const CodeList& list) {
  return Codes(list.codes.begin(), list.codes.begin() + list.count);
}

CodeList ListOf(std::initializer_list<std::int32_t> codes) {
  CodeList list;
  for (const std::int32_t code : codes) list.codes[static_cast<std::size_t>(list.count++)] = code;
  return list;
}

std::string Repeat(std::string_view piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

struct TextCase {
  const char* name;
  std::string text;
  Codes expected;
};

void ExpectCases(CodeList (*convert)(std::string_view), const std::vector<TextCase>& cases) {
  for (const TextCase& c : cases) {
    EXPECT_EQ(CodesOf(convert(c.text)), c.expected) << c.name << ": \"" << c.text << "\"";
  }
}

struct ListCase {
  const char* name;
  CodeList list;
  std::string expected;
};

void ExpectCases(std::string (*convert)(const CodeList&), const std::vector<ListCase>& cases) {
  for (const ListCase& c : cases) EXPECT_EQ(convert(c.list), c.expected) << c.name;
}

// --- Tokens and numbers ---

TEST(ForEachToken, SplitsAtSpacesOnly) {
  struct Case {
    std::string text;
    std::vector<std::string> tokens;
  };
  const std::vector<Case> cases = {
      {"", {}},
      {"    ", {}},
      {"a", {"a"}},
      {"  a   bc ", {"a", "bc"}},
      {"a\tb c", {"a\tb", "c"}},
      {"\t ", {"\t"}},
      {"x\ny", {"x\ny"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> tokens;
    ForEachToken(c.text, [&](std::string_view token) {
      tokens.emplace_back(token);
      return true;
    });
    EXPECT_EQ(tokens, c.tokens) << '"' << c.text << '"';
  }
}

TEST(ForEachToken, StopsWhenTheVisitorSaysSo) {
  int visits = 0;
  ForEachToken("a b c d", [&](std::string_view) { return ++visits < 2; });
  EXPECT_EQ(visits, 2);
}

TEST(LeadingDecimal, ReadsTheLeadingSignedNumber) {
  struct Case {
    std::string text;
    std::int32_t expected;
  };
  const std::vector<Case> cases = {
      {"", 0},
      {"abc", 0},
      {"12abc", 12},
      {"007", 7},
      {"+5", 5},
      {"-42", -42},
      {" \t\n-42", -42},
      {"-", 0},
      {"+-5", 0},
      {"- 5", 0},
      {"x12", 0},
      {"2147483647", Int32Max},
      {"2147483648", Int32Max},
      {"99999999999999999999", Int32Max},
      {"-2147483648", Int32Min},
      {"-2147483649", Int32Min},
      {"-99999999999999999999", Int32Min},
      {"00000000000000000000000000012", 12},
      {Repeat("9", 10000), Int32Max},
      {"-" + Repeat("9", 10000), Int32Min},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LeadingDecimal(c.text), c.expected) << '"' << c.text.substr(0, 40) << '"';
  }
}

// --- Voice ---

TEST(VoiceTextToCodes, MatchesWordsCaseSensitively) {
  ExpectCases(VoiceTextToCodes, {
      {"empty", "", {}},
      {"only spaces", "     ", {}},
      {"two spaces and a trailing one", "GOOD  MORNING ", {122, 157}},
      {"lower case is no word", "good morning", {}},
      {"unknown token skipped", "GOOD XYZZY MORNING", {122, 157}},
      {"0 and 21 are no words", "0 21", {}},
      {"ZERO", "ZERO", {0}},
      {"twenty one is said as two words", "20 1", {20, 1}},
      {"tab joins its neighbours", "GOOD\tMORNING", {}},
      {"spaced phrase falls apart", "MILES PER HOUR", {129}},
      {"qualified words", "THE(LONG) -S(MAKES_PLURAL) SILENCE(PAUSE)", {205, 234, 235}},
      {"message spelling is no voice word", "THE(long) A.M. 100", {}},
      {"recordings", "DVR1 DVR20", {236, 255}},
  });
}

TEST(VoiceTextToCodes, CountIsNotLimitedToAVoiceId) {
  std::string text;
  for (int code = 100; code < 125; ++code) text += std::string(VoiceWordText(code)) + " ";
  Codes expected;
  for (int code = 100; code < 125; ++code) expected.push_back(code);
  EXPECT_EQ(CodesOf(VoiceTextToCodes(text)), expected);
}

TEST(VoiceCodesToText, WritesEachWordAndASpace) {
  ExpectCases(VoiceCodesToText, {
      {"empty list", ListOf({}), ""},
      {"good morning", ListOf({122, 157}), "GOOD MORNING "},
      {"low 8 bits of 378", ListOf({378}), "GOOD "},
      {"low 8 bits of -1", ListOf({-1}), "DVR20 "},
      {"low 8 bits of INT32_MIN", ListOf({Int32Min}), "ZERO "},
      {"numerals", ListOf({0, 20, 1}), "ZERO 20 1 "},
  });
}

// --- Message ---

TEST(MessageTextToCodes, MatchesWordsIgnoringCase) {
  Codes firstNine = {0, 1, 2, 3, 4, 5, 6, 7, 8};
  ExpectCases(MessageTextToCodes, {
      {"empty", "", {}},
      {"only spaces", "   ", {}},
      {"lower case", "good morning", {122, 157}},
      {"qualifier as listed", "the(long)", {205}},
      {"qualifier upper case", "THE(LONG)", {205}},
      {"message spellings", "100 1000 a.m. p.m. use(noun) -s(makes_plural)",
       {28, 29, 73, 184, 221, 234}},
      {"voice spelling is no message word", "HUNDRED AM PM USENOUN", {}},
      {"unknown skipped", "hello xyzzy", {124}},
      {"twelve words keep nine", "ZERO 1 2 3 4 5 6 7 8 9 10 11", firstNine},
      {"unknown after nine", "ZERO 1 2 3 4 5 6 7 8 xyzzy 9", firstNine},
  });
}

TEST(MessageCodesToText, WritesEachWordAndASpace) {
  ExpectCases(MessageCodesToText, {
      {"empty list", ListOf({}), ""},
      {"good morning", ListOf({122, 157}), "GOOD MORNING "},
      {"message spellings", ListOf({28, 73, 205}), "100 A.M. THE(long) "},
      {"codes outside the table", ListOf({256, -1, 5, Int32Max}), "?? ?? 5 ?? "},
  });
}

// --- Words with a space ---

TEST(WordsWithASpace, AreEnteredWithUnderscores) {
  ExpectCases(VoiceTextToCodes, {
      {"voice underscores", "MILES_PER_HOUR THANK_YOU THE_TIME_IS", {150, 204, 207}},
      {"voice case matters", "thank_you Thank_You", {}},
      {"voice partial underscore", "THANK_ THANK_YOU_", {}},
  });
  ExpectCases(MessageTextToCodes, {
      {"message underscores", "thank_you miles_per_hour THE_TIME_IS", {204, 150, 207}},
      {"message spaced words fall apart", "THANK YOU", {}},
  });
}

TEST(WordsWithASpace, SurviveTheRoundTrip) {
  const CodeList voice = ListOf({122, 150, 204, 207, 157});
  const std::string voiceText = VoiceCodesToText(voice);
  EXPECT_EQ(voiceText, "GOOD MILES_PER_HOUR THANK_YOU THE_TIME_IS MORNING ");
  EXPECT_EQ(CodesOf(VoiceTextToCodes(voiceText)), CodesOf(voice));
  EXPECT_EQ(VoiceCodesToText(VoiceTextToCodes(voiceText)), voiceText);

  const CodeList message = ListOf({204, 150, 207, 205});
  const std::string messageText = MessageCodesToText(message);
  EXPECT_EQ(messageText, "THANK_YOU MILES_PER_HOUR THE_TIME_IS THE(long) ");
  EXPECT_EQ(CodesOf(MessageTextToCodes(messageText)), CodesOf(message));
  EXPECT_EQ(MessageCodesToText(MessageTextToCodes(messageText)), messageText);
}

TEST(WordsWithASpace, EveryWordOfBothVocabulariesRoundTrips) {
  for (int code = 0; code < 256; ++code) {
    const CodeList list = ListOf({code});
    EXPECT_EQ(CodesOf(VoiceTextToCodes(VoiceCodesToText(list))), Codes{code}) << code;
    EXPECT_EQ(CodesOf(MessageTextToCodes(MessageCodesToText(list))), Codes{code}) << code;
  }
}

// --- CW ---

TEST(CwTextToCodes, MatchesUpperCasedTokens) {
  Codes firstFifteen = {21, 22, 23, 31, 32, 33, 41, 42, 43, 51, 52, 53, 61, 62, 63};
  ExpectCases(CwTextToCodes, {
      {"empty", "", {}},
      {"only spaces", "  ", {}},
      {"prosigns in lower case", "sk ar", {60, 13}},
      {"unknown becomes 0", "& a", {0, 21}},
      {"signs", "- SPACE space / , ?", {10, 11, 11, 12, 14, 20}},
      {"digits", "0 9", {0, 9}},
      {"twenty letters keep fifteen", "A B C D E F G H I J K L M N O P Q R S T", firstFifteen},
      {"multi-letter token is no character", "AB", {0}},
  });
}

TEST(CwCodesToText, WritesEachCharacterAndASpace) {
  ExpectCases(CwCodesToText, {
      {"empty list", ListOf({}), ""},
      {"test", ListOf({81, 32, 73, 81}), "T E S T "},
      {"no character", ListOf({15}), "?? "},
      {"far out of range", ListOf({Int32Min, -1, 256}), "?? ?? ?? "},
      {"signs", ListOf({11, 13, 60}), "SPACE AR SK "},
  });
}

// --- DTMF ---

TEST(DtmfTextToDigits, TakesEachTokensFirstCharacter) {
  ExpectCases(DtmfTextToDigits, {
      {"empty", "", {}},
      {"only spaces", " ", {}},
      {"first character only", "12 3 #", {1, 3, 15}},
      {"unknown skipped", "x 5", {5}},
      {"letters either case", "a b c d", {10, 11, 12, 13}},
      {"upper case", "A B C D * #", {10, 11, 12, 13, 14, 15}},
      {"eleven digits keep ten", "1 2 3 4 5 6 7 8 9 0 1", {1, 2, 3, 4, 5, 6, 7, 8, 9, 0}},
      {"E is no digit", "e E", {}},
      {"tab first is no digit", "\t5", {}},
  });
}

TEST(DtmfDigitsToText, WritesEachDigitAndASpace) {
  ExpectCases(DtmfDigitsToText, {
      {"empty list", ListOf({}), ""},
      {"star and hash", ListOf({1, 14, 15}), "1 * # "},
      {"outside 0..15 skipped", ListOf({16, -1, 3, Int32Max}), "3 "},
      {"letters", ListOf({10, 13}), "A D "},
  });
}

// --- Numbers ---

TEST(CodesToNumberText, WritesSignedDecimals) {
  ExpectCases(CodesToNumberText, {
      {"empty list", ListOf({}), ""},
      {"two codes", ListOf({122, 157}), "122 157 "},
      {"extremes", ListOf({-5, Int32Min, Int32Max}), "-5 -2147483648 2147483647 "},
  });
}

TEST(NumberTextToCodes, ReadsVoiceAndCwIds) {
  struct Case {
    const char* name;
    std::string text;
    Codes voice;
    Codes cw;
  };
  std::string twentyFive;
  Codes first22;
  for (int i = 1; i <= 25; ++i) {
    twentyFive += std::to_string(i * 10) + " ";
    if (i <= 22) first22.push_back(i * 10);
  }
  const Codes first15(first22.begin(), first22.begin() + 15);
  const std::vector<Case> cases = {
      {"empty", "", {}, {}},
      {"only spaces", "    ", {}, {}},
      {"range and non-number", "300 5 abc", {5, 0}, {300, 5, 0}},
      {"255 and 256", "255 256", {255}, {255, 256}},
      {"leading number of a token", "12abc +7 \t9", {12, 7, 9}, {12, 7, 9}},
      {"negative values are below 256", "-3", {-3}, {-3}},
      {"beyond 32 bits", "99999999999 -99999999999", {Int32Min}, {Int32Max, Int32Min}},
      {"twenty-five numbers", twentyFive, first22, first15},
      {"dropped values do not count", Repeat("999 ", 30) + "1", {1}, Codes(15, 999)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CodesOf(NumberTextToCodes(c.text, CodeKind::VoiceId)), c.voice) << c.name;
    EXPECT_EQ(CodesOf(NumberTextToCodes(c.text, CodeKind::CwId)), c.cw) << c.name;
  }
}

TEST(NumberTextToCodes, ReadsBackWhatCodesToNumberTextWrote) {
  const CodeList list = ListOf({0, 255, 122, 157, 1});
  EXPECT_EQ(CodesOf(NumberTextToCodes(CodesToNumberText(list), CodeKind::VoiceId)), CodesOf(list));
  EXPECT_EQ(CodesOf(NumberTextToCodes(CodesToNumberText(list), CodeKind::CwId)), CodesOf(list));
}

// --- Bad input ---

TEST(BadInput, VeryLongTextsStopAtTheCapacity) {
  const std::string words = Repeat("GOOD ", 100000);
  EXPECT_EQ(VoiceTextToCodes(words).count, CodeList::Capacity);
  EXPECT_EQ(MessageTextToCodes(words).count, 9);
  EXPECT_EQ(CwTextToCodes(words).count, 15);
  const std::string digits = Repeat("1 ", 100000);
  EXPECT_EQ(DtmfTextToDigits(digits).count, 10);
  EXPECT_EQ(NumberTextToCodes(digits, CodeKind::VoiceId).count, 22);
  EXPECT_EQ(NumberTextToCodes(digits, CodeKind::CwId).count, 15);

  const std::string oneToken = Repeat("X", 1000000);
  for (auto* convert : {VoiceTextToCodes, MessageTextToCodes, DtmfTextToDigits}) {
    EXPECT_EQ(convert(oneToken).count, 0);
  }
  EXPECT_EQ(CodesOf(CwTextToCodes(oneToken)), Codes{0});
  EXPECT_EQ(CodesOf(NumberTextToCodes(Repeat("7", 1000000), CodeKind::CwId)), Codes{Int32Max});
}

TEST(BadInput, NegativeCountsGiveEmptyTexts) {
  for (const std::int32_t count : {-1, -256, Int32Min}) {
    CodeList list = ListOf({1, 2, 3});
    list.count = count;
    EXPECT_EQ(VoiceCodesToText(list), "") << count;
    EXPECT_EQ(MessageCodesToText(list), "") << count;
    EXPECT_EQ(CwCodesToText(list), "") << count;
    EXPECT_EQ(DtmfDigitsToText(list), "") << count;
    EXPECT_EQ(CodesToNumberText(list), "") << count;
  }
}

TEST(BadInput, CountsAboveTheCapacityUseTheWholeList) {
  CodeList list;
  list.codes.fill(1);
  list.count = Int32Max;
  EXPECT_EQ(VoiceCodesToText(list), Repeat("1 ", CodeList::Capacity));
  EXPECT_EQ(MessageCodesToText(list), Repeat("1 ", CodeList::Capacity));
  EXPECT_EQ(CwCodesToText(list), Repeat("1 ", CodeList::Capacity));
  EXPECT_EQ(DtmfDigitsToText(list), Repeat("1 ", CodeList::Capacity));
  EXPECT_EQ(CodesToNumberText(list), Repeat("1 ", CodeList::Capacity));
}

TEST(BadInput, AllByteValuesConvertWithoutHarm) {
  std::string bytes;
  for (int b = 0; b < 256; ++b) {
    bytes += static_cast<char>(b);
    if (b % 3 == 0) bytes += ' ';
  }
  EXPECT_LE(VoiceTextToCodes(bytes).count, CodeList::Capacity);
  EXPECT_LE(MessageTextToCodes(bytes).count, 9);
  EXPECT_LE(CwTextToCodes(bytes).count, 15);
  EXPECT_LE(DtmfTextToDigits(bytes).count, 10);
  EXPECT_LE(NumberTextToCodes(bytes, CodeKind::VoiceId).count, 22);
  EXPECT_LE(NumberTextToCodes(bytes, CodeKind::CwId).count, 15);
}

}  // namespace
}  // namespace ostrin
