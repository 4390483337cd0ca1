#include "model/ParameterStore.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <thread>

namespace ostrin {
namespace {

class ParameterStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BaselineLoad = 0;
    ResetStore();
  }
  void TearDown() override { BaselineLoad = 0; }
};

std::uint32_t pendingBits(std::uint32_t flags) { return flags & PendingMask; }

TEST_F(ParameterStoreTest, StartsClearAndEmpty) {
  EXPECT_EQ(CountPending(), 0);
  EXPECT_EQ(GetValue(1063).current, 0);
  EXPECT_EQ(GetMacro(282).steps[0], 0);
  EXPECT_EQ(GetPortLists(3049).voice[5].count, 0);
}

// The store rule on a simple record, step by step.
TEST_F(ParameterStoreTest, StoreRuleOnSimpleRecord) {
  struct Step {
    int baseline;
    int value;
    std::uint32_t flagsAfter;
  };
  const Step steps[] = {
      {0, 0, 0},                          // equal value: stays clear
      {0, 6, ChangedFlag | EditedFlag},   // different: both flags
      {0, 5, ChangedFlag | EditedFlag},   // stays pending
      {1, 7, ChangedFlag},                // baseline load: EditedFlag cleared
      {1, 7, ChangedFlag},
      {0, 7, ChangedFlag},                // equal to the loaded value: unchanged
      {0, 8, ChangedFlag | EditedFlag},
  };
  for (const Step& step : steps) {
    BaselineLoad = step.baseline;
    SetValue(12, step.value);
    const ParameterRecord r = GetValue(12);
    EXPECT_EQ(r.current, step.value);
    EXPECT_EQ(pendingBits(r.flags), step.flagsAfter) << "value " << step.value;
  }
  EXPECT_EQ(GetValue(12).baseline, 7);
  EXPECT_EQ(CountPending(), 1);
}

TEST_F(ParameterStoreTest, OnlyClearAllPairMakesARecordNotPending) {
  SetValue(2019, 6);
  ClearEditedFlag(2019);
  EXPECT_EQ(pendingBits(GetValue(2019).flags), ChangedFlag);
  EXPECT_EQ(CountPending(), 1);
  ClearAllEditedFlags();
  ClearAllChangedFlags();
  EXPECT_EQ(CountPending(), 0);
  EXPECT_EQ(GetValue(2019).current, 6);
}

TEST_F(ParameterStoreTest, NumbersOutsideTheMapAreIgnored) {
  for (const int number : {-1, 193, 374, 999, 1064, 1999, 4000, 4001}) {
    SetValue(number, 9);
    EXPECT_EQ(GetValue(number).current, 0) << number;
  }
  SetMacro(283, MacroRecord{0, {1}, {}});
  SetLogicAlarm(374, 1, 2, 3);
  EXPECT_EQ(CountPending(), 0);
  EXPECT_EQ(GetCodeText(181).flags, 0u);
  SetValue(181, 'D');
  EXPECT_EQ(GetValue(181).current, 'D');
  EXPECT_EQ(GetCodeText(181).current[0], '\0');
}

TEST_F(ParameterStoreTest, CodeTextsKeepTheirFieldWidth) {
  SetCodeText(180, "123456");
  EXPECT_EQ(FieldText(GetCodeText(180).current, 4), "1234");
  SetCodeText(182, "ABCDEFG");
  EXPECT_EQ(FieldText(GetCodeText(182).current, 5), "ABCDE");
  SetCodeText(188, "7");
  const CodeTextRecord preAccess = GetCodeText(188);
  EXPECT_EQ(std::memcmp(preAccess.current, "7\0\0", 3), 0);
  EXPECT_EQ(CountPending(), 3);
}

