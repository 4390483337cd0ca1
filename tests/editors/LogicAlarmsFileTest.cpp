#include "editors/LogicAlarmsFile.h"

#include "editors/CategoryFileTest.h"

namespace ostrin {
namespace {

using LogicAlarmsFileTest = CategoryFileTest;

TEST_F(LogicAlarmsFileTest, AMissingFileLoadsEveryAlarmDisabledWithMacros80And81) {
  SetLogicAlarm(FirstLogicAlarm, 1, 1, 1);
  LoadLogicAlarmsFromDataFile();
  for (int alarm = 0; alarm < LogicAlarmCount; ++alarm) {
    const LogicAlarmRecord record = GetLogicAlarm(FirstLogicAlarm + alarm);
    EXPECT_EQ(record.enabled, 0) << alarm;
    EXPECT_EQ(record.highToLowMacro, 80) << alarm;
    EXPECT_EQ(record.lowToHighMacro, 81) << alarm;
  }
}

TEST_F(LogicAlarmsFileTest, KeysLoadAsDecimalNumbersIntoTheirAlarm) {
  WriteDataFile(
      "[Logic Alarm 3]\r\nLogic Alarm HighToLow=95\r\nlogic alarm lowtohigh=12abc\r\nEnabled=1\r\n"
      "[Logic Alarm 5]\r\nLogic Alarm HighToLow=-4\r\nLogic Alarm LowToHigh=abc\r\nEnabled=2\r\n");
  LoadLogicAlarmsFromDataFile();
  const LogicAlarmRecord third = GetLogicAlarm(371);
  EXPECT_EQ(third.highToLowMacro, 95);
  EXPECT_EQ(third.lowToHighMacro, 12);
  EXPECT_EQ(third.enabled, 1);
  const LogicAlarmRecord fifth = GetLogicAlarm(373);
  EXPECT_EQ(fifth.highToLowMacro, -4);
  EXPECT_EQ(fifth.lowToHighMacro, 0);
  EXPECT_EQ(fifth.enabled, 2);
  EXPECT_EQ(GetLogicAlarm(369).highToLowMacro, 80);
  EXPECT_EQ(CountPending(), 0);
}

TEST_F(LogicAlarmsFileTest, SaveWritesEachAlarmsKeysAndStepsByTwenty) {
  LoadLogicAlarmsFromDataFile();
  SetLogicAlarm(370, 1, 12, 34);
  ProgressPositions progress;
  LogicAlarmsProgress = &progress;
  const SaveResult result = SaveLogicAlarmsToDataFile();
  LogicAlarmsProgress = nullptr;
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(Saved("Logic Alarm 2", "Logic Alarm HighToLow"), "12");
  EXPECT_EQ(Saved("Logic Alarm 2", "Logic Alarm LowToHigh"), "34");
  EXPECT_EQ(Saved("Logic Alarm 2", "Enabled"), "1");
  EXPECT_EQ(Saved("Logic Alarm 5", "Logic Alarm LowToHigh"), "81");
  EXPECT_EQ(Saved("Logic Alarm 5", "Enabled"), "0");
  EXPECT_EQ(progress.positions, (std::vector<int>{0, 20, 40, 60, 80, 100}));
  EXPECT_EQ(CountPending(), 1);
}

}  // namespace
}  // namespace ostrin
