#include "speech/MacroFunctionCatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace ostrin {
namespace {

std::string_view NameOf(int number) {
  for (const MacroFunction& row : MacroFunctionCatalogue) {
    if (row.number == number) return row.name;
  }
  return "<no row>";
}

// The position of a line in the display list, or -1.
int LineIndex(std::string_view line) {
  const auto& lines = MacroFunctionDisplayLines();
  const auto it = std::find(lines.begin(), lines.end(), line);
  return it == lines.end() ? -1 : static_cast<int>(it - lines.begin());
}

TEST(MacroFunctionCatalogue, NumbersAscendWithTheKnownGaps) {
  ASSERT_EQ(MacroFunctionCatalogue.size(), 716u);
  std::set<int> numbers;
  for (std::size_t i = 0; i < MacroFunctionCatalogue.size(); ++i) {
    numbers.insert(MacroFunctionCatalogue[i].number);
    if (i > 0) {
      EXPECT_LT(MacroFunctionCatalogue[i - 1].number, MacroFunctionCatalogue[i].number);
    }
  }
  std::set<int> expected = {810, 850, 901, 2005, 2006, 2007};
  for (int n = 1; n <= 720; ++n) expected.insert(n);
  for (const int gap : {255, 497, 698, 699, 704, 705, 706, 707, 708, 709}) expected.erase(gap);
  EXPECT_EQ(numbers, expected);
}

TEST(MacroFunctionCatalogue, NamesAreStoredExactly) {
  const std::vector<std::pair<int, std::string_view>> cases = {
      {1, "Port 1 CTCSS Access"},
      {7, "Port 1 DTMF Covertone ON "},
      {12, "Port 3 DTMF Covertone OFF"},
      {14, "Port 2 TX Enable"},
      {15, "Port 3 TX Enable "},
      {36, "Port 3 Monitor Mix "},
      {49, "Port 1 Courtesy Tone 1"},
      {58, "Port 1 Courtesy Tone 10"},
      {78, "Port 3 Courtesy Tone 10"},
      {85, "CTCSS Encode ON (for the duration of this Macro)"},
      {116, "Say Time "},
      {125, "UnLink All Ports"},
      {145, "Play DVR Track 20"},
      {156, "Alarm 5 ON "},
      {168, "Speech Out All Ports  "},
      {226, "Play Message Macro 40"},
      {254, "Stop ID/Disable Timeout Timer Port 3"},
      {256, "Resume ID/Enable Timeout Timer Port 1"},
      {308, "Don't say year as part of date"},
      {312, "Port 1 Tail Message 1"},
      {320, "Port 3 Tail Message 3"},
      {339, "Enable Speech ID's Port 1"},
      {395, "Extended Logic Output 32 ON"},
      {427, "Extended Logic Output 32 PULSE"},
      {460, "Play Message Macro 41"},
      {489, "Play Message Macro 70"},
      {496, "Remote Base Memory 17"},
      {498, "Remote Base Memory 19"},
      {510, "NOT USED"},
      {520, "Remote Base Memory 40"},
      {550, "Send DTMF Memory 50"},
      {581, "Readback A/D Channel 4 Stored High"},
      {582, "Readback A/D Channel 5Stored High"},
      {583, "Readback A/D Channel 6 Stored High"},
      {588, "Disable Port 3 Timeout Timer ONLY for 60 min."},
      {629, "Port 3 Hangtimer 3 Select"},
      {689, "Port 3 Following Courtesy Tone 10"},
      {690, "Reserved For Future use"},
      {703, "Read Digital Temperature Sensor #4"},
      {718, "Read Digit Temp #4 HIGH value"},
      {720, "Linked port ID Triggering OFF"},
      {810, "Suspend SetPoint 1"},
      {850, "Resume SetPoint 1"},
      {901, "Call Macro 1"},
      {2005, "UF8 ON"},
      {2007, "UF8 Pulse"},
  };
  for (const auto& [number, name] : cases) EXPECT_EQ(NameOf(number), name) << "row " << number;
}

TEST(MacroFunctionDisplayLines, HasEveryRowAndTheGeneratedSeries) {
  const auto& lines = MacroFunctionDisplayLines();
  ASSERT_EQ(lines.size(), 883u);
  EXPECT_EQ(&lines, &MacroFunctionDisplayLines());

  std::vector<int> numbers;
  for (const std::string& line : lines) numbers.push_back(std::atoi(line.c_str()));
  EXPECT_TRUE(std::is_sorted(numbers.begin(), numbers.end()));
  EXPECT_EQ(std::set<int>(numbers.begin(), numbers.end()).size(), numbers.size());
  std::set<int> shown(numbers.begin(), numbers.end());
  for (int n = 811; n <= 849; ++n) EXPECT_TRUE(shown.count(n)) << n;
  for (int n = 851; n <= 889; ++n) EXPECT_TRUE(shown.count(n)) << n;
  for (int n = 902; n <= 990; ++n) EXPECT_TRUE(shown.count(n)) << n;
  EXPECT_FALSE(shown.count(890));
  EXPECT_FALSE(shown.count(991));
}

TEST(MacroFunctionDisplayLines, FormatsNumberAndName) {
  const auto& lines = MacroFunctionDisplayLines();
  ASSERT_EQ(lines.size(), 883u);
  EXPECT_EQ(lines.front(), "  1  Port 1 CTCSS Access");
  EXPECT_EQ(lines[lines.size() - 3], "2005  UF8 ON");
  EXPECT_EQ(lines[lines.size() - 2], "2006  UF8 OFF");
  EXPECT_EQ(lines.back(), "2007  UF8 Pulse");
  EXPECT_GE(LineIndex(" 99  UF5 ON"), 0);
  EXPECT_GE(LineIndex("168  Speech Out All Ports  "), 0);
  EXPECT_GE(LineIndex("582  Readback A/D Channel 5Stored High"), 0);
}

TEST(MacroFunctionDisplayLines, LinesFollowEachOtherAcrossGapsAndSeries) {
  const std::vector<std::pair<std::string, std::string>> neighbours = {
      {"254  Stop ID/Disable Timeout Timer Port 3", "256  Resume ID/Enable Timeout Timer Port 1"},
      {"496  Remote Base Memory 17", "498  Remote Base Memory 19"},
      {"697  Interrogate Port 3 Link Status", "700  Read Digital Temperature Sensor #1"},
      {"703  Read Digital Temperature Sensor #4", "710  Enable Stuck Tx Checking Code"},
      {"720  Linked port ID Triggering OFF", "810  Suspend SetPoint 1"},
      {"810  Suspend SetPoint 1", "811  Suspend Setpoint 2"},
      {"849  Suspend Setpoint 40", "850  Resume SetPoint 1"},
      {"850  Resume SetPoint 1", "851  Resume Setpoint 2"},
      {"889  Resume Setpoint 40", "901  Call Macro 1"},
      {"901  Call Macro 1", "902  Call Macro 2"},
      {"990  Call Macro 90", "2005  UF8 ON"},
  };
  for (const auto& [first, second] : neighbours) {
    const int index = LineIndex(first);
    ASSERT_GE(index, 0) << first;
    EXPECT_EQ(LineIndex(second), index + 1) << first << " / " << second;
  }
}

}  // namespace
}  // namespace ostrin