TEST_F(ParameterStoreTest, PreAccessRangeIsNormalised) {
  struct Case {
    const char* start;
    const char* stop;
    const char* storedStart;
    const char* storedStop;
  };
  const Case cases[] = {
      {"300", "-4", "255", "0"}, {"7", "0012", "7", "1"}, {"x", "", "0", "0"}, {" 42", "255", "42", "255"}};
  for (const Case& c : cases) {
    std::string start;
    std::string stop;
    SetCodeText(189, c.start, c.stop, &start, &stop);
    const PreAccessRangeRecord r = GetPreAccessRange();
    EXPECT_EQ(FieldText(r.currentStart, 3), c.storedStart) << c.start;
    EXPECT_EQ(FieldText(r.currentStop, 3), c.storedStop) << c.stop;
    EXPECT_EQ(start, c.storedStart);
    EXPECT_EQ(stop, c.storedStop);
  }
  ClearAllEditedFlags();
  ClearAllChangedFlags();
  SetCodeText(189, "255", "0");
  SetCodeText(189, "255", "0");
  EXPECT_EQ(GetPreAccessRange().flags & PendingMask, ChangedFlag | EditedFlag);
  ClearAllEditedFlags();
  ClearAllChangedFlags();
  SetCodeText(189, "255", "0");
  EXPECT_EQ(CountPending(), 0);
}

TEST_F(ParameterStoreTest, UnlockCodeOfEightCharactersHasNoTerminator) {
  SetUnlockCode(2057, "1234567890");
  EXPECT_EQ(FieldText(GetUnlockCode(2057).current, 8), "12345678");
  EXPECT_TRUE(IsPending(2057));
  EXPECT_FALSE(IsPending(1057));
  SetUnlockCode(1056, "99");  // not an unlock number
  EXPECT_EQ(CountPending(), 1);
}

CodeList listOf(int count, int first) {
  CodeList list;
  list.count = count;
  for (int i = 0; i < CodeList::Capacity; ++i) list.codes[static_cast<std::size_t>(i)] = first + i;
  return list;
}

TEST_F(ParameterStoreTest, PortListsKeepAtMostTheirCapacity) {
  SetPortList(1049, listOf(25, 100));
  const PortListBlock block = GetPortLists(1049);
  EXPECT_EQ(block.voice[0].count, 22);
  EXPECT_EQ(block.voice[0].codes[21], 121);
  SetPortList(2056, listOf(15, 1));
  EXPECT_EQ(GetPortLists(2000).cw[1].count, 15);
  SetPortList(3055, listOf(255, 1));
  EXPECT_EQ(GetPortLists(3999).cw[0].count, 15);
  SetPortList(1050, listOf(-1, 1));
  EXPECT_EQ(GetPortLists(1050).voice[1].count, 0);
  EXPECT_FALSE(IsPending(1050));
  EXPECT_EQ(CountPending(), 3);
}

TEST_F(ParameterStoreTest, PortListFlagsFollowTheStoreRule) {
  SetPortList(1054, listOf(3, 7));
  EXPECT_TRUE(IsPending(1054));
  BaselineLoad = 1;
  SetPortList(1054, listOf(3, 7));
  BaselineLoad = 0;
  PortListBlock block = GetPortLists(1054);
  EXPECT_EQ(block.voiceChanged[5], 1);
  EXPECT_EQ(block.voiceEdited[5], 0);
  EXPECT_EQ(CountPending(), 1);  // one list, counted once
  ClearEditedFlag(1054);
  SetPortList(1054, listOf(3, 7));  // equal: flags untouched
  block = GetPortLists(1054);
  EXPECT_EQ(block.voiceEdited[5], 0);
  ClearAllEditedFlags();
  ClearAllChangedFlags();
  EXPECT_EQ(CountPending(), 0);
}

MacroRecord macro(std::initializer_list<int> steps, const char* code, std::uint32_t attributes) {
  MacroRecord r;
  std::size_t i = 0;
  for (const int s : steps) r.steps[i++] = s;
  std::strncpy(r.dtmf, code, MacroCodeLength);
  SetMacroAttributes(r, attributes);
  return r;
}

