#include "editors/MessageMacrosFile.h"

#include "editors/CategoryFileTest.h"

namespace ostrin {
namespace {

using MessageMacrosFileTest = CategoryFileTest;

std::vector<std::int32_t> Words(const MessageMacroRecord& r) {
  return {r.words.begin(), r.words.begin() + r.size};
}

TEST_F(MessageMacrosFileTest, AMissingFileLoadsEveryMacroEmpty) {
  MessageMacroRecord pending;
  pending.size = 1;
  pending.words[0] = 5;
  SetMessageMacro(FirstMessageMacro + 69, pending);
  LoadMessageMacrosFromDataFile();
  for (int k = 0; k < MessageMacroCount; ++k) {
    const MessageMacroRecord r = GetMessageMacro(FirstMessageMacro + k);
    EXPECT_EQ(r.size, 0) << k;
    EXPECT_EQ(r.words, (std::array<std::int32_t, MessageWordCapacity>{})) << k;
  }
  EXPECT_EQ(CountPending(), 1);  // the macro changed before the load keeps its ChangedFlag
}

TEST_F(MessageMacrosFileTest, ValuesLoadAsMessageWords) {
  struct Case {
    const char* value;
    std::vector<std::int32_t> words;
  };
  const Case cases[] = {
      {"good morning", {122, 157}},
      {"GOOD MORNING ", {122, 157}},
      {"the(long) SILENCE(pause) A.M.", {205, 235, 73}},
      {"NONE STORED", {}},
      {"none stored", {}},
      {"", {}},
      {"1 2 3 4 5 6 7 8 9 10 11 12", {1, 2, 3, 4, 5, 6, 7, 8, 9}},
  };
  for (const Case& c : cases) {
    WriteDataFile(std::string("[Message_Macros]\r\nMessage_Macro37=") + c.value + "\r\n");
    LoadMessageMacrosFromDataFile();
    const MessageMacroRecord r = GetMessageMacro(319);
    EXPECT_EQ(Words(r), c.words) << c.value;
    std::array<std::int32_t, MessageWordCapacity> padded{};
    std::copy(c.words.begin(), c.words.end(), padded.begin());
    EXPECT_EQ(r.words, padded) << c.value;  // the words past the count are 0
  }
}

TEST_F(MessageMacrosFileTest, SaveWritesWordsOrNoneStoredWithProgress) {
  SetMessageMacro(FirstMessageMacro, MessageMacroFromText("good morning"));
  ProgressPositions progress;
  MessageMacrosProgress = &progress;
  const SaveResult result = SaveMessageMacrosToDataFile();
  MessageMacrosProgress = nullptr;
  ASSERT_TRUE(result.ok());
  const std::string bytes = ReadWholeFile(CurrentDataFileName()).value();
  EXPECT_NE(bytes.find("Message_Macro1=GOOD MORNING \r\n"), std::string::npos);
  for (int k = 2; k <= MessageMacroCount; ++k) EXPECT_EQ(Saved("Message_Macros", MessageMacroKey(k)), "NONE STORED");
  std::vector<int> positions;
  for (int k = 0; k < MessageMacroCount; ++k) positions.push_back(k);
  positions.push_back(100);
  EXPECT_EQ(progress.positions, positions);
}

TEST(MessageMacroText, ShowsAtMostTheNineWordsARecordHolds) {
  MessageMacroRecord r;
  r.words = {30, 31, 32, 33, 34, 35, 36, 37, 38};
  r.size = 12;
  EXPECT_EQ(MessageMacroText(r), "A B C D E F G H I ");
  r.size = -1;
  EXPECT_EQ(MessageMacroText(r), "NONE STORED");
}

}  // namespace
}  // namespace ostrin
