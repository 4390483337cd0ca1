#include "editors/AccessCodesFile.h"

#include "editors/CategoryFileTest.h"

namespace ostrin {
namespace {

using SpecialCodesFileTest = CategoryFileTest;

std::string RangeStart() { return FieldText(GetPreAccessRange().currentStart, 3); }
std::string RangeStop() { return FieldText(GetPreAccessRange().currentStop, 3); }

TEST_F(SpecialCodesFileTest, AMissingSectionLoadsTheDefaults) {
  LoadSpecialCodesFromDataFile();
  EXPECT_EQ(StoredCodeText(1057), "17390");
  EXPECT_EQ(StoredCodeText(2057), "27390");
  EXPECT_EQ(StoredCodeText(3057), "37390");
  EXPECT_EQ(StoredCodeText(GlobalLockNumber), "A");
  EXPECT_EQ(StoredCodeText(PadTestNumber), "85");
  EXPECT_EQ(StoredCodeText(PreAccessNumber), " ");
  EXPECT_EQ(RangeStart(), "0");
  EXPECT_EQ(RangeStop(), "0");
  EXPECT_EQ(GetValue(TerminatorNumber).current, 'D');
  EXPECT_EQ(GetValue(VoiceResponsesNumber).current, 1);
  EXPECT_EQ(GetValue(TriggeredIdsNumber).current, 1);
  EXPECT_EQ(GetValue(Dr1xModeNumber).current, 1);
  EXPECT_EQ(GetValue(DtmfMuteNumber).current, 0);
  EXPECT_EQ(CountPending(), 0);
}

TEST_F(SpecialCodesFileTest, TextsAreCutToTheirFieldsAndTheRangeIsNormalised) {
  WriteDataFile(
      "[Special Codes]\r\n"
      "Port 1 UnLock=1234567890\r\n"
      "Port 2 UnLock=12345678\r\n"
      "Global Lock=*9876\r\n"
      "DTMF Pad Test=123456\r\n"
      "DTMF Pre Access=#12345\r\n"
      "DTMF Pre Access Range Start=300\r\n"
      "DTMF Pre Access Range Stop=-4\r\n"
      "Terminator=AB\r\n"
      "Voice Command Responses=10\r\n"
      "Triggered IDs Select=0\r\n"
      "DR1 Mode Select=yes\r\n"
      "DTMF Mute Select=1\r\n");
  LoadSpecialCodesFromDataFile();
  EXPECT_EQ(StoredCodeText(1057), "12345678");
  EXPECT_EQ(StoredCodeText(2057), "12345678");
  EXPECT_EQ(StoredCodeText(3057), "37390");
  EXPECT_EQ(StoredCodeText(GlobalLockNumber), "*987");
  EXPECT_EQ(StoredCodeText(PadTestNumber), "12345");
  EXPECT_EQ(StoredCodeText(PreAccessNumber), "#12");
  EXPECT_EQ(RangeStart(), "255");
  EXPECT_EQ(RangeStop(), "0");
  EXPECT_EQ(GetValue(TerminatorNumber).current, 'A');
  EXPECT_EQ(GetValue(VoiceResponsesNumber).current, 1);
  EXPECT_EQ(GetValue(TriggeredIdsNumber).current, 0);
  EXPECT_EQ(GetValue(Dr1xModeNumber).current, 0);
  EXPECT_EQ(GetValue(DtmfMuteNumber).current, 1);
}

TEST_F(SpecialCodesFileTest, TerminatorTextsAndCodes) {
  struct Case {
    std::string file;  // the Terminator value in the file
    std::int32_t code;
  };
  const Case cases[] = {{"#", '#'}, {"", 0}, {"\xE9", 0xE9}, {"D", 'D'}};
  for (const Case& c : cases) {
    WriteDataFile("[Special Codes]\r\nTerminator=" + c.file + "\r\n");
    LoadSpecialCodesFromDataFile();
    EXPECT_EQ(GetValue(TerminatorNumber).current, c.code) << c.file;
  }
  EXPECT_EQ(TerminatorText('#'), "#");
  EXPECT_EQ(TerminatorText(255), "\xFF");
  EXPECT_EQ(TerminatorText(0), "");
  EXPECT_EQ(TerminatorText(-1), "");
  EXPECT_EQ(TerminatorText(300), "");
}

TEST_F(SpecialCodesFileTest, SaveWritesEveryKeyInOrderWithProgress) {
  LoadSpecialCodesFromDataFile();
  SetUnlockCode(1057, "1234567890");
  SetCodeText(PreAccessRangeNumber, "7", "300");
  SetValue(TerminatorNumber, '#');
  SetValue(Dr1xModeNumber, 2);
  SetValue(DtmfMuteNumber, 1);
  ProgressPositions progress;
  SpecialCodesProgress = &progress;
  const SaveResult result = SaveSpecialCodesToDataFile();
  SpecialCodesProgress = nullptr;
  ASSERT_TRUE(result.ok());

  std::vector<std::pair<std::string, std::string>> written;
  for (const IniDocument::Entry& e : SavedFile().Entries()) written.emplace_back(e.key, e.value);
  const std::vector<std::pair<std::string, std::string>> expected{
      {"Port 1 UnLock", "12345678"},
      {"Port 2 UnLock", "27390"},
      {"Port 3 UnLock", "37390"},
      {"Global Lock", "A"},
      {"DTMF Pad Test", "85"},
      {"DTMF Pre Access", ""},
      {"DTMF Pre Access Range Start", "7"},
      {"DTMF Pre Access Range Stop", "255"},
      {"Terminator", "#"},
      {"Voice Command Responses", "1"},
      {"DR1 Mode Select", "0"},
      {"Triggered IDs Select", "1"},
      {"DTMF Mute Select", "1"},
  };
  EXPECT_EQ(written, expected);
  EXPECT_EQ(progress.positions, (std::vector<int>{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 100}));
}

TEST_F(SpecialCodesFileTest, ATerminatorThatIsNoCharacterIsWrittenEmptyAndLoadsAsZero) {
  for (const std::int32_t code : {0, 300, -5}) {
    SetValue(TerminatorNumber, code);
    ASSERT_TRUE(SaveSpecialCodesToDataFile().ok());
    const std::string bytes = ReadWholeFile(CurrentDataFileName()).value();
    EXPECT_NE(bytes.find("Terminator=\r\n"), std::string::npos) << code;
    EXPECT_EQ(bytes.find('\0'), std::string::npos) << code;
    LoadSpecialCodesFromDataFile();
    EXPECT_EQ(GetValue(TerminatorNumber).current, 0) << code;
  }
}

TEST_F(SpecialCodesFileTest, AMutedDigitOtherThanFirstOrSecondIsNotWritten) {
  WriteDataFile("[Special Codes]\r\nDTMF Mute Select=1\r\n");
  SetValue(DtmfMuteNumber, 2);
  ASSERT_TRUE(SaveSpecialCodesToDataFile().ok());
  EXPECT_EQ(Saved("Special Codes", "DTMF Mute Select"), "1");
}

}  // namespace
}  // namespace ostrin