TEST_F(ParameterStoreTest, MacroCodeChangeAloneSetsOnlyEditedFlag) {
  SetMacro(229, macro({37, 116, 187}, "", 0));
  ClearAllEditedFlags();
  ClearAllChangedFlags();

  SetMacro(229, macro({37, 116, 187}, "1234", 0));
  EXPECT_EQ(pendingBits(GetMacro(229).flags), EditedFlag);
  ClearEditedFlag(229);
  EXPECT_FALSE(IsPending(229));
  EXPECT_EQ(std::string(GetMacro(229).dtmf), "1234");

  SetMacro(229, macro({37, 116, 188}, "1234", 0));
  ClearEditedFlag(229);
  EXPECT_TRUE(IsPending(229));

  ClearAllEditedFlags();
  ClearAllChangedFlags();
  SetMacro(229, macro({37, 116, 188}, "1234", 0xA000));
  EXPECT_EQ(pendingBits(GetMacro(229).flags), ChangedFlag | EditedFlag);
  EXPECT_EQ(MacroAttributes(GetMacro(229)), 0xA000u);
}

TEST_F(ParameterStoreTest, MacroStoreKeepsTheCallersFlagBitsOutOfThePendingBits) {
  MacroRecord r = macro({1}, "", 0x2000);
  r.flags |= PendingMask;  // a fetched record carries its flags back
  BaselineLoad = 1;
  SetMacro(193, r);
  BaselineLoad = 0;
  EXPECT_EQ(pendingBits(GetMacro(193).flags), 0u);
  EXPECT_EQ(MacroAttributes(GetMacro(193)), 0x2000u);
}

// Fields stored without comparison leave the flags as they were.
TEST_F(ParameterStoreTest, UncomparedFieldsDoNotMarkTheRecord) {
  const std::function<void()> stores[] = {
      [] { SetMessageMacro(283, MessageMacroRecord{0, {}, 5}); },
      [] { SetDtmfMemory(434, DtmfMemoryRecord{0, {}, 7}); },
      [] { SetAnalogAlarm(361, AnalogAlarmRecord{0, 4, 0, 0, 0, 0}); },
  };
  for (const auto& store : stores) store();
  EXPECT_EQ(CountPending(), 0);
  EXPECT_EQ(GetMessageMacro(283).size, 5);
  EXPECT_EQ(GetDtmfMemory(434).count, 7);
  EXPECT_EQ(GetAnalogRecord(361).alarm.alarmNumber, 4);
}

TEST_F(ParameterStoreTest, EveryComplexKindIsCountedOnceAndClearedByNumber) {
  SetMessageMacro(352, MessageMacroRecord{0, {122, 157}, 2});
  SetMeter(360, MeterRecord{0, 1, 0, 500, 0, 500});
  SetAnalogAlarm(368, AnalogAlarmRecord{0, 8, 2, 0, 0, 0});
  SetLogicAlarm(373, 1, 80, 81);
  SetSetpoint(433, SetpointRecord{0, 1, 0, 0, 99, 30, 0});
  SetDtmfMemory(473, DtmfMemoryRecord{0, {5}, 1});
  SetCodeText(182, "85");
  EXPECT_EQ(CountPending(), 7);
  for (const int number : {352, 360, 368, 373, 433, 473, 182}) {
    EXPECT_TRUE(IsPending(number)) << number;
    ClearEditedFlag(number);
    EXPECT_TRUE(IsPending(number)) << number;  // through ChangedFlag
  }
  EXPECT_EQ(GetAnalogRecord(360).meter.type, 1);
  EXPECT_EQ(GetAnalogRecord(368).alarm.type, 2);
}

TEST_F(ParameterStoreTest, ConcurrentStoresAndScansAreSafe) {
  std::thread writer([] {
    for (int i = 0; i < 20000; ++i) SetValue(1000 + i % 64, i);
  });
  int lastCount = 0;
  for (int i = 0; i < 2000; ++i) lastCount = CountPending();
  writer.join();
  EXPECT_LE(lastCount, 64);
  EXPECT_GT(CountPending(), 0);
}

}  // namespace
}  // namespace ostrin
