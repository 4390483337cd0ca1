#include "editors/SchedClockFile.h"

#include <cstring>

#include "editors/CategoryFileTest.h"

namespace ostrin {
namespace {

using SchedClockFileTest = CategoryFileTest;

TEST_F(SchedClockFileTest, AMissingFileLoadsNoReadbackAndIdleSetPoints) {
  SetValue(RtcOptionsNumber, 7);
  LoadSchedClockFromDataFile();
  EXPECT_EQ(GetValue(RtcOptionsNumber).current, 0);
  for (int n = 0; n < SetpointCount; ++n) {
    const SetpointRecord r = GetSetpoint(FirstSetpoint + n);
    EXPECT_EQ(r.enabled, 0) << n;
    EXPECT_EQ(r.dayOfWeek, 0) << n;
    EXPECT_EQ(r.monthOfYear, 0) << n;
    EXPECT_EQ(r.hours, 99) << n;
    EXPECT_EQ(r.minutes, 30) << n;
    EXPECT_EQ(r.macro, 0) << n;
  }
}

TEST_F(SchedClockFileTest, ReadbackOptionsAreSetByTextsBeginningWithEnabled) {
  struct Case {
    const char* year;
    const char* hour24;
    const char* hours;
    std::int32_t expected;
  };
  const Case cases[] = {
      {"Enabled", "Disabled", "Disabled", 1},
      {"Disabled", "Enabled", "Enabled", 6},
      {"Enabled!", "Enabled 24", "Enabled", 7},
      {"enabled", "1", "Enable", 0},
  };
  for (const Case& c : cases) {
    WriteDataFile(std::string("[Real Time Clock]\r\nRTC Year Readback=") + c.year +
                  "\r\nRTC 24 Hour Readback=" + c.hour24 + "\r\nRTC Hours Readback=" + c.hours + "\r\n");
    LoadSchedClockFromDataFile();
    EXPECT_EQ(GetValue(RtcOptionsNumber).current, c.expected) << c.year << " " << c.hour24 << " " << c.hours;
  }
}

TEST_F(SchedClockFileTest, SetPointKeysLoadAsDecimalNumbersUnchecked) {
  WriteDataFile(
      "[Scheduler SetPoint7]\r\nDow=30\r\nMoy=12\r\nHours=0\r\nMinutes=59x\r\nMacro=95\r\nEnabled=1\r\n");
  LoadSchedClockFromDataFile();
  const SetpointRecord r = GetSetpoint(400);
  EXPECT_EQ(r.dayOfWeek, 30);
  EXPECT_EQ(r.monthOfYear, 12);
  EXPECT_EQ(r.hours, 0);
  EXPECT_EQ(r.minutes, 59);
  EXPECT_EQ(r.macro, 95);
  EXPECT_EQ(r.enabled, 1);
  EXPECT_EQ(CountPending(), 0);
}

TEST_F(SchedClockFileTest, SaveWritesOptionsAndSetPointsWithProgress) {
  SetValue(RtcOptionsNumber, 7);
  SetSetpoint(FirstSetpoint + 39, SetpointRecord{0, 1, 20, 3, 23, 5, 90});
  ProgressPositions progress;
  SchedClockProgress = &progress;
  const SaveResult result = SaveSchedClockToDataFile();
  SchedClockProgress = nullptr;
  ASSERT_TRUE(result.ok());
  for (const RtcOptionKey& row : RtcOptionKeys()) EXPECT_EQ(Saved("Real Time Clock", row.key), "Enabled");
  const char* expected[][2] = {{"Dow", "20"},  {"Moy", "3"},   {"Hours", "23"},
                               {"Minutes", "5"}, {"Macro", "90"}, {"Enabled", "1"}};
  for (const auto& [key, value] : expected) EXPECT_EQ(Saved("Scheduler SetPoint40", key), value) << key;
  EXPECT_EQ(Saved("Scheduler SetPoint1", "Hours"), "0");
  std::vector<int> positions{0};
  for (int n = 1; n <= SetpointCount; ++n) positions.push_back(2 * n);
  positions.push_back(100);
  EXPECT_EQ(progress.positions, positions);
}

TEST_F(SchedClockFileTest, SaveWritesDisabledForClearOptions) {
  SetValue(RtcOptionsNumber, Rtc24HourBit);
  ASSERT_TRUE(SaveSchedClockToDataFile().ok());
  EXPECT_EQ(Saved("Real Time Clock", "RTC Year Readback"), "Disabled");
  EXPECT_EQ(Saved("Real Time Clock", "RTC 24 Hour Readback"), "Enabled");
  EXPECT_EQ(Saved("Real Time Clock", "RTC Hours Readback"), "Disabled");
}

TEST(SchedClockCodes, BoxEntriesGiveTheirCodes) {
  auto dayIndex = [](const char* text) {
    for (std::size_t i = 0; i < DayOfWeekTexts.size(); ++i) {
      if (std::strcmp(DayOfWeekTexts[i], text) == 0) return static_cast<int>(i);
    }
    return -1;
  };
  EXPECT_EQ(DayCodeOfDayIndex(dayIndex("Sunday")), 7);
  EXPECT_EQ(DayCodeOfDayIndex(dayIndex("Saturday")), 6);
  EXPECT_EQ(DayCodeOfDayIndex(dayIndex("Weekdays")), 8);
  EXPECT_EQ(DayCodeOfDayIndex(dayIndex("Weekends")), 9);
  EXPECT_EQ(DayCodeOfDayIndex(dayIndex("Everyday")), 0);
  for (int i = 0; i < static_cast<int>(DayOfWeekTexts.size()); ++i) EXPECT_EQ(DayIndexOfDayCode(DayCodeOfDayIndex(i)), i);
  EXPECT_EQ(DayIndexOfDayCode(30), -1);
  EXPECT_EQ(MonthlyDayCode(2), 30);
  EXPECT_TRUE(IsMonthlyDayCode(30));
  EXPECT_EQ(OccurrenceIndexOfDayCode(50), 4);
  EXPECT_EQ(HoursCodeOfHourIndex(0), EveryHourCode);
  EXPECT_EQ(HoursCodeOfHourIndex(1), 0);
  EXPECT_STREQ(StartHourTexts[24], "11 PM");
  EXPECT_EQ(HoursCodeOfHourIndex(24), 23);
  EXPECT_EQ(HourIndexOfHoursCode(99), 0);
  EXPECT_EQ(HourIndexOfHoursCode(23), 24);
}

}  // namespace
}  // namespace ostrin
