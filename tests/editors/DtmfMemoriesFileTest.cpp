#include "editors/DtmfMemoriesFile.h"

#include "editors/CategoryFileTest.h"

namespace ostrin {
namespace {

using DtmfMemoriesFileTest = CategoryFileTest;

std::vector<std::int32_t> Digits(const DtmfMemoryRecord& r) {
  return {r.digits.begin(), r.digits.begin() + r.count};
}

TEST_F(DtmfMemoriesFileTest, AMissingFileLoadsEmptyMemoriesAnd50ms) {
  LoadDtmfMemoriesFromDataFile();
  for (int m = 0; m < DtmfMemoryCount; ++m) EXPECT_EQ(GetDtmfMemory(FirstDtmfMemory + m).count, 0) << m;
  EXPECT_EQ(GetValue(190).current, 50);
  EXPECT_EQ(GetValue(191).current, 50);
  EXPECT_EQ(CountPending(), 0);
}

TEST_F(DtmfMemoriesFileTest, ValuesLoadAsDtmfDigits) {
  struct Case {
    const char* value;
    std::vector<std::int32_t> digits;
  };
  const Case cases[] = {
      {"5 5 5 1 2 1 2", {5, 5, 5, 1, 2, 1, 2}},
      {"5551212", {5}},
      {"a b * #", {10, 11, 14, 15}},
      {"x 5", {5}},
      {"1 2 3 4 5 6 7 8 9 0 1 2", {1, 2, 3, 4, 5, 6, 7, 8, 9, 0}},
      {"NONE STORED", {}},
      {"", {}},
  };
  for (const Case& c : cases) {
    WriteDataFile(std::string("[DTMF_Memories]\r\nDTMF_Memory40=") + c.value + "\r\n");
    LoadDtmfMemoriesFromDataFile();
    const DtmfMemoryRecord r = GetDtmfMemory(473);
    EXPECT_EQ(Digits(r), c.digits) << c.value;
    std::array<std::int32_t, DtmfDigitCapacity> padded{};
    std::copy(c.digits.begin(), c.digits.end(), padded.begin());
    EXPECT_EQ(r.digits, padded) << c.value;  // the digits past the count are 0
  }
}

TEST_F(DtmfMemoriesFileTest, TimingsLoadUnclamped) {
  WriteDataFile("[General]\r\nDTMF Duration=300\r\nDTMF Delay=-5\r\n");
  LoadDtmfMemoriesFromDataFile();
  EXPECT_EQ(GetValue(190).current, 300);
  EXPECT_EQ(GetValue(191).current, -5);
}

TEST_F(DtmfMemoriesFileTest, SaveWritesDigitsOrNoneStoredAndTimingsWithProgress) {
  LoadDtmfMemoriesFromDataFile();
  SetDtmfMemory(FirstDtmfMemory + 1, DtmfMemoryFromText("1 * #"));
  SetValue(191, 120);
  ProgressPositions progress;
  DtmfMemoriesProgress = &progress;
  const SaveResult result = SaveDtmfMemoriesToDataFile();
  DtmfMemoriesProgress = nullptr;
  ASSERT_TRUE(result.ok());
  const std::string bytes = ReadWholeFile(CurrentDataFileName()).value();
  EXPECT_NE(bytes.find("DTMF_Memory2=1 * # \r\n"), std::string::npos);
  EXPECT_EQ(Saved("DTMF_Memories", "DTMF_Memory1"), "NONE STORED");
  EXPECT_EQ(Saved("DTMF_Memories", "DTMF_Memory40"), "NONE STORED");
  EXPECT_EQ(Saved("General", "DTMF Duration"), "50");
  EXPECT_EQ(Saved("General", "DTMF Delay"), "120");
  std::vector<int> positions;
  for (int m = 0; m < DtmfMemoryCount; ++m) positions.push_back(2 * m);
  positions.insert(positions.end(), {80, 82, 100});
  EXPECT_EQ(progress.positions, positions);
}

TEST(DtmfMemoryText, ShowsAtMostTheTenDigitsARecordHolds) {
  DtmfMemoryRecord r;
  r.digits = {1, 2, 3, 4, 5, 6, 7, 8, 9, 13};
  r.count = 14;
  EXPECT_EQ(DtmfMemoryText(r), "1 2 3 4 5 6 7 8 9 D ");
  r.count = 0;
  EXPECT_EQ(DtmfMemoryText(r), "NONE STORED");
}

}  // namespace
}  // namespace ostrin
