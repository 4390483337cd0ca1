#include "editors/PortSwitchesFile.h"

#include "editors/CategoryFileTest.h"

namespace ostrin {
namespace {

using PortSwitchesFileTest = CategoryFileTest;

TEST_F(PortSwitchesFileTest, AFileWithoutTheSectionsLoadsEverySwitchOnButAccessModeAndPolarity) {
  WriteDataFile("[Site]\r\nName=Hill\r\n");
  for (int port = 1; port <= 3; ++port) SetValue(1000 * port + AccessModeOffset, 1);
  LoadPortSwitchesFromDataFile();
  for (int port = 1; port <= 3; ++port) {
    const int b = 1000 * port;
    EXPECT_EQ(GetValue(b + AccessModeOffset).current, 0) << port;
    for (const NumberKey& row : PortSwitchKeys()) {
      const int expected = row.offset == 18 ? 0 : 1;
      EXPECT_EQ(GetValue(b + row.offset).current, expected) << port << " " << row.key;
    }
  }
  EXPECT_EQ(GetValue(0).current, 0);
  EXPECT_EQ(GetValue(1).current, 0);
  EXPECT_EQ(CountPending(), 3);  // the access modes stored above keep their ChangedFlag
}

TEST_F(PortSwitchesFileTest, SwitchesLoadByTheirFirstCharacterAndAccessModeByItsText) {
  constexpr int untouched = 7;
  struct Case {
    const char* key;
    const char* text;
    int offset;
    int value;
  };
  const Case cases[] = {
      {"TxEnable", "10", 0, 1},
      {"TxEnable", "2", 0, 0},
      {"TxEnable", "yes", 0, 0},
      {"TONE_Encode_Polarity", "1", 18, 1},
      {"Access_Mode", "Tone & Carrier", 5, 1},
      {"Access_Mode", "Tone & Carrie", 5, 1},
      {"Access_Mode", "Carrier only", 5, 0},
      {"Access_Mode", "tone", 5, untouched},
      {"Access_Mode", "carrier", 5, untouched},
  };
  for (const Case& c : cases) {
    WriteDataFile(std::string("[Port 2]\r\n") + c.key + "=" + c.text + "\r\n");
    SetValue(2000 + c.offset, untouched);
    LoadPortSwitchesFromDataFile();
    EXPECT_EQ(GetValue(2000 + c.offset).current, c.value) << c.key << "=" << c.text;
  }
  WriteDataFile("[General]\r\nAllow_Speech_With_Terminator=1\r\nTX_Timer_Units=Hours\r\n");
  LoadPortSwitchesFromDataFile();
  EXPECT_EQ(GetValue(0).current, 1);
  EXPECT_EQ(GetValue(1).current, 0);
}

TEST_F(PortSwitchesFileTest, AnUnrecognisedAccessModeLeavesTheRecordPending) {
  SetValue(3005, 1);
  WriteDataFile("[Port 3]\r\nAccess_Mode=tone\r\nTxEnable=0\r\n");
  SetValue(3000, 1);
  LoadPortSwitchesFromDataFile();
  EXPECT_EQ(GetValue(3005).flags & PendingMask, PendingMask);
  EXPECT_EQ(GetValue(3000).flags & PendingMask, ChangedFlag);
}

TEST_F(PortSwitchesFileTest, SaveWritesAccessModeAsTextAndStepsThroughThePorts) {
  WriteDataFile("[Port 3]\r\nAccess_Mode=Carrier\r\n");
  LoadPortSwitchesFromDataFile();
  SetValue(2005, 1);
  SetValue(3005, -1);  // no text for it: the file keeps what it had
  SetValue(1018, 1);
  SetValue(1011, 0);
  SetValue(1, 1);
  ProgressPositions progress;
  PortSwitchesProgress = &progress;
  const SaveResult result = SavePortSwitchesToDataFile();
  PortSwitchesProgress = nullptr;
  ASSERT_TRUE(result.ok());

  EXPECT_EQ(Saved("Port 1", "Access_Mode"), "Carrier");
  EXPECT_EQ(Saved("Port 2", "Access_Mode"), "Tone & Carrier");
  EXPECT_EQ(Saved("Port 3", "Access_Mode"), "Carrier");
  EXPECT_EQ(Saved("Port 1", "TONE_Encode_Polarity"), "1");
  EXPECT_EQ(Saved("Port 1", "Kerchunk_Filter"), "0");
  EXPECT_EQ(Saved("Port 3", "DTMF_Evaluate_On_Close"), "1");
  EXPECT_EQ(Saved("General", "TX_Timer_Units"), "1");
  EXPECT_EQ(Saved("General", "Allow_Speech_With_Terminator"), "0");
  EXPECT_EQ(progress.positions, (std::vector<int>{10, 40, 70, 100}));
}

}  // namespace
}  // namespace ostrin
