#include "editors/CourtesyTonesFile.h"

#include "editors/CategoryFileTest.h"

namespace ostrin {
namespace {

using CourtesyTonesFileTest = CategoryFileTest;

TEST_F(CourtesyTonesFileTest, AMissingFileGivesEveryToneTheSameDefaults) {
  SetValue(CourtesyToneNumber(4, 8), 1234);
  LoadCourtesyTonesFromDataFile();
  const int defaults[CourtesyToneFieldCount] = {500, 50, 0, 0, 100, 100, 0, 0, 880, 450, 0, 0, 880, 450, 0, 0};
  for (int tone = 0; tone < CourtesyToneCount; ++tone) {
    for (int field = 0; field < CourtesyToneFieldCount; ++field) {
      EXPECT_EQ(GetValue(CourtesyToneNumber(tone, field)).current, defaults[field]) << tone << "/" << field;
    }
  }
}

TEST_F(CourtesyTonesFileTest, EachKeyLoadsIntoItsToneAndField) {
  WriteDataFile(
      "[Courtesy_Tone_7]\r\nTone23=1750\r\n"
      "[courtesy_tone_10]\r\nDelay_To_Segment1=-12ms\r\nDuration4=abc\r\n"
      "[Courtesy_Tone_1]\r\nTone11=40\r\n");
  LoadCourtesyTonesFromDataFile();
  struct Case {
    int number;
    int value;
  };
  const Case cases[] = {
      {166, 1750},  // tone 7, segment 3, second frequency
      {29, -12},    // tone 10, first delay: the leading number
      {99, 0},      // tone 10, segment 4 duration: no digits
      {100, 40},    // tone 1, segment 1 first frequency
      {101, 880},   // tone 2 keeps its default
  };
  for (const Case& c : cases) EXPECT_EQ(GetValue(c.number).current, c.value) << c.number;
  EXPECT_EQ(CountPending(), 0);
}

TEST_F(CourtesyTonesFileTest, SaveWritesAllTenSectionsAndStepsByNine) {
  LoadCourtesyTonesFromDataFile();
  SetValue(CourtesyToneNumber(6, 14), 1750);
  SetValue(CourtesyToneNumber(9, 0), -3);
  ProgressPositions progress;
  CourtesyTonesProgress = &progress;
  const SaveResult result = SaveCourtesyTonesToDataFile();
  CourtesyTonesProgress = nullptr;
  ASSERT_TRUE(result.ok());

  EXPECT_EQ(Saved("Courtesy_Tone_7", "Tone23"), "1750");
  EXPECT_EQ(Saved("Courtesy_Tone_10", "Delay_To_Segment1"), "-3");
  EXPECT_EQ(Saved("Courtesy_Tone_3", "Tone12"), "450");
  EXPECT_EQ(SavedFile().Entries().size(), 160u);
  EXPECT_EQ(progress.positions, (std::vector<int>{0, 9, 18, 27, 36, 45, 54, 63, 72, 81, 100}));
}

}  // namespace
}  // namespace ostrin
