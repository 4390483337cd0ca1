#include "editors/TimersFile.h"

#include <gtest/gtest.h>

#include <vector>

#include "datafile/DataFileName.h"
#include "datafile/Profile.h"
#include "support/TempFolder.h"

namespace ostrin {
namespace {

class PositionRecorder final : public ProgressSink {
 public:
  void SetText(std::string_view) override {}
  void SetPos(int position) override { positions.push_back(position); }
  void PeekAndPump() override {}
  std::vector<int> positions;
};

class TimersFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetStore();
    SetCurrentDataFileName(folder.Path("timers.ini"));
  }
  TempFolder folder;
};

TEST_F(TimersFileTest, AnEmptyFileLoadsTheDefaults) {
  LoadTimersFromDataFile();
  struct Case {
    int number;
    int value;
  };
  const Case cases[] = {{1019, 20}, {2022, 0}, {3023, 300}, {1029, 500}, {2063, 3}, {3032, 0},
                        {1033, 100}, {2038, 0}, {3041, 90}, {1042, 20}, {3043, 90}, {3, 1},
                        {5, 0},      {2, 10},   {4, 750},  {12, 0},    {6, 1},    {11, 1}};
  for (const Case& c : cases) EXPECT_EQ(GetValue(c.number).current, c.value) << c.number;
  EXPECT_EQ(CountPending(), 0);
}

TEST_F(TimersFileTest, CodedKeysLoadByTheirTexts) {
  struct Case {
    const char* key;
    const char* text;
    int number;
    int value;
  };
  const Case cases[] = {
      {"TOT_Reset_Point", "After CT Seg 3", 2022, 3},
      {"TOT_Reset_Point", "after ct seg 3", 2022, 0},  // whole-text compare, case counts
      {"Tail_Message_Number", "2", 2032, 2},
      {"Tail_Message_Number", "2x", 2032, 0},
      {"Hang_Timer1", "12x", 2019, 12},
      {"Hang_Timer1", "-5", 2019, -5},
      {"Hang_Timer1", "abc", 2019, 0},
  };
  for (const Case& c : cases) {
    WriteProfileText("Port 2", c.key, c.text);
    LoadTimersFromDataFile();
    EXPECT_EQ(GetValue(c.number).current, c.value) << c.key << "=" << c.text;
  }
  WriteProfileText("General", "Timer_Fan_Timer_All_Tx", "10");
  WriteProfileText("General", "TimeOut_Timer_Enable_Link_Control", "01");
  LoadTimersFromDataFile();
  EXPECT_EQ(GetValue(3).current, 1);
  EXPECT_EQ(GetValue(5).current, 0);
}

TEST_F(TimersFileTest, SaveWritesTextsForCodedValuesAndReportsItsPositions) {
  SetValue(1022, 4);
  SetValue(2022, 9);  // no text for it: written as a number
  SetValue(3032, 3);
  SetValue(15, -7);
  PositionRecorder progress;
  TimersProgress = &progress;
  ASSERT_TRUE(SaveTimersToDataFile().ok());
  TimersProgress = nullptr;

  EXPECT_EQ(ReadProfileText("Port 1", "TOT_Reset_Point", ""), "After CT Seg 4");
  EXPECT_EQ(ReadProfileText("Port 2", "TOT_Reset_Point", ""), "9");
  EXPECT_EQ(ReadProfileText("Port 3", "Tail_Message_Number", ""), "3");
  EXPECT_EQ(ReadProfileText("Port 1", "Tail_Message_Number", ""), "NONE");
  EXPECT_EQ(ReadProfileText("General", "General_Timer4_Time", ""), "-7");
  std::vector<int> expected{5, 10, 15};
  for (int k = 0; k < 16; ++k) expected.push_back(20 + 5 * k);
  expected.push_back(100);
  EXPECT_EQ(progress.positions, expected);
}

}  // namespace
}  // namespace ostrin
