#include "editors/IdsFile.h"

#include "editors/CategoryFileTest.h"

namespace ostrin {
namespace {

using IdsFileTest = CategoryFileTest;

template <typename List>
std::vector<std::int32_t> Codes(const List& list) {
  return {list.codes.begin(), list.codes.begin() + list.count};
}

CodeList ListOf(std::initializer_list<std::int32_t> codes) {
  CodeList list;
  for (const std::int32_t code : codes) list.codes[static_cast<std::size_t>(list.count++)] = code;
  return list;
}

TEST_F(IdsFileTest, AMissingFileLoadsTheDefaultIdsOfEveryPort) {
  LoadIdsFromDataFile();
  for (int port = 1; port <= 3; ++port) {
    const int base = 1000 * port;
    const PortListBlock lists = GetPortLists(base);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(Codes(lists.voice[i]), (std::vector<std::int32_t>{235, 38, 44, 48, 49, 47, 38, 43}));
      EXPECT_EQ(Codes(lists.voice[3 + i]), (std::vector<std::int32_t>{235, 45, 44, 48, 49, 47, 38, 43}));
    }
    EXPECT_EQ(Codes(lists.cw[1]), (std::vector<std::int32_t>{63, 73, 81, 72, 43, 62}));
    const std::pair<int, std::int32_t> values[] = {{44, 20}, {45, 600}, {46, 0}, {47, 1},
                                                   {48, 0},  {58, 0},   {59, 0}, {60, 0}};
    for (const auto& [offset, value] : values) EXPECT_EQ(GetValue(base + offset).current, value) << base + offset;
  }
  const PortListBlock first = GetPortLists(1000);
  CodeList initial;
  initial.count = first.voice[0].count;
  std::copy(first.voice[0].codes.begin(), first.voice[0].codes.end(), initial.codes.begin());
  EXPECT_EQ(VoiceCodesToText(initial), "SILENCE(PAUSE) I O S T R I N ");
  EXPECT_EQ(CountPending(), 0);
}

TEST_F(IdsFileTest, KeysLoadByTheirKind) {
  std::string twentyFive;
  for (int i = 1; i <= 25; ++i) twentyFive += std::to_string(i) + " ";
  WriteDataFile("[Port 2]\r\n"
                "Initial_Voice_ID1=" + twentyFive + "\r\n"
                "Initial_Voice_ID2=300 5 abc\r\n"
                "Pending_Voice_ID3=\r\n"
                "CW_ID1=300 5 abc\r\n"
                "CW_ID2=" + twentyFive + "\r\n"
                "CW_Speed=25wpm\r\n"
                "Speech_IDs=01\r\n"
                "Constant_ID=1x\r\n"
                "ID Extra ID 1=197\r\n"
                "ID Extra ID 2=4294967295\r\n"
                "ID Extra ID 3=-3\r\n");
  LoadIdsFromDataFile();
  const PortListBlock lists = GetPortLists(2000);
  EXPECT_EQ(lists.voice[0].count, 22);
  EXPECT_EQ(lists.voice[0].codes[21], 22);
  EXPECT_EQ(Codes(lists.voice[1]), (std::vector<std::int32_t>{5, 0}));
  EXPECT_EQ(lists.voice[5].count, 0);
  EXPECT_EQ(Codes(lists.cw[0]), (std::vector<std::int32_t>{300, 5, 0}));
  EXPECT_EQ(lists.cw[1].count, 15);
  EXPECT_EQ(GetValue(2044).current, 25);
  EXPECT_EQ(GetValue(2047).current, 0);
  EXPECT_EQ(GetValue(2048).current, 1);
  EXPECT_EQ(GetValue(2058).current, 197);
  EXPECT_EQ(GetValue(2059).current, -1);
  EXPECT_EQ(GetValue(2060).current, -3);
  EXPECT_EQ(Codes(GetPortLists(1000).cw[0]), (std::vector<std::int32_t>{63, 73, 81, 72, 43, 62}));
}

TEST_F(IdsFileTest, SaveWritesEveryPortWithProgress) {
  LoadIdsFromDataFile();
  SetPortList(3049, ListOf({122, 157}));
  SetPortList(3056, ListOf({}));
  SetValue(3044, -7);
  SetValue(3058, 0xC5);
  SetValue(3059, -1);
  ProgressPositions progress;
  IdsProgress = &progress;
  const SaveResult result = SaveIdsToDataFile();
  IdsProgress = nullptr;
  ASSERT_TRUE(result.ok());
  const std::string bytes = ReadWholeFile(CurrentDataFileName()).value();
  EXPECT_NE(bytes.find("Initial_Voice_ID1=122 157 \r\n"), std::string::npos);
  EXPECT_NE(bytes.find("CW_ID2=\r\n"), std::string::npos);
  EXPECT_EQ(Saved("Port 3", "CW_Speed"), "-7");
  EXPECT_EQ(Saved("Port 3", "ID Extra ID 1"), "197");
  EXPECT_EQ(Saved("Port 3", "ID Extra ID 2"), "4294967295");
  EXPECT_EQ(Saved("Port 1", "Pending_Voice_ID1"), "235 45 44 48 49 47 38 43");
  EXPECT_EQ(Saved("Port 2", "CW_ID1"), "63 73 81 72 43 62");
  EXPECT_EQ(Saved("Port 2", "Speech_IDs"), "1");
  EXPECT_EQ(progress.positions, (std::vector<int>{0, 35, 70, 100}));

  std::vector<std::string> keys;
  for (const IniDocument::Entry& e : SavedFile().Entries()) {
    if (e.section == "Port 1") keys.push_back(e.key);
  }
  std::vector<std::string> expected;
  for (const IdListKey& row : IdListKeys()) expected.push_back(row.key);
  for (const NumberKey& row : IdNumberKeys()) expected.push_back(row.key);
  for (const NumberKey& row : IdExtraKeys()) expected.push_back(row.key);
  EXPECT_EQ(keys, expected);

  ResetStore();
  LoadIdsFromDataFile();
  EXPECT_EQ(GetValue(3059).current, -1);
  EXPECT_EQ(Codes(GetPortLists(3000).voice[0]), (std::vector<std::int32_t>{122, 157}));
}

}  // namespace
}  // namespace ostrin
