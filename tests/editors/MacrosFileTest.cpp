#include "editors/MacrosFile.h"

#include <algorithm>
#include <cstring>

#include "editors/CategoryFileTest.h"

namespace ostrin {
namespace {

MacroSteps Steps(std::initializer_list<std::int32_t> used) {
  MacroSteps steps{};
  std::copy(used.begin(), used.end(), steps.begin());
  return steps;
}

MacroRecord Macro(std::initializer_list<std::int32_t> used, std::string_view code, std::uint32_t attributes = 0) {
  MacroRecord record;
  record.steps = Steps(used);
  SetMacroCodeFromText(record, code);
  SetMacroAttributes(record, attributes);
  return record;
}

TEST(MacroStepsText, TextSplitsAtSpacesAndShowsTheStepsUpToTheFirstZero) {
  struct Case {
    const char* text;
    MacroSteps steps;
    const char* shown;
  };
  const Case cases[] = {
      {"  37   116 187 ", Steps({37, 116, 187}), " 37 116 187"},
      {"37 x 40", Steps({37, 0, 40}), " 37"},
      {"-5 +6 7z", Steps({-5, 6, 7}), " -5 6 7"},
      {"37\t116 2", Steps({37, 2}), " 37 2"},  // only the space separates
      {"1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17",
       Steps({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}),
       " 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15"},
      {"", Steps({}), ""},
      {"NONE STORED", Steps({}), ""},
  };
  for (const Case& c : cases) {
    const MacroSteps steps = MacroTextToSteps(c.text);
    EXPECT_EQ(steps, c.steps) << c.text;
    EXPECT_EQ(MacroStepsToText(steps), c.shown) << c.text;
  }
  EXPECT_EQ(MacroStepsText(Steps({})), "NONE STORED");
  EXPECT_EQ(MacroStepsText(Steps({0, 5})), "NONE STORED");
}

TEST(MacroCodeText, NoneIsTheEmptyCodeAndLongerCodesKeepEightCharacters) {
  struct Case {
    const char* text;
    const char* stored;
    const char* shown;
  };
  const Case cases[] = {
      {"NONE", "", "NONE"},
      {"none", "none", "none"},
      {"", "", "NONE"},
      {"123A", "123A", "123A"},
      {"123456789", "12345678", "12345678"},
  };
  for (const Case& c : cases) {
    MacroRecord record;
    std::memset(record.dtmf, 'x', MacroCodeLength);
    SetMacroCodeFromText(record, c.text);
    EXPECT_EQ(FieldText(record.dtmf, MacroCodeLength), c.stored) << c.text;
    EXPECT_EQ(MacroCodeText(record), c.shown) << c.text;
  }
}

TEST(AllowedPorts, RestrictionsSelectTheSevenChoicesAndAnythingElseIsAnyPort) {
  struct Case {
    std::int32_t restriction;
    std::uint32_t attributes;
  };
  const Case cases[] = {{1, 0x2000},  {2, 0x4000}, {3, 0x8000}, {12, 0x6000}, {13, 0xA000},
                        {23, 0xC000}, {123, 0},    {21, 0},     {0, 0}};
  for (const Case& c : cases) EXPECT_EQ(AllowedPortsFromRestriction(c.restriction), c.attributes) << c.restriction;
  EXPECT_EQ(AllowedPortsIndex(0xA000), 5);
  EXPECT_EQ(AllowedPortsIndex(0x2001), 0);
  EXPECT_EQ(AllowedPortsAttributes(-1), 0u);
  EXPECT_EQ(AllowedPortsAttributes(6), 0xC000u);
}

using MacrosFileTest = CategoryFileTest;

TEST_F(MacrosFileTest, AMissingFileLoadsEmptyMacrosForAnyPortAndDisabledReceivers) {
  BaselineLoad = 1;
  SetMacro(MacroNumber(5), Macro({1, 2}, "12", 0x2000));
  SetValue(2061, 12);
  BaselineLoad = 0;
  LoadMacrosFromDataFile();
  for (int macro = 1; macro <= MacroCount; ++macro) {
    const MacroRecord record = GetMacro(MacroNumber(macro));
    EXPECT_EQ(record.steps, Steps({})) << macro;
    EXPECT_EQ(record.dtmf[0], 0) << macro;
    EXPECT_EQ(MacroAttributes(record), 0u) << macro;
  }
  for (int port = 1; port <= 3; ++port) {
    EXPECT_EQ(GetValue(1000 * port + ActiveMacroOffset).current, 0);
    EXPECT_EQ(GetValue(1000 * port + InactiveMacroOffset).current, 0);
  }
  EXPECT_EQ(CountPending(), 0);
}

TEST_F(MacrosFileTest, KeysLoadIntoTheirMacroAndReceiverMacros) {
  WriteDataFile(
      "[Macros]\r\nMacro37= 37 116 187\r\nDTMF37=123A\r\nRestrictions37=13\r\n"
      "Macro38=NONE STORED\r\nDTMF38=none\r\nRestrictions38=123\r\n"
      "Macro39=5\r\nDTMF39=123456789\r\nRestrictions39=NONE\r\n"
      "Restrictions40=2x\r\nRestrictions41=7\r\n"
      "[Port 2]\r\nActive Macro=12\r\nInActive Macro=90\r\n");
  LoadMacrosFromDataFile();
  struct Case {
    int macro;
    MacroSteps steps;
    const char* code;
    std::uint32_t attributes;
  };
  const Case cases[] = {
      {37, Steps({37, 116, 187}), "123A", 0xA000}, {38, Steps({}), "none", 0},
      {39, Steps({5}), "12345678", 0},             {40, Steps({}), "", 0x4000},
      {41, Steps({}), "", 0},
  };
  for (const Case& c : cases) {
    const MacroRecord record = GetMacro(MacroNumber(c.macro));
    EXPECT_EQ(record.steps, c.steps) << c.macro;
    EXPECT_EQ(FieldText(record.dtmf, MacroCodeLength), c.code) << c.macro;
    EXPECT_EQ(MacroAttributes(record), c.attributes) << c.macro;
  }
  EXPECT_EQ(GetValue(2061).current, 12);
  EXPECT_EQ(GetValue(2062).current, 90);
  EXPECT_EQ(GetValue(1061).current, 0);
}

TEST_F(MacrosFileTest, AReloadEndsAPendingCodeChangeButNotAPendingStepChange) {
  SetMacro(MacroNumber(1), Macro({}, "55"));
  SetMacro(MacroNumber(2), Macro({7}, ""));
  ASSERT_EQ(CountPending(), 2);
  LoadMacrosFromDataFile();
  EXPECT_FALSE(IsPending(MacroNumber(1)));
  EXPECT_TRUE(IsPending(MacroNumber(2)));
}

TEST_F(MacrosFileTest, SaveWritesEveryMacroAndTheReceiversWithTheirPositions) {
  LoadMacrosFromDataFile();
  SetMacro(MacroNumber(37), Macro({37, 116, 187}, "12345678", 0xA000));
  SetMacro(MacroNumber(38), Macro({37, 0, 40}, "*9"));
  BaselineLoad = 1;
  MacroRecord odd = Macro({3}, "");
  SetMacroAttributes(odd, 0x2001);  // only the controller makes such a value
  SetMacro(MacroNumber(39), odd);
  BaselineLoad = 0;
  SetValue(3062, 5);
  ProgressPositions progress;
  MacrosProgress = &progress;
  const SaveResult result = SaveMacrosToDataFile();
  MacrosProgress = nullptr;
  ASSERT_TRUE(result.ok());

  const std::string text = ReadWholeFile(CurrentDataFileName()).value_or("");
  EXPECT_NE(text.find("Macro37= 37 116 187\r\n"), std::string::npos);
  EXPECT_EQ(Saved("Macros", "DTMF37"), "12345678");
  EXPECT_EQ(Saved("Macros", "Restrictions37"), "13");
  EXPECT_EQ(Saved("Macros", "Macro38"), "37");
  EXPECT_EQ(Saved("Macros", "Restrictions39"), "123");
  EXPECT_EQ(Saved("Macros", "Macro90"), "NONE STORED");
  EXPECT_EQ(Saved("Macros", "DTMF90"), "NONE");
  EXPECT_EQ(Saved("Macros", "Restrictions90"), "123");
  EXPECT_EQ(Saved("Port 3", "InActive Macro"), "5");
  EXPECT_EQ(Saved("Port 1", "Active Macro"), "0");
  std::vector<int> expected;
  for (int position = 0; position <= 95; ++position) expected.push_back(position);
  expected.push_back(100);
  EXPECT_EQ(progress.positions, expected);

  ResetStore();
  LoadMacrosFromDataFile();
  const MacroRecord back = GetMacro(MacroNumber(37));
  EXPECT_EQ(back.steps, Steps({37, 116, 187}));
  EXPECT_EQ(FieldText(back.dtmf, MacroCodeLength), "12345678");
  EXPECT_EQ(MacroAttributes(back), 0xA000u);
}

}  // namespace
}  // namespace ostrin
