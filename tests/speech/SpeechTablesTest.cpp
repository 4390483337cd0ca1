#include "speech/SpeechTables.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace ostrin {
namespace {

TEST(VoiceWordTable, HasTheWordsAtTheirCodes) {
  const std::vector<std::pair<int, std::string_view>> cases = {
      {0, "ZERO"},         {1, "1"},           {20, "20"},
      {21, "30"},          {27, "90"},         {28, "HUNDRED"},
      {29, "THOUSAND"},    {30, "A"},          {55, "Z"},
      {56, "ABOVE"},       {71, "AUXILARY"},   {73, "AM"},
      {122, "GOOD"},       {150, "MILES PER HOUR"}, {157, "MORNING"},
      {167, "OCLOCK"},     {184, "PM"},        {204, "THANK YOU"},
      {205, "THE(LONG)"},  {206, "THE(SHORT)"}, {207, "THE TIME IS"},
      {221, "USENOUN"},    {222, "USEVERB"},   {233, "ZULU"},
      {234, "-S(MAKES_PLURAL)"}, {235, "SILENCE(PAUSE)"}, {236, "DVR1"},
      {255, "DVR20"},
  };
  for (const auto& [code, word] : cases) {
    EXPECT_EQ(VoiceWordTable[static_cast<std::size_t>(code)], word) << "code " << code;
    EXPECT_EQ(VoiceWordText(code), word) << "code " << code;
  }
}

TEST(VoiceWordTable, NumeralsLettersAndRecordingsFollowTheirRules) {
  for (int n = 1; n <= 20; ++n) EXPECT_EQ(VoiceWordTable[n], std::to_string(n));
  for (int t = 3; t <= 9; ++t) EXPECT_EQ(VoiceWordTable[18 + t], std::to_string(t * 10));
  for (int c = 0; c < 26; ++c) EXPECT_EQ(VoiceWordTable[30 + c], std::string(1, char('A' + c)));
  for (int n = 1; n <= 20; ++n) EXPECT_EQ(VoiceWordTable[235 + n], "DVR" + std::to_string(n));
}

TEST(VoiceWordTable, HasNoWordTwiceAndNoEmptyWord) {
  std::set<std::string_view> seen;
  for (const std::string_view word : VoiceWordTable) {
    EXPECT_FALSE(word.empty());
    EXPECT_TRUE(seen.insert(word).second) << word;
  }
  EXPECT_EQ(seen.size(), 256u);
}

TEST(MessageWordTable, IsTheVoiceVocabularyWithTwelveSpellings) {
  const std::vector<std::pair<int, std::string_view>> spellings = {
      {28, "100"},        {29, "1000"},         {73, "A.M."},
      {150, "MILES_PER_HOUR"}, {184, "P.M."},   {205, "THE(long)"},
      {206, "THE(short)"}, {207, "THE_TIME_IS"}, {221, "USE(noun)"},
      {222, "USE(verb)"},  {234, "-S(makes_plural)"}, {235, "SILENCE(pause)"},
  };
  std::set<int> differing;
  for (int code = 0; code < MessageWordCount; ++code) {
    const MessageWord& entry = MessageWordTable[static_cast<std::size_t>(code)];
    EXPECT_EQ(entry.code, code);
    EXPECT_EQ(MessageWordText(code), entry.word);
    if (entry.word != VoiceWordTable[static_cast<std::size_t>(code)]) differing.insert(code);
  }
  EXPECT_EQ(differing.size(), spellings.size());
  for (const auto& [code, word] : spellings) {
    EXPECT_EQ(MessageWordTable[static_cast<std::size_t>(code)].word, word) << "code " << code;
  }
  EXPECT_EQ(MessageWordText(204), "THANK YOU");
  EXPECT_EQ(MessageWordText(255), "DVR20");
}

TEST(CwCharacterTable, HasEveryCharacterWithItsCode) {
  std::vector<std::pair<std::string, int>> expected = {
      {"-", 10}, {"SPACE", 11}, {"/", 12}, {"AR", 13}, {",", 14}, {"?", 20}, {"SK", 60},
      {"A", 21}, {"B", 22}, {"C", 23}, {"D", 31}, {"E", 32}, {"F", 33}, {"G", 41},
      {"H", 42}, {"I", 43}, {"J", 51}, {"K", 52}, {"L", 53}, {"M", 61}, {"N", 62},
      {"O", 63}, {"P", 70}, {"Q", 71}, {"R", 72}, {"S", 73}, {"T", 81}, {"U", 82},
      {"V", 83}, {"W", 91}, {"X", 92}, {"Y", 93}, {"Z", 90},
  };
  for (int d = 0; d <= 9; ++d) expected.emplace_back(std::to_string(d), d);
  ASSERT_EQ(expected.size(), CwCharacterTable.size());
  for (const auto& [text, code] : expected) {
    EXPECT_EQ(CwCharacterText(code), text) << "code " << code;
  }
  for (std::size_t i = 1; i < CwCharacterTable.size(); ++i) {
    EXPECT_LT(CwCharacterTable[i - 1].code, CwCharacterTable[i].code) << "entry " << i;
  }
}

TEST(CwCharacterTable, CodesWithoutACharacterHaveNoText) {
  for (const int code : {-1, 15, 19, 24, 30, 94, 255, 256, 2147483647}) {
    EXPECT_TRUE(CwCharacterText(code).empty()) << "code " << code;
  }
}

TEST(DtmfDigitTable, HoldsTheSixteenDigitsInCodeOrder) {
  EXPECT_EQ(std::string(DtmfDigitTable.begin(), DtmfDigitTable.end()), "0123456789ABCD*#");
  EXPECT_EQ(DtmfDigitChar(14), '*');
  EXPECT_EQ(DtmfDigitChar(15), '#');
}

TEST(SpeechTables, LookupsOutsideATableGiveNothing) {
  for (const int code : {-2147483647 - 1, -1, 256, 1000, 2147483647}) {
    EXPECT_TRUE(VoiceWordText(code).empty()) << code;
    EXPECT_TRUE(MessageWordText(code).empty()) << code;
  }
  for (const int code : {-1, 16, 255}) EXPECT_EQ(DtmfDigitChar(code), '\0') << code;
}

}  // namespace
}  // namespace ostrin
